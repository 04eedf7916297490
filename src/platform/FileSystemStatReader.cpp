// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSystemStatReader.h"

#include <QFile>
#include <cerrno>
#include <limits>
#include <sys/statvfs.h>

namespace {
quint64 times(quint64 count, quint64 size)
{
    if (size != 0 && count > std::numeric_limits<quint64>::max() / size)
        return std::numeric_limits<quint64>::max();
    return count * size;
}
} // namespace

std::optional<FileSystemStat> FileSystemStatReader::stat(const QString &path)
{
    struct statvfs info
    {
    };
    const QByteArray native = QFile::encodeName(path);
    int result = 0;
    do {
        result = ::statvfs(native.constData(), &info);
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return std::nullopt;
    return fromBlocks(info.f_blocks, info.f_bfree, info.f_bavail, info.f_frsize);
}

FileSystemStat FileSystemStatReader::fromBlocks(
    quint64 blocks, quint64 freeBlocks, quint64 availableBlocks, quint64 fragmentSize)
{
    // Some file systems (btrfs under load, FUSE) briefly report more free than total blocks.
    const quint64 usedBlocks = blocks > freeBlocks ? blocks - freeBlocks : 0;
    return FileSystemStat { times(blocks, fragmentSize), times(usedBlocks, fragmentSize),
        times(availableBlocks, fragmentSize) };
}
