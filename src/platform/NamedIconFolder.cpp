// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NamedIconFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <utility>

namespace {
// Qt's PNG quality: 100 is the least compression, and a 48-pixel icon is small anyway.
constexpr int pngFast = 100;
} // namespace

NamedIconFolder::NamedIconFolder(const QString &stem, QString runtimeDir)
    : m_stem(stem)
{
    if (runtimeDir.isEmpty())
        runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtimeDir.isEmpty())
        return;
    // One folder per process: a second Tavlo in another session on the same runtime folder
    // (or one that died without cleaning up) does not share or lose files.
    const QString path
        = QDir(runtimeDir).filePath(QStringLiteral("%1-icons-%2").arg(stem).arg(QCoreApplication::applicationPid()));
    QDir().mkpath(path);
    // The runtime folder is the user's own; the icons need not be readable by anyone else.
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return;
    // Leftovers of an earlier process with the same id.
    for (const QString &old : QDir(path).entryList(QDir::Files))
        QFile::remove(QDir(path).filePath(old));
    m_path = path;
}

NamedIconFolder::~NamedIconFolder()
{
    remove();
}

QString NamedIconFolder::publish(const QImage &image)
{
    if (m_path.isEmpty())
        return {};
    // GTK looks at an icon folder's contents again only every few seconds, so a name that
    // appears later is "not found" for a while (with a warning) in hosts that use it. The
    // names therefore all exist from the first picture on, and each picture takes the next
    // one in turn: the name still changes with every picture, which tells hosts that keep
    // what they loaded under a name to load it again.
    const auto write = [this, &image](const QString &name) {
        // Written aside and renamed into place, so a host never reads half a file. Not synced
        // to disk (QSaveFile would): the runtime folder is in memory, and a picture lost in a
        // crash is of no use anyway.
        const QString path = QDir(m_path).filePath(name + QStringLiteral(".png"));
        QFile file(path + QStringLiteral(".new"));
        const bool written = file.open(QIODevice::WriteOnly) && image.save(&file, "PNG", pngFast);
        file.close();
        return written
            && ::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) == 0;
    };
    if (m_names.isEmpty()) {
        for (int i = 0; i < keptFiles; ++i) {
            const QString name = QStringLiteral("%1-%2").arg(m_stem).arg(i);
            if (!write(name))
                return {};
            m_names.append(name);
        }
        m_current = 0;
        return m_names.at(0);
    }
    m_current = (m_current + 1) % keptFiles;
    return write(m_names.at(m_current)) ? m_names.at(m_current) : QString();
}

void NamedIconFolder::remove()
{
    if (m_path.isEmpty())
        return;
    QDir(m_path).removeRecursively();
    m_path.clear();
    m_names.clear();
}
