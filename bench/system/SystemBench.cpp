// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the resource panel pays each second, and what one hardware report costs.
#include "TavloConfig.h"
#include "system/CommandRunner.h"
#include "system/DiskUsage.h"
#include "system/HardwareReport.h"
#include "system/HostStatistics.h"
#include "system/ResourceFigures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>
#include <sys/resource.h>

namespace {
template<typename Function> double microsecondsPerCall(int calls, Function &&function)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < calls; ++i)
        function();
    return double(clock.nsecsElapsed()) / 1000.0 / calls;
}

// The panel's tick step by step, every figure read afresh as its steps list them.
void refreshAllFigures(CpuLoadTicks &previous)
{
    const auto totalGiB = [] {
        const auto info = hostBasicInfo();
        return info ? double(info->maxMem) / bytesPerGiB : 0.0;
    };
    const auto freeGiB = [] {
        const auto memory = memoryUsage();
        return memory ? memory->free : 0.0;
    };
    volatile double share = memoryUsedShare(totalGiB(), freeGiB()).value_or(0);
    const QString percent = memoryPercentText();
    const QString freeText = formatSize(freeGiB());
    const QString totalText = formatSize(totalGiB());
    const QString usedText = formatSize(totalGiB() - freeGiB());
    const auto cpu = cpuUsage(previous);
    const DiskUsage disk = diskUsage();
    (void)share;
    (void)cpu;
    Q_UNUSED(percent);
    Q_UNUSED(freeText);
    Q_UNUSED(totalText);
    Q_UNUSED(usedText);
    Q_UNUSED(disk);
}

double childCpuMilliseconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3
        + usage.ru_stime.tv_usec / 1e3;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    constexpr int calls = 2000;
    CpuLoadTicks previous;

    std::printf("Resource panel figures, %d calls each (microseconds per call):\n", calls);
    std::printf("  hostCpuLoadInfo      %8.1f\n", microsecondsPerCall(calls, [] { (void)hostCpuLoadInfo(); }));
    std::printf(
        "  cpuUsage             %8.1f\n", microsecondsPerCall(calls, [&previous] { (void)cpuUsage(previous); }));
    std::printf("  memoryUsage          %8.1f\n", microsecondsPerCall(calls, [] { (void)memoryUsage(); }));
    std::printf("  hostBasicInfo        %8.1f\n", microsecondsPerCall(calls, [] { (void)hostBasicInfo(); }));
    std::printf("  memoryPercentText    %8.1f\n", microsecondsPerCall(calls, [] { (void)memoryPercentText(); }));
    std::printf("  formatSize           %8.2f\n", microsecondsPerCall(calls, [] { (void)formatSize(15.3249); }));
    std::printf("  diskUsage            %8.1f\n", microsecondsPerCall(calls, [] { (void)diskUsage(); }));
    std::printf("  refresh, every call  %8.1f  (each figure read afresh, as the panel's steps list them)\n",
        microsecondsPerCall(calls, [&previous] { refreshAllFigures(previous); }));
    std::printf("  readResourceFigures  %8.1f\n",
        microsecondsPerCall(calls, [&previous] { (void)readResourceFigures(previous); }));

    constexpr int reports = 20;
    const HardwareReport report;
    std::printf("\nHardware report, %d runs each (milliseconds per run):\n", reports);
    std::printf("  in-process render    %8.2f\n", microsecondsPerCall(reports, [&report] {
        (void)report.render({ QStringLiteral("SPDisplaysDataType"), QStringLiteral("SPHardwareDataType") });
    }) / 1000.0);

    QString program = qEnvironmentVariable("TAVLO_LIBEXEC_DIR", QStringLiteral(TAVLO_LIBEXEC_BUILD_DIR));
    program += QStringLiteral("/system_profiler");
    const double cpuBefore = childCpuMilliseconds();
    int failures = 0;
    const double wall = microsecondsPerCall(reports, [&program, &failures] {
        QEventLoop loop;
        CommandRunner::runCommand(
            program, QStringList { QStringLiteral("SPDisplaysDataType"), QStringLiteral("SPHardwareDataType") },
            nullptr,
            [&loop, &failures](int status) {
                failures += status != 0;
                loop.quit();
            },
            &loop);
        loop.exec();
    });
    std::printf("  program via runner   %8.2f wall, %.2f CPU of the child\n", wall / 1000.0,
        (childCpuMilliseconds() - cpuBefore) / reports);
    if (failures)
        std::printf("  %d runs failed (%s)\n", failures, qPrintable(program));
    return failures ? 1 : 0;
}
