// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Per-call times of the throughput sampler's parts: one tick on this machine's /proc and
// /sys (the report, the parse, the two speed texts), the parse of a 10,000-line report,
// and, for comparison, one run of the report as a separate program.
#include "network/NetworkSpeedManager.h"
#include "network/SpeedFormat.h"
#include "network/TitleSink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

class DiscardingSink : public TitleSink
{
public:
    void updateTitle(const QString &upload, const QString &download) override
    {
        m_length += upload.size() + download.size();
    }
    qsizetype m_length = 0;
};

double processCpuSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double threadCpuSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Runs the body repeatedly and prints wall and CPU time per call (median of five rounds).
void measure(const char *name, int calls, const std::function<void(int)> &body)
{
    body(0); // warm the caches and the page cache
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        const double cpuStart = threadCpuSeconds();
        clock.start();
        for (int i = 0; i < calls; ++i)
            body(i);
        wall.push_back(double(clock.nsecsElapsed()) / calls / 1000.0);
        cpu.push_back((threadCpuSeconds() - cpuStart) * 1e6 / calls);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-52s %10.2f us wall %10.2f us cpu  (%d calls x 5)\n", name, wall[2], cpu[2], calls);
}

QString bigReport(int lines, qint64 base)
{
    QString text
        = QStringLiteral("time") + QString(49, QLatin1Char(' ')) + QStringLiteral("bytes_in            bytes_out\n");
    const int width = text.size() - 1;
    for (int i = 0; i < lines; ++i) {
        QString line = QStringLiteral("11:00:00.000000 if%1").arg(i, 5, 10, QLatin1Char('0'));
        const QString tail = QStringLiteral(" %1 %2").arg(base + i * 1000, 20).arg(base / 2 + i * 10, 20);
        line += QString(width - line.size() - tail.size(), QLatin1Char(' ')) + tail + QLatin1Char('\n');
        text += line;
    }
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    DiscardingSink sink;

    std::printf("real /proc/net/dev and /sys/class/net of this machine:\n");
    const QString sample = nettopSample(NetworkSpeedManager::sampleArguments());
    std::printf("%s", qPrintable(sample));

    measure("report, fresh each call (nettopSample)", 20000,
        [](int) { (void)nettopSample(NetworkSpeedManager::sampleArguments()); });
    {
        NettopProducer producer;
        measure("report, kinds remembered (NettopProducer::sample)", 20000,
            [&](int) { (void)producer.sample(NetworkSpeedManager::sampleArguments()); });
    }
    {
        NetworkSpeedManager manager(&sink);
        const QString other = nettopSample(NetworkSpeedManager::sampleArguments());
        measure("parse only (parseOutput, this machine's report)", 20000,
            [&](int i) { manager.parseOutput(i % 2 ? sample : other); });
    }
    measure("two speed texts (formatSpeed x 2)", 200000, [](int i) {
        (void)formatSpeed(1000000, 1000000 + 1234567 + i);
        (void)formatSpeed(1000000, 1000000 + 512 + i);
    });
    {
        NetworkSpeedManager manager(&sink);
        measure("one sampler tick (sampleOnce: report, parse, format)", 20000, [&](int) { manager.sampleOnce(); });
    }
    {
        const QString first = bigReport(10000, 1000000000);
        const QString second = bigReport(10000, 1000100000);
        NetworkSpeedManager manager(&sink);
        measure("parse of a 10,000-line report", 50, [&](int i) { manager.parseOutput(i % 2 ? second : first); });
    }
    {
        const QString program = QStringLiteral(TAVLO_LIBEXEC_BUILD_DIR "/nettop");
        measure("for comparison: a child process (cpu: parent only)", 100, [&](int) {
            QProcess process;
            process.start(program, NetworkSpeedManager::sampleArguments());
            process.waitForFinished();
            (void)process.readAllStandardOutput();
        });
    }
    {
        // The sampler as the app runs it: its own thread, one tick a second.
        constexpr int seconds = 20;
        NetworkSpeedManager manager(&sink);
        manager.startSampling();
        // Thread start-up once, then the steady state.
        QTimer::singleShot(1500, &app, &QCoreApplication::quit);
        QCoreApplication::exec();
        const double start = processCpuSeconds();
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
        QCoreApplication::exec();
        manager.stopSampling();
        const double used = processCpuSeconds() - start;
        std::printf("%-52s %10.2f ms cpu in %d s = %.2f ms per minute\n", "sampler running at one tick a second",
            used * 1000, seconds, used * 1000 * 60 / seconds);
    }
    std::printf("titles published while measuring: %lld characters\n", static_cast<long long>(sink.m_length));
    return 0;
}
