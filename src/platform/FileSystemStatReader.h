// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Capacity of the file system holding a path, in bytes, split as df splits it: blocks reserved
// for root are neither free (the user cannot write them) nor used.
struct FileSystemStat
{
    quint64 totalBytes = 0; // f_blocks × f_frsize
    quint64 usedBytes = 0; // (f_blocks − f_bfree) × f_frsize
    quint64 availableBytes = 0; // f_bavail × f_frsize
};

class FileSystemStatReader
{
public:
    // Nothing when statvfs fails (no such path, no permission, a hung network mount's error).
    static std::optional<FileSystemStat> stat(const QString &path);

    // The arithmetic on statvfs's fields, apart so odd values can be checked.
    static FileSystemStat fromBlocks(quint64 blocks, quint64 freeBlocks, quint64 availableBlocks, quint64 fragmentSize);
};
