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
};

void SpeedFormatTest::testLadder_data()
{
    QTest::addColumn<qint64>("last");
    QTest::addColumn<qint64>("current");
    QTest::addColumn<QString>("text");

    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = kilo * 1024;
    constexpr qint64 giga = mega * 1024;
    constexpr auto lowest = std::numeric_limits<qint64>::min();
    constexpr auto highest = std::numeric_limits<qint64>::max();
    QTest::newRow("9 bytes") << qint64(0) << qint64(9) << "0  b/s";
    QTest::newRow("10 bytes") << qint64(0) << qint64(10) << "10  b/s";
    QTest::newRow("999 bytes") << qint64(0) << qint64(999) << "999  b/s";
    QTest::newRow("kilo tier starts at 1000") << qint64(0) << qint64(1000) << "0.98 Kb/s";
    QTest::newRow("difference of totals") << qint64(5000) << qint64(5000 + kilo) << "1.0 Kb/s";
    QTest::newRow("two decimals only when needed") << qint64(0) << qint64(1126) << "1.1 Kb/s";
    QTest::newRow("half rounds away from zero") << qint64(0) << qint64(1152) << "1.13 Kb/s";
    QTest::newRow("rounds up into 100") << qint64(0) << qint64(102396) << "100.0 Kb/s";
    QTest::newRow("one decimal from 100, half away") << qint64(0) << qint64(102656) << "100.3 Kb/s";
    QTest::newRow("top of kilo tier") << qint64(0) << qint64(1023999) << "1000.0 Kb/s";
    QTest::newRow("mega tier starts at 1000 kilo") << qint64(0) << qint64(1000 * kilo) << "0.98 Mb/s";
    QTest::newRow("top of mega tier") << qint64(0) << qint64(1000 * mega - 1) << "1000.0 Mb/s";
    QTest::newRow("giga tier starts at 1000 mega") << qint64(0) << qint64(1000 * mega) << "0.98 Gb/s";
    QTest::newRow("top of giga tier") << qint64(0) << qint64(1000 * giga - 1) << "1000.0 Gb/s";
    QTest::newRow("max tier starts at 1000 giga") << qint64(0) << qint64(1000 * giga) << "max /s";
    QTest::newRow("scaling overflows 64 bits") << qint64(0) << highest / 1000 + 1 << "max /s";
    QTest::newRow("same totals") << qint64(100) << qint64(100) << "0  b/s";
    QTest::newRow("negative") << qint64(7048) << qint64(5000) << "0  b/s";
    QTest::newRow("scaling underflows 64 bits") << qint64(0) << lowest << "0  b/s";
    // Totals so far apart that their difference does not fit 64 bits either way.
    QTest::newRow("difference overflows") << lowest << highest << "max /s";
    QTest::newRow("difference underflows") << highest << lowest << "0  b/s";
}

void SpeedFormatTest::testLadder()
{
    QFETCH(qint64, last);
    QFETCH(qint64, current);
    QFETCH(QString, text);
    QCOMPARE(formatSpeed(last, current), text);
}

QTEST_GUILESS_MAIN(SpeedFormatTest)
#include "SpeedFormatTest.moc"
