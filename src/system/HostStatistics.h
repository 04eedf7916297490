// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Cumulative CPU time of the whole machine in clock ticks, folded into four states: irq,
// softirq and steal count as system time, iowait as idle (the CPU was free to run something).
struct CpuLoadTicks
{
    quint64 user = 0;
    quint64 system = 0;
    quint64 idle = 0;
    quint64 nice = 0;
};

// Shares of the interval in percent; all zero when no tick elapsed.
struct CpuUsage
{
    double system = 0;
    double user = 0;
    double idle = 0;
    double nice = 0;
};

// Memory in bytes. free is what can be handed out without swapping (MemAvailable), so that
// total − free is the "used" figure of free(1).
struct VmStatistics
{
    quint64 freeBytes = 0;
    quint64 activeBytes = 0;
    quint64 inactiveBytes = 0;
    quint64 wiredBytes = 0;
    std::optional<quint64> compressedBytes;
};

// The same figures in gibibytes.
struct MemoryUsage
{
    double free = 0;
    double active = 0;
    double inactive = 0;
    double wired = 0;
    std::optional<double> compressed;
};

struct HostBasicInfo
{
    quint64 maxMem = 0; // physical memory the kernel manages, bytes
};

// The sources behind the figures; tests point them at fixture trees.
struct HostStatisticsSource
{
    QString procRoot = QStringLiteral("/proc");
};

// Each function reads the kernel afresh and is safe to call from any thread. A figure the
// kernel does not give (an unreadable /proc, a malformed line) is absent.
std::optional<CpuLoadTicks> hostCpuLoadInfo(const HostStatisticsSource &source = {});

// Shares of the ticks since `previous`, which is then replaced by the current counters. A
// counter that went backwards (a CPU taken offline takes its ticks with it) counts as no time.
// When the counters cannot be read the shares are absent and `previous` is left alone.
std::optional<CpuUsage> cpuUsage(CpuLoadTicks &previous, const HostStatisticsSource &source = {});
CpuUsage cpuUsageBetween(const CpuLoadTicks &previous, const CpuLoadTicks &current);

std::optional<VmStatistics> hostVmStatistics(const HostStatisticsSource &source = {});
std::optional<MemoryUsage> memoryUsage(const HostStatisticsSource &source = {});
std::optional<HostBasicInfo> hostBasicInfo(const HostStatisticsSource &source = {});

// Total and free memory in bytes from one read of /proc/meminfo, so both are of one instant.
struct MemorySnapshot
{
    quint64 totalBytes = 0;
    quint64 freeBytes = 0;
};
std::optional<MemorySnapshot> memorySnapshot(const HostStatisticsSource &source = {});

// (total − free) ÷ total limited to 0…1; absent without a total.
std::optional<double> memoryUsedShare(double totalGiB, double freeGiB);
std::optional<double> memoryUsedShare(const HostStatisticsSource &source = {});

// "63.27%"; empty when the memory figures cannot be read.
QString memoryPercentText(const HostStatisticsSource &source = {});
QString percentText(double share);

// A size in gigabytes: whole megabytes below 1 ("512MB"), two decimals from 1 on ("15.32GB").
// Not-a-number and infinity read "0MB".
QString formatSize(double gigabytes);

inline constexpr double bytesPerGiB = 1024.0 * 1024.0 * 1024.0;
