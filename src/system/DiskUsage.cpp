// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskUsage.h"

#include "HostStatistics.h"
#include "platform/FileSystemStatReader.h"

DiskUsage diskUsageFromBytes(double usedBytes, double freeBytes, double totalBytes)
{
    constexpr double bytesPerGB = 1e9;
    const double used = usedBytes / bytesPerGB;
    const double free = freeBytes / bytesPerGB;
    const double total = totalBytes / bytesPerGB;
    const double visible = used + free;
    const double ratio = visible > 0 ? used / visible : 0.0;
    return DiskUsage { formatSize(free), formatSize(total), ratio, percentText(ratio), formatSize(used) };
}

DiskUsage diskUsage(const QString &path)
{
    const auto stat = FileSystemStatReader::stat(path);
    if (!stat)
        return diskUsageFromBytes(0, 0, 0);
    return diskUsageFromBytes(double(stat->usedBytes), double(stat->availableBytes), double(stat->totalBytes));
}
