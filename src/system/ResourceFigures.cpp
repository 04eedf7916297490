// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceFigures.h"

ResourceFigures readResourceFigures(CpuLoadTicks &previous, const HostStatisticsSource &source, const QString &diskPath)
{
    ResourceFigures figures;
    if (const auto memory = memorySnapshot(source)) {
        const double total = double(memory->totalBytes) / bytesPerGiB;
        const double free = double(memory->freeBytes) / bytesPerGiB;
        const auto share = memoryUsedShare(total, free);
        figures.memoryShare = share.value_or(0);
        figures.memoryPercent = share ? percentText(*share) : QString();
        figures.memoryFree = formatSize(free);
        figures.memoryUsed = formatSize(total - free);
        figures.memoryTotal = formatSize(total);
    }
    if (const auto cpu = cpuUsage(previous, source)) {
        figures.cpuUser = QString::asprintf("%.2f%%", cpu->user);
        figures.cpuSystem = QString::asprintf("%.2f%%", cpu->system);
        figures.cpuIdle = QString::asprintf("%.2f%%", cpu->idle);
    }
    figures.disk = diskUsage(diskPath);
    return figures;
}
