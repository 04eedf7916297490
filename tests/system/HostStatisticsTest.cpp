// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/HostStatistics.h"

#include "FixtureFiles.h"
#include "platform/FileSystemStatReader.h"
#include "system/DiskUsage.h"
#include "system/ResourceFigures.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

class HostStatisticsTest : public QObject
{
    Q_OBJECT

private:
    static HostStatisticsSource fixture(const QString &name)
    {
        return HostStatisticsSource { QStringLiteral(TAVLO_TEST_DATA "/system/") + name + QStringLiteral("/proc") };
    }

private slots:
    void testFormatSize_data()
    {
        QTest::addColumn<double>("gigabytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("just below one") << 0.999 << "999MB";
        QTest::newRow("exactly one") << 1.0 << "1.00GB";
        QTest::newRow("negative") << -0.25 << "-250MB";
        QTest::newRow("not a number") << std::nan("") << "0MB";
        QTest::newRow("beyond 64-bit megabytes") << -1e17 << "-100000000000000000000MB";
    }
    void testFormatSize()
    {
        QFETCH(double, gigabytes);
        QTEST(formatSize(gigabytes), "text");
    }

    void testTexts_data()
    {
        QTest::addColumn<double>("used");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("total");
        QTest::addColumn<QStringList>("texts"); // free, total, used, percent
        QTest::addColumn<double>("ratio");
        // The root reserve is neither used nor free: 5 of 100 GB reserved, 45 used, 50 free.
        QTest::newRow("root reserve") << 45e9 << 50e9 << 100e9
                                      << QStringList { "50.00GB", "100.00GB", "45.00GB", "47.37%" } << 45.0 / 95.0;
        QTest::newRow("unreadable") << 0.0 << 0.0 << 0.0 << QStringList { "0MB", "0MB", "0MB", "0.00%" } << 0.0;
    }
    void testTexts()
    {
        QFETCH(double, used);
        QFETCH(double, free);
        QFETCH(double, total);
        const DiskUsage usage = diskUsageFromBytes(used, free, total);
        QTEST((QStringList { usage.freeText, usage.totalText, usage.usedText, usage.percentText }), "texts");
        QTEST(usage.usedRatio, "ratio");
    }

    void testBlocks_data()
    {
        QTest::addColumn<QList<quint64>>("blocks"); // f_blocks, f_bfree, f_bavail, f_frsize
        QTest::addColumn<QList<quint64>>("bytes"); // total, used, available
        QTest::newRow("ext4 with reserve")
            << QList<quint64> { 1000, 300, 250, 4096 } << QList<quint64> { 4096000, 700 * 4096, 250 * 4096 };
        QTest::newRow("more free than blocks")
            << QList<quint64> { 10, 12, 12, 512 } << QList<quint64> { 5120, 0, 6144 };
        QTest::newRow("product beyond 64 bits saturates")
            << QList<quint64> { quint64(1) << 62, 0, 0, 8 } << QList<quint64> { ~quint64(0), ~quint64(0), 0 };
    }
    void testBlocks()
    {
        QFETCH(QList<quint64>, blocks);
        const FileSystemStat stat = FileSystemStatReader::fromBlocks(blocks[0], blocks[1], blocks[2], blocks[3]);
        QTEST((QList<quint64> { stat.totalBytes, stat.usedBytes, stat.availableBytes }), "bytes");
    }

    void testUsedShare_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("share"); // -1: absent
        QTest::newRow("16 GiB with 4 free") << 16.0 << 4.0 << 0.75;
        QTest::newRow("free above total") << 8.0 << 9.0 << 0.0;
        QTest::newRow("no total") << 0.0 << 0.0 << -1.0;
        QTest::newRow("not a number") << std::nan("") << 1.0 << -1.0;
    }
    void testUsedShare()
    {
        QFETCH(double, total);
        QFETCH(double, free);
        QTEST(memoryUsedShare(total, free).value_or(-1.0), "share");
    }

    void testCpuShares_data()
    {
        QTest::addColumn<CpuLoadTicks>("previous");
        QTest::addColumn<CpuLoadTicks>("current");
        QTest::addColumn<CpuUsage>("expected");
        // Past 2^32 ticks (about 1.4 years of one CPU at 100 Hz) 32-bit counters would wrap.
        QTest::newRow("beyond 32 bits") << CpuLoadTicks { 0x1'0000'0000ULL, 0x2'0000'0000ULL, 0x3'0000'0000ULL, 0 }
                                        << CpuLoadTicks { 0x1'0000'0030ULL, 0x2'0000'0010ULL, 0x3'0000'0040ULL, 0 }
                                        << CpuUsage { 12.5, 37.5, 50, 0 };
        QTest::newRow("counter went back")
            << CpuLoadTicks { 100, 100, 100, 100 } << CpuLoadTicks { 50, 110, 130, 100 } << CpuUsage { 25, 0, 75, 0 };
    }
    void testCpuShares()
    {
        QFETCH(CpuLoadTicks, previous);
        QFETCH(CpuLoadTicks, current);
        QFETCH(CpuUsage, expected);
        const CpuUsage usage = cpuUsageBetween(previous, current);
        const QList<double> actual { usage.system, usage.user, usage.idle, usage.nice };
        QCOMPARE(actual, (QList<double> { expected.system, expected.user, expected.idle, expected.nice }));
    }

    // The first line of /proc/stat folded into the four states: iowait is idle time; irq,
    // softirq and steal are busy, counted with the system share.
    void testProcStat_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<quint64>>("states"); // user, system, idle, nice; empty: refused
        QTest::newRow("each state folds")
            << QByteArray("cpu  1 2 30 400 5000 60000 700000 8000000 0 0\n") << QList<quint64> { 1, 8760030, 5400, 2 };
        QTest::newRow("too few fields") << QByteArray("cpu  1 2 3\n") << QList<quint64> {};
        QTest::newRow("overflowing value") << QByteArray("cpu  99999999999999999999 2 3 4\n") << QList<quint64> {};
    }
    void testProcStat()
    {
        QFETCH(QByteArray, text);
        QTemporaryDir proc;
        QVERIFY(FixtureFiles::write(proc.filePath("stat"), text));
        const auto ticks = hostCpuLoadInfo({ proc.path() });
        const QList<quint64> states
            = ticks ? QList<quint64> { ticks->user, ticks->system, ticks->idle, ticks->nice } : QList<quint64> {};
        QTEST(states, "states");
    }

    void testFreeMemory_data()
    {
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<qint64>("freeBytes"); // -1: absent
        QTest::newRow("MemAvailable") << QByteArray("MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 600 kB\n"
                                                    "Buffers: 10 kB\nCached: 300 kB\n")
                                      << qint64(600 * 1024);
        QTest::newRow("before 3.14") << QByteArray(
            "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 10 kB\nCached: 300 kB\n")
                                     << qint64(410 * 1024);
        QTest::newRow("value without unit ignored")
            << QByteArray("MemTotal: 1000 kB\nMemAvailable: 600\nMemFree: 5 kB\n") << qint64(5 * 1024);
    }
    void testFreeMemory()
    {
        QFETCH(QByteArray, meminfo);
        QTemporaryDir dir;
        QVERIFY(FixtureFiles::write(dir.filePath(QStringLiteral("proc/meminfo")), meminfo));
        const auto vm = hostVmStatistics(HostStatisticsSource { dir.filePath(QStringLiteral("proc")) });
        QTEST(vm ? qint64(vm->freeBytes) : qint64(-1), "freeBytes");
    }

    // The laptop's figures are the panel's below; the board's kernel has no Zswapped line.
    void testZswap()
    {
        QVERIFY(memoryUsage(fixture(QStringLiteral("laptop"))).value().compressed);
        const HostStatisticsSource board = fixture(QStringLiteral("arm-board"));
        const auto usage = memoryUsage(board);
        QVERIFY(usage && !usage->compressed);
        QCOMPARE(
            (QStringList { memoryPercentText(board), formatSize(usage->free) }), (QStringList { "19.90%", "2.97GB" }));
    }

    void testPanelRefresh()
    {
        CpuLoadTicks previous;
        const ResourceFigures figures
            = readResourceFigures(previous, fixture(QStringLiteral("laptop")), QStringLiteral(TAVLO_TEST_DATA));
        const QStringList memory { figures.memoryPercent, figures.memoryFree, figures.memoryUsed, figures.memoryTotal };
        QCOMPARE(memory, (QStringList { "34.64%", "10.01GB", "5.31GB", "15.32GB" }));
        // Since boot on the fixture's counters: user 1462348 of 13652680 ticks (iowait is idle, softirq system).
        QCOMPARE(figures.cpuUser, QStringLiteral("10.71%"));
        // The fixture's counters stand still: the next interval has no ticks and zero shares, not NaN.
        const auto interval = cpuUsage(previous, fixture(QStringLiteral("laptop")));
        QVERIFY(interval);
        QCOMPARE(interval->user + interval->system + interval->idle + interval->nice, 0.0);

        const quint64 idleBefore = previous.idle;
        const ResourceFigures unreadable
            = readResourceFigures(previous, HostStatisticsSource { QStringLiteral("/none") }, QStringLiteral("/none"));
        QCOMPARE(unreadable.memoryPercent, QString());
        QCOMPARE(unreadable.cpuUser, QString());
        QCOMPARE(unreadable.disk.percentText, QStringLiteral("0.00%"));
        QCOMPARE(previous.idle, idleBefore); // an unreadable /proc leaves the last ticks alone
    }
};

QTEST_GUILESS_MAIN(HostStatisticsTest)
#include "HostStatisticsTest.moc"
