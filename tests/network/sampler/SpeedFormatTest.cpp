// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/SpeedFormat.h"

#include <QTest>
#include <limits>

class SpeedFormatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testLadder_data();
    void testLadder();
    void testDifferenceOfTotals();
};

void SpeedFormatTest::testLadder_data()
{
    QTest::addColumn<qint64>("difference");
    QTest::addColumn<QString>("text");

    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = kilo * 1024;
    constexpr qint64 giga = mega * 1024;
    QTest::newRow("nothing") << qint64(0) << "0  b/s";
    QTest::newRow("9 bytes") << qint64(9) << "0  b/s";
    QTest::newRow("negative") << qint64(-1) << "0  b/s";
    QTest::newRow("large negative") << qint64(-5 * giga) << "0  b/s";
    QTest::newRow("10 bytes") << qint64(10) << "10  b/s";
    QTest::newRow("512 bytes") << qint64(512) << "512  b/s";
    QTest::newRow("999 bytes") << qint64(999) << "999  b/s";
    QTest::newRow("kilo tier starts at 1000") << qint64(1000) << "0.98 Kb/s";
    QTest::newRow("one kilo") << qint64(kilo) << "1.0 Kb/s";
    QTest::newRow("two decimals only when needed") << qint64(1126) << "1.1 Kb/s";
    QTest::newRow("half rounds away from zero") << qint64(1152) << "1.13 Kb/s";
    QTest::newRow("rounds up into 100") << qint64(102396) << "100.0 Kb/s";
    QTest::newRow("100 kilo") << qint64(100 * kilo) << "100.0 Kb/s";
    QTest::newRow("one decimal from 100, half away") << qint64(102656) << "100.3 Kb/s";
    QTest::newRow("top of kilo tier") << qint64(1023999) << "1000.0 Kb/s";
    QTest::newRow("mega tier starts at 1000 kilo") << qint64(1000 * kilo) << "0.98 Mb/s";
    QTest::newRow("one mega") << qint64(mega) << "1.0 Mb/s";
    QTest::newRow("12.35 mega") << qint64(12949914) << "12.35 Mb/s";
    QTest::newRow("top of mega tier") << qint64(1000 * mega - 1) << "1000.0 Mb/s";
    QTest::newRow("giga tier starts at 1000 mega") << qint64(1000 * mega) << "0.98 Gb/s";
    QTest::newRow("one giga") << qint64(giga) << "1.0 Gb/s";
    QTest::newRow("top of giga tier") << qint64(1000 * giga - 1) << "1000.0 Gb/s";
    QTest::newRow("max tier starts at 1000 giga") << qint64(1000 * giga) << "max /s";
    QTest::newRow("largest that scales in 64 bits") << qint64(std::numeric_limits<qint64>::max() / 1000) << "max /s";
    QTest::newRow("scaling overflows 64 bits") << qint64(std::numeric_limits<qint64>::max() / 1000 + 1) << "max /s";
    QTest::newRow("largest difference") << std::numeric_limits<qint64>::max() << "max /s";
    QTest::newRow("scaling underflows 64 bits") << std::numeric_limits<qint64>::min() << "0  b/s";
}

void SpeedFormatTest::testLadder()
{
    QFETCH(qint64, difference);
    QFETCH(QString, text);
    QCOMPARE(formatSpeed(0, difference), text);
    if (difference >= 0 && difference <= std::numeric_limits<qint64>::max() - 1000000)
        QCOMPARE(formatSpeed(1000000, 1000000 + difference), text);
}

void SpeedFormatTest::testDifferenceOfTotals()
{
    QCOMPARE(formatSpeed(5000, 7048), QStringLiteral("2.0 Kb/s"));
    QCOMPARE(formatSpeed(100, 100), QStringLiteral("0  b/s"));
    QCOMPARE(formatSpeed(7048, 5000), QStringLiteral("0  b/s"));
    // Totals so far apart that their difference does not fit 64 bits either way.
    constexpr auto lowest = std::numeric_limits<qint64>::min();
    constexpr auto highest = std::numeric_limits<qint64>::max();
    QCOMPARE(formatSpeed(lowest, highest), QStringLiteral("max /s"));
    QCOMPARE(formatSpeed(highest, lowest), QStringLiteral("0  b/s"));
}

QTEST_GUILESS_MAIN(SpeedFormatTest)
#include "SpeedFormatTest.moc"
