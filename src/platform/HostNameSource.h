// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class HostnamedClient;

// The machine's name as its owner gave it: hostnamed's PrettyHostname, else PRETTY_HOSTNAME in
// /etc/machine-info (what hostnamed itself stores), else the kernel's host name.
class HostNameSource
{
public:
    explicit HostNameSource(const HostnamedClient *hostnamed, QString etcRoot = QStringLiteral("/etc"),
        QString procRoot = QStringLiteral("/proc"));

    std::optional<QString> localizedName() const;

private:
    const HostnamedClient *m_hostnamed;
    QString m_etcRoot;
    QString m_procRoot;
};
