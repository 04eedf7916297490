// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/HostStatistics.h"

#include "platform/MemInfoReader.h"
#include "platform/ProcStatReader.h"
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
        QTest::newRow("tiny") << 0.0004 << "0MB";
        QTest::newRow("zero") << 0.0 << "0MB";
        QTest::newRow("half") << 0.5 << "500MB";
        QTest::newRow("two decimals") << 15.3249 << "15.32GB";
        QTest::newRow("negative") << -0.25 << "-250MB";
        QTest::newRow("not a number") << std::nan("") << "0MB";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0MB";
        QTest::newRow("minus infinite") << -std::numeric_limits<double>::infinity() << "0MB";
        QTest::newRow("beyond 64-bit megabytes") << -1e17 << "-100000000000000000000MB";
    }
    void testFormatSize()
    {
        QFETCH(double, gigabytes);
        QFETCH(QString, text);
        QCOMPARE(formatSize(gigabytes), text);
    }

    void testUsedShare_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("share"); // -1: absent
        QTest::newRow("16 GiB with 4 free") << 16.0 << 4.0 << 0.75;
        QTest::newRow("free above total") << 8.0 << 9.0 << 0.0;
        QTest::newRow("nothing free") << 8.0 << 0.0 << 1.0;
        QTest::newRow("negative free") << 8.0 << -1.0 << 1.0;
        QTest::newRow("no total") << 0.0 << 0.0 << -1.0;
        QTest::newRow("not a number") << std::nan("") << 1.0 << -1.0;
    }
    void testUsedShare()
    {
        QFETCH(double, total);
        QFETCH(double, free);
        QFETCH(double, share);
        const auto result = memoryUsedShare(total, free);
        if (share < 0) {
            QVERIFY(!result);
            return;
        }
        QVERIFY(result);
        QCOMPARE(*result, share);
    }

    void testSpecExampleTexts()
    {
        const double total = 16;
        const double free = 4;
        QCOMPARE(percentText(*memoryUsedShare(total, free)), QStringLiteral("75.00%"));
        QCOMPARE(formatSize(total - free), QStringLiteral("12.00GB"));
        QCOMPARE(formatSize(free), QStringLiteral("4.00GB"));
        QCOMPARE(percentText(0.63271), QStringLiteral("63.27%"));
        QCOMPARE(percentText(std::nan("")), QStringLiteral("0.00%"));
    }

    void testCpuShares_data()
    {
        QTest::addColumn<CpuLoadTicks>("previous");
        QTest::addColumn<CpuLoadTicks>("current");
        QTest::addColumn<CpuUsage>("expected");
        QTest::newRow("quarter each") << CpuLoadTicks { 0, 0, 0, 0 } << CpuLoadTicks { 10, 10, 10, 10 }
                                      << CpuUsage { 25, 25, 25, 25 };
        QTest::newRow("no tick elapsed") << CpuLoadTicks { 5, 6, 7, 8 } << CpuLoadTicks { 5, 6, 7, 8 } << CpuUsage {};
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
        QCOMPARE(usage.system, expected.system);
        QCOMPARE(usage.user, expected.user);
        QCOMPARE(usage.idle, expected.idle);
        QCOMPARE(usage.nice, expected.nice);
    }

    void testProcStatParse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint64>("user");
        QTest::addColumn<quint64>("steal");
        QTest::newRow("current kernel") << QByteArray("cpu  4779 0 2149 85480 322 0 46 15 0 0\ncpu0 1 2 3 4\n") << true
                                        << quint64(4779) << quint64(15);
        QTest::newRow("2.6.0 kernel, four fields")
            << QByteArray("cpu  10 20 30 40\n") << true << quint64(10) << quint64(0);
        QTest::newRow("64-bit values") << QByteArray("cpu  18446744073709551615 0 0 0 0 0 0 7\n") << true
                                       << quint64(18446744073709551615ULL) << quint64(7);
        QTest::newRow("per-CPU lines only") << QByteArray("cpu0 1 2 3 4\n") << false << quint64(0) << quint64(0);
        QTest::newRow("too few fields") << QByteArray("cpu  1 2 3\n") << false << quint64(0) << quint64(0);
        QTest::newRow("garbage value") << QByteArray("cpu  1 2 x 4\n") << false << quint64(0) << quint64(0);
        QTest::newRow("overflowing value")
            << QByteArray("cpu  99999999999999999999 2 3 4\n") << false << quint64(0) << quint64(0);
        QTest::newRow("empty") << QByteArray() << false << quint64(0) << quint64(0);
    }
    void testProcStatParse()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        const auto times = ProcStatReader::parse(text);
        QCOMPARE(bool(times), valid);
        if (!valid)
            return;
        QFETCH(quint64, user);
        QFETCH(quint64, steal);
        QCOMPARE(times->user, user);
        QCOMPARE(times->steal, steal);
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
        QTest::newRow("no free figure at all") << QByteArray("MemTotal: 1000 kB\n") << qint64(-1);
        QTest::newRow("value without unit ignored")
            << QByteArray("MemTotal: 1000 kB\nMemAvailable: 600\nMemFree: 5 kB\n") << qint64(5 * 1024);
        QTest::newRow("garbage") << QByteArray("\x01\x02 MemAvailable:: kB\n") << qint64(-1);
    }
    void testFreeMemory()
    {
        QFETCH(QByteArray, meminfo);
        QFETCH(qint64, freeBytes);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("proc")));
        QFile file(dir.filePath(QStringLiteral("proc/meminfo")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(meminfo);
        file.close();
        const auto vm = hostVmStatistics(HostStatisticsSource { dir.filePath(QStringLiteral("proc")) });
        QCOMPARE(bool(vm), freeBytes >= 0);
        if (vm)
            QCOMPARE(qint64(vm->freeBytes), freeBytes);
    }

    void testFixtureMachines_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<quint64>("maxMem");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("freeText");
        QTest::addColumn<bool>("compressed");
        QTest::newRow("laptop") << "laptop" << quint64(16063220) * 1024 << "34.64%"
                                << "10.01GB" << true;
        QTest::newRow("desktop") << "desktop-hybrid" << quint64(32630092) * 1024 << "16.24%"
                                 << "26.07GB" << true;
        QTest::newRow("vm") << "vm-nodmi" << quint64(24683784) * 1024 << "1.40%"
                            << "23.21GB" << true;
        QTest::newRow("arm board, kernel without Zswapped") << "arm-board" << quint64(3885424) * 1024 << "19.90%"
                                                            << "2.97GB" << false;
    }
    void testFixtureMachines()
    {
        QFETCH(QString, machine);
        QFETCH(quint64, maxMem);
        QFETCH(QString, percent);
        QFETCH(QString, freeText);
        QFETCH(bool, compressed);
        const HostStatisticsSource source = fixture(machine);
        QCOMPARE(hostBasicInfo(source)->maxMem, maxMem);
        QCOMPARE(memoryPercentText(source), percent);
        const auto usage = memoryUsage(source);
        QVERIFY(usage);
        QCOMPARE(formatSize(usage->free), freeText);
        QCOMPARE(bool(usage->compressed), compressed);
        QVERIFY(usage->active > 0 && usage->inactive > 0);
    }

    void testCpuUsageSinceBootThenInterval()
    {
        const HostStatisticsSource source = fixture(QStringLiteral("laptop"));
        CpuLoadTicks previous;
        const auto sinceBoot = cpuUsage(previous, source);
        QVERIFY(sinceBoot);
        QVERIFY(previous.idle > 0);
        QCOMPARE(std::round(sinceBoot->user + sinceBoot->system + sinceBoot->idle + sinceBoot->nice), 100.0);
        QVERIFY(sinceBoot->idle > sinceBoot->user);
        // A fixture's counters stand still: the next interval has no ticks and zero shares.
        const auto interval = cpuUsage(previous, source);
        QVERIFY(interval);
        QCOMPARE(interval->user + interval->system + interval->idle + interval->nice, 0.0);
    }

    void testUnreadableProc()
    {
        const HostStatisticsSource source { QStringLiteral("/nonexistent/proc") };
        CpuLoadTicks previous { 1, 2, 3, 4 };
        QVERIFY(!cpuUsage(previous, source));
        QCOMPARE(previous.idle, quint64(3));
        QVERIFY(!hostVmStatistics(source));
        QVERIFY(!memoryUsage(source));
        QVERIFY(!hostBasicInfo(source));
        QCOMPARE(memoryPercentText(source), QString());
    }

    void testPanelRefresh()
    {
        CpuLoadTicks previous;
        const ResourceFigures figures
            = readResourceFigures(previous, fixture(QStringLiteral("laptop")), QStringLiteral(TAVLO_TEST_DATA));
        QCOMPARE(figures.memoryPercent, QStringLiteral("34.64%"));
        QCOMPARE(figures.memoryFree, QStringLiteral("10.01GB"));
        QCOMPARE(figures.memoryUsed, QStringLiteral("5.31GB"));
        QCOMPARE(figures.memoryTotal, QStringLiteral("15.32GB"));
        QVERIFY(std::abs(figures.memoryShare - 0.3464) < 1e-4);
        // Since boot on the fixture's counters: user 1462348 of 13652680 ticks (iowait is idle, softirq system).
        QCOMPARE(figures.cpuUser, QString::asprintf("%.2f%%", 100.0 * 1462348 / 13652680));
        QVERIFY(figures.disk.totalText.endsWith(QLatin1String("GB")));

        const ResourceFigures unreadable
            = readResourceFigures(previous, HostStatisticsSource { QStringLiteral("/none") }, QStringLiteral("/none"));
        QCOMPARE(unreadable.memoryPercent, QString());
        QCOMPARE(unreadable.cpuUser, QString());
        QCOMPARE(unreadable.disk.percentText, QStringLiteral("0.00%"));
    }

    void testThisMachine()
    {
        QVERIFY(hostCpuLoadInfo());
        const auto info = hostBasicInfo();
        QVERIFY(info && info->maxMem > 0);
        const auto usage = memoryUsage();
        QVERIFY(usage && usage->free > 0 && usage->free * bytesPerGiB <= double(info->maxMem));
        QVERIFY(memoryPercentText().endsWith(u'%'));
    }
};

QTEST_GUILESS_MAIN(HostStatisticsTest)
#include "HostStatisticsTest.moc"
