// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/DiskUsage.h"

#include "platform/FileSystemStatReader.h"

#include <QTest>

class DiskUsageTest : public QObject
{
    Q_OBJECT

private slots:
    void testTexts_data()
    {
        QTest::addColumn<double>("used");
        QTest::addColumn<double>("free");
        QTest::addColumn<double>("total");
        QTest::addColumn<QStringList>("texts"); // free, total, used, percent
        QTest::addColumn<double>("ratio");
        QTest::newRow("under a gigabyte free") << 99270000000.0 << 730000000.0 << 100000000000.0
                                               << QStringList { "730MB", "100.00GB", "99.27GB", "99.27%" } << 0.9927;
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

    void testUnreadableVolume()
    {
        const DiskUsage usage = diskUsage(QStringLiteral("/nonexistent/volume"));
        QCOMPARE(usage.usedRatio, 0.0);
        QCOMPARE(usage.percentText, QStringLiteral("0.00%"));
    }
};

QTEST_GUILESS_MAIN(DiskUsageTest)
#include "DiskUsageTest.moc"
