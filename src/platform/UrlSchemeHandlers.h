// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Whether an installed application says it opens URLs of a scheme: a desktop entry in one of
// the applications folders whose MimeType lists x-scheme-handler/<scheme>. xdg-open and the
// desktops' own launchers pick a handler from these entries; with none, a link of that scheme
// would open nothing at all.
class UrlSchemeHandlers
{
public:
    explicit UrlSchemeHandlers(const QStringList &applicationDirs = defaultApplicationDirs());

    // $XDG_DATA_HOME/applications, then <dir>/applications for each of $XDG_DATA_DIRS.
    static QStringList defaultApplicationDirs();

    bool hasHandler(const QString &scheme) const;

private:
    QStringList m_applicationDirs;
};
