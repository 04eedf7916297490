// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/DiskUsage.h"

#include "platform/FileSystemStatReader.h"

#include <QTest>
#include <sys/statvfs.h>

class DiskUsageTest : public QObject
{
    Q_OBJECT

private slots:
    void testTexts_data()
    {
        QTest::addColumn<double>("used");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("freeText");
        QTest::addColumn<QString>("totalText");
        QTest::addColumn<QString>("usedText");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<double>("ratio");
        QTest::newRow("half used") << 249963174912.0 << 250000000000.0 << 499963174912.0 << "250.00GB"
                                   << "499.96GB"
                                   << "249.96GB"
                                   << "50.00%" << 249963174912.0 / 499963174912.0;
        QTest::newRow("under a gigabyte free") << 99270000000.0 << 730000000.0 << 100000000000.0 << "730MB"
                                               << "100.00GB"
                                               << "99.27GB"
                                               << "99.27%" << 0.9927;
        QTest::newRow("full") << 100000000000.0 << 0.0 << 100000000000.0 << "0MB"
                              << "100.00GB"
                              << "100.00GB"
                              << "100.00%" << 1.0;
        // The root reserve is neither used nor free: 5 of 100 GB reserved, 45 used, 50 free.
        QTest::newRow("root reserve") << 45e9 << 50e9 << 100e9 << "50.00GB"
                                      << "100.00GB"
                                      << "45.00GB"
                                      << "47.37%" << 45.0 / 95.0;
        QTest::newRow("unreadable") << 0.0 << 0.0 << 0.0 << "0MB"
                                    << "0MB"
                                    << "0MB"
                                    << "0.00%" << 0.0;
    }
    void testTexts()
    {
        QFETCH(double, used);
        QFETCH(double, free);
        QFETCH(double, total);
        const DiskUsage usage = diskUsageFromBytes(used, free, total);
        QTEST(usage.freeText, "freeText");
        QTEST(usage.totalText, "totalText");
        QTEST(usage.usedText, "usedText");
        QTEST(usage.percentText, "percent");
        QFETCH(double, ratio);
        QCOMPARE(usage.usedRatio, ratio);
    }

    void testBlocks_data()
    {
        QTest::addColumn<quint64>("blocks");
        QTest::addColumn<quint64>("bfree");
        QTest::addColumn<quint64>("bavail");
        QTest::addColumn<quint64>("frsize");
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("used");
        QTest::addColumn<quint64>("available");
        QTest::newRow("ext4 with reserve") << quint64(1000) << quint64(300) << quint64(250) << quint64(4096)
                                           << quint64(4096000) << quint64(700 * 4096) << quint64(250 * 4096);
        QTest::newRow("more free than blocks") << quint64(10) << quint64(12) << quint64(12) << quint64(512)
                                               << quint64(5120) << quint64(0) << quint64(6144);
        QTest::newRow("product beyond 64 bits saturates")
            << (quint64(1) << 62) << quint64(0) << quint64(0) << quint64(8) << ~quint64(0) << ~quint64(0) << quint64(0);
    }
    void testBlocks()
    {
        QFETCH(quint64, blocks);
        QFETCH(quint64, bfree);
        QFETCH(quint64, bavail);
        QFETCH(quint64, frsize);
        const FileSystemStat stat = FileSystemStatReader::fromBlocks(blocks, bfree, bavail, frsize);
        QTEST(stat.totalBytes, "total");
        QTEST(stat.usedBytes, "used");
        QTEST(stat.availableBytes, "available");
    }

    void testUnreadableVolume()
    {
        const DiskUsage usage = diskUsage(QStringLiteral("/nonexistent/volume"));
        QCOMPARE(usage.usedRatio, 0.0);
        QCOMPARE(usage.percentText, QStringLiteral("0.00%"));
        QCOMPARE(usage.freeText, QStringLiteral("0MB"));
        QCOMPARE(usage.totalText, QStringLiteral("0MB"));
        QCOMPARE(usage.usedText, QStringLiteral("0MB"));
    }

    void testRootVolume()
    {
        struct statvfs info
        {
        };
        QCOMPARE(::statvfs("/", &info), 0);
        const auto stat = FileSystemStatReader::stat(QStringLiteral("/"));
        QVERIFY(stat);
        QCOMPARE(stat->totalBytes, quint64(info.f_blocks) * info.f_frsize);
        const DiskUsage usage = diskUsage();
        QVERIFY(usage.usedRatio > 0 && usage.usedRatio <= 1);
        QVERIFY(usage.totalText.endsWith(QLatin1String("GB")));
    }
};

QTEST_GUILESS_MAIN(DiskUsageTest)
#include "DiskUsageTest.moc"
