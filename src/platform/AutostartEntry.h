// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// One XDG autostart entry, <id>.desktop. The session starts it at login when the first file of
// that name found in $XDG_CONFIG_HOME/autostart, then each $XDG_CONFIG_DIRS/*/autostart, is
// neither Hidden=true nor X-GNOME-Autostart-enabled=false: a user file hides a system one.
class AutostartEntry
{
public:
    explicit AutostartEntry(const QString &id, const QString &configHome = defaultConfigHome(),
        const QStringList &configDirs = defaultConfigDirs());

    static QString defaultConfigHome();
    static QStringList defaultConfigDirs();

    // Read from the files every time.
    bool isRegistered() const;

    // Creates the user's entry (starting `executable`, an absolute path) or removes it; when a
    // system-wide entry would still start the program, a Hidden=true user entry masks it.
    // False when a file could not be written or removed.
    bool setRegistered(bool registered, const QString &executable, const QString &displayName, const QString &iconName);

    QString userEntryPath() const;

    // Whether an entry of this text starts its program: it has a [Desktop Entry] group, and
    // that group says neither Hidden=true nor X-GNOME-Autostart-enabled=false.
    static bool isEnabledText(const QByteArray &text);

    // The text of an entry that starts `executable` at login.
    static QString entryText(const QString &executable, const QString &displayName, const QString &iconName);

    // `argument` as one Exec= argument: double-quoted, with the Exec and string escapes applied.
    static QString quoteExecArgument(const QString &argument);

private:
    QString m_id;
    QString m_configHome;
    QStringList m_configDirs;
};
