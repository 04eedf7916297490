// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SysInfoFile.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> SysInfoFile::read(const QString &path, qsizetype limit)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    // procfs and sysfs files are regular files; a FIFO, socket or device planted where one is
    // expected would block or never end, so it counts as unreadable.
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data;
    char buffer[8192];
    bool ok = true;
    while (data.size() < limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (got == 0)
            break;
        data.append(buffer, std::min<qsizetype>(got, limit - data.size()));
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return data;
}

std::optional<QString> SysInfoFile::readTrimmed(const QString &path)
{
    const auto data = read(path, 64 * 1024);
    if (!data)
        return std::nullopt;
    QByteArray bytes = *data;
    // Device-tree strings end in NUL; a few sysfs attributes pad with it too.
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    const QString text = QString::fromUtf8(bytes).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QStringList SysInfoFile::entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

std::optional<QList<int>> SysInfoFile::parseCpuList(QStringView text)
{
    QList<int> ids;
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return ids;
    for (QStringView part : trimmed.split(u',')) {
        const qsizetype dash = part.indexOf(u'-');
        bool okFirst = false;
        bool okLast = true;
        const int first = (dash < 0 ? part : part.left(dash)).toInt(&okFirst);
        const int last = dash < 0 ? first : part.mid(dash + 1).toInt(&okLast);
        // The kernel prints its lists in ascending order without overlaps, so a list never names
        // more CPUs than the kernel can have, however it is written.
        const int next = ids.isEmpty() ? 0 : ids.constLast() + 1;
        if (!okFirst || !okLast || first < next || last < first || last >= maxCpuCount)
            return std::nullopt;
        for (int id = first; id <= last; ++id)
            ids.append(id);
    }
    return ids;
}

QString SysInfoFile::printable(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            out.append(u' ');
        else if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            out.append(c);
    }
    return out.simplified();
}
