// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiskUsage.h"
#include "HostStatistics.h"

#include <QString>

// Everything the resource panel shows, from one refresh. Texts are empty where a figure could
// not be read, as they are before the first refresh.
struct ResourceFigures
{
    double memoryShare = 0; // used, 0…1
    QString memoryPercent; // "63.27%"
    QString memoryFree; // free size text
    QString memoryUsed;
    QString memoryTotal;
    QString cpuUser; // "12.50%"
    QString cpuSystem;
    QString cpuIdle;
    DiskUsage disk;
};

// One refresh: memory, CPU shares since `previous` (which then holds the current counters)
// and the volume holding `diskPath`. Reads /proc/meminfo and /proc/stat once each and calls
// statvfs once; safe on any thread.
ResourceFigures readResourceFigures(
    CpuLoadTicks &previous, const HostStatisticsSource &source = {}, const QString &diskPath = QStringLiteral("/"));
