// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Small facts several views show: the application's version and name, the picture that fits
// this computer, and the operating system's name and version. Nothing is cached; every call
// reads its source afresh.
class AppInfoManager
{
public:
    struct Sources
    {
        QString procRoot = QStringLiteral("/proc");
        QString sysRoot = QStringLiteral("/sys");
        QString etcRoot = QStringLiteral("/etc");
        QString usrLibRoot = QStringLiteral("/usr/lib");
        bool useHostnamed = true;
        // hostnamed answers within a millisecond when it runs; the bound only matters while
        // the bus starts it, and the dashboard must not wait long for a picture's name.
        int hostnamedTimeoutMs = 100;
    };

    static AppInfoManager &shared();
    explicit AppInfoManager(Sources sources);

    // The machine's name as its owner gave it ("unkown name" when it has none) and the picture
    // that fits it, from one look at the sources. Asks hostnamed when allowed, so it may take a
    // few of its time-outs: call it off the main thread (MachineIdentity does).
    struct Identity
    {
        QString computerName;
        QString deviceImageName;
        bool operator==(const Identity &) const = default;
    };
    Identity identity() const;

    QString appVersion() const;
    QString appName() const;
    // "iMac", "MacBookPro", "macmini" or "macpro".
    QString deviceImageName() const;
    // The distribution's version ("12.11", "24.04"), or "unkown".
    QString systemVersion() const;
    // The distribution's name ("Debian GNU/Linux"), or "unkown".
    QString systemName() const;

    // The picture for a computer name ("unkown name" when there is none) and, when the name
    // does not say, the chassis: hostnamed's word ("laptop", "desktop", ...) or the SMBIOS
    // chassis type number as text.
    static QString deviceImageNameFor(const QString &computerName, const std::optional<QString> &chassis);

private:
    std::optional<QString> chassis() const;

    Sources m_sources;
};
