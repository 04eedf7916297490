// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostStatistics.h"

#include "platform/MemInfoReader.h"
#include "platform/ProcStatReader.h"

#include <algorithm>
#include <cmath>

std::optional<CpuLoadTicks> hostCpuLoadInfo(const HostStatisticsSource &source)
{
    const auto times = ProcStatReader(source.procRoot).cpuTimes();
    if (!times)
        return std::nullopt;
    // steal is time the hypervisor gave to someone else: busy, from the guest's point of view.
    return CpuLoadTicks { times->user, times->system + times->irq + times->softirq + times->steal,
        times->idle + times->iowait, times->nice };
}

CpuUsage cpuUsageBetween(const CpuLoadTicks &previous, const CpuLoadTicks &current)
{
    const auto delta = [](quint64 before, quint64 now) { return now > before ? double(now - before) : 0.0; };
    const double user = delta(previous.user, current.user);
    const double system = delta(previous.system, current.system);
    const double idle = delta(previous.idle, current.idle);
    const double nice = delta(previous.nice, current.nice);
    const double total = user + system + nice + idle;
    if (total <= 0)
        return {};
    return CpuUsage { system / total * 100, user / total * 100, idle / total * 100, nice / total * 100 };
}

std::optional<CpuUsage> cpuUsage(CpuLoadTicks &previous, const HostStatisticsSource &source)
{
    const auto current = hostCpuLoadInfo(source);
    if (!current)
        return std::nullopt;
    const CpuUsage usage = cpuUsageBetween(previous, *current);
    previous = *current;
    return usage;
}

namespace {
std::optional<quint64> freeBytes(const MemInfo &info)
{
    if (info.memAvailable)
        return info.memAvailable;
    // Kernels before 3.14 lack MemAvailable; the reclaimable caches are the usual estimate.
    if (info.memFree)
        return *info.memFree + info.buffers.value_or(0) + info.cached.value_or(0);
    return std::nullopt;
}
} // namespace

std::optional<VmStatistics> hostVmStatistics(const HostStatisticsSource &source)
{
    const auto info = MemInfoReader(source.procRoot).read();
    if (!info)
        return std::nullopt;
    const std::optional<quint64> free = freeBytes(*info);
    if (!free)
        return std::nullopt;
    return VmStatistics { *free, info->active.value_or(0), info->inactive.value_or(0), info->unevictable.value_or(0),
        info->zswapped };
}

std::optional<MemoryUsage> memoryUsage(const HostStatisticsSource &source)
{
    const auto vm = hostVmStatistics(source);
    if (!vm)
        return std::nullopt;
    MemoryUsage usage { double(vm->freeBytes) / bytesPerGiB, double(vm->activeBytes) / bytesPerGiB,
        double(vm->inactiveBytes) / bytesPerGiB, double(vm->wiredBytes) / bytesPerGiB, std::nullopt };
    if (vm->compressedBytes)
        usage.compressed = double(*vm->compressedBytes) / bytesPerGiB;
    return usage;
}

std::optional<HostBasicInfo> hostBasicInfo(const HostStatisticsSource &source)
{
    const auto info = MemInfoReader(source.procRoot).read();
    if (!info || !info->memTotal || *info->memTotal == 0)
        return std::nullopt;
    return HostBasicInfo { *info->memTotal };
}

std::optional<double> memoryUsedShare(double totalGiB, double freeGiB)
{
    if (!(totalGiB > 0) || !std::isfinite(totalGiB) || !std::isfinite(freeGiB))
        return std::nullopt;
    return std::clamp((totalGiB - freeGiB) / totalGiB, 0.0, 1.0);
}

std::optional<MemorySnapshot> memorySnapshot(const HostStatisticsSource &source)
{
    const auto info = MemInfoReader(source.procRoot).read();
    if (!info || !info->memTotal || *info->memTotal == 0)
        return std::nullopt;
    const auto free = freeBytes(*info);
    if (!free)
        return std::nullopt;
    return MemorySnapshot { *info->memTotal, *free };
}

std::optional<double> memoryUsedShare(const HostStatisticsSource &source)
{
    const auto memory = memorySnapshot(source);
    if (!memory)
        return std::nullopt;
    return memoryUsedShare(double(memory->totalBytes) / bytesPerGiB, double(memory->freeBytes) / bytesPerGiB);
}

QString percentText(double share)
{
    if (!std::isfinite(share))
        share = 0;
    return QString::asprintf("%.2f%%", share * 100);
}

QString memoryPercentText(const HostStatisticsSource &source)
{
    const auto share = memoryUsedShare(source);
    return share ? percentText(*share) : QString();
}

QString formatSize(double gigabytes)
{
    // No size is infinite or not a number; such a value comes from a division by zero upstream.
    if (!std::isfinite(gigabytes))
        return QStringLiteral("0MB");
    if (gigabytes < 1.0) {
        const double megabytes = std::trunc(gigabytes * 1000);
        // Below what a 64-bit integer holds the conversion would be undefined; print the digits.
        if (megabytes < -9.0e18)
            return QString::asprintf("%.0fMB", megabytes);
        return QString::number(qint64(megabytes)) + QStringLiteral("MB");
    }
    return QString::asprintf("%.2fGB", gigabytes);
}
