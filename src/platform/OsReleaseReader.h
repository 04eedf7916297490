// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <optional>

// The operating system's identification from os-release(5): /etc/os-release, or the vendor
// copy in /usr/lib when /etc has none. Values are shell-style assignments, possibly quoted.
class OsReleaseReader
{
public:
    explicit OsReleaseReader(QString etcRoot = QStringLiteral("/etc"), QString usrLibRoot = QStringLiteral("/usr/lib"));

    std::optional<QString> value(const QString &key) const;

    // NAME, e.g. "Debian GNU/Linux" or "Ubuntu".
    std::optional<QString> name() const;

    // The version its users recognise: VERSION_ID, refined on Debian by the point release in
    // /etc/debian_version ("12" becomes "12.11"); rolling releases without VERSION_ID fall back
    // to BUILD_ID.
    std::optional<QString> version() const;

    static QHash<QString, QString> parse(QByteArrayView text);

private:
    QHash<QString, QString> load() const;

    QString m_etcRoot;
    QString m_usrLibRoot;
};
