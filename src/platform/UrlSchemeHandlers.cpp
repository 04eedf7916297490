// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UrlSchemeHandlers.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

// True when the entry's [Desktop Entry] group offers `mimeType` and is not hidden.
bool entryHandles(const QString &path, const QString &mimeType)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    QTextStream stream(&file);
    bool inMainGroup = false;
    bool offers = false;
    bool hidden = false;
    QString line;
    while (stream.readLineInto(&line)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup) {
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("MimeType")) {
            offers = value.split(QLatin1Char(';'), Qt::SkipEmptyParts).contains(mimeType, Qt::CaseInsensitive);
        } else if (key == QLatin1String("Hidden")) {
            hidden = value == QLatin1String("true");
        }
    }
    return offers && !hidden;
}

} // namespace

UrlSchemeHandlers::UrlSchemeHandlers(const QStringList &applicationDirs)
    : m_applicationDirs(applicationDirs)
{ }

QStringList UrlSchemeHandlers::defaultApplicationDirs()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    }
    QStringList dataDirs = qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dataDirs.isEmpty()) {
        dataDirs = { QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share") };
    }
    QStringList dirs { dataHome + QStringLiteral("/applications") };
    for (const QString &dir : dataDirs) {
        dirs.append(dir + QStringLiteral("/applications"));
    }
    return dirs;
}

bool UrlSchemeHandlers::hasHandler(const QString &scheme) const
{
    const QString mimeType = QStringLiteral("x-scheme-handler/") + scheme;
    for (const QString &dirPath : m_applicationDirs) {
        const QDir dir(dirPath);
        for (const QString &name : dir.entryList({ QStringLiteral("*.desktop") }, QDir::Files | QDir::Readable)) {
            if (entryHandles(dir.filePath(name), mimeType)) {
                return true;
            }
        }
    }
    return false;
}
