// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryBlockReader.h"

#include "SysInfoFile.h"

MemoryBlockReader::MemoryBlockReader(const QString &sysRoot)
    : m_dir(sysRoot + QStringLiteral("/devices/system/memory"))
{ }

std::optional<quint64> MemoryBlockReader::onlineBytes() const
{
    // Hexadecimal without a prefix, e.g. "8000000" for 128 MiB.
    const auto sizeText = SysInfoFile::readTrimmed(m_dir + QStringLiteral("/block_size_bytes"));
    bool ok = false;
    const quint64 blockSize = sizeText ? sizeText->toULongLong(&ok, 16) : 0;
    if (!ok || blockSize == 0)
        return std::nullopt;
    quint64 blocks = 0;
    for (const QString &entry : SysInfoFile::entries(m_dir)) {
        if (!entry.startsWith(QLatin1String("memory")))
            continue;
        if (SysInfoFile::readTrimmed(m_dir + u'/' + entry + QStringLiteral("/online")) == QLatin1String("1"))
            ++blocks;
    }
    if (blocks == 0)
        return std::nullopt;
    return blocks * blockSize;
}
