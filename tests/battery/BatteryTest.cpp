// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/Battery.h"

#include <QTest>
#include <cmath>

using OptInt = std::optional<qint64>;
using OptBool = std::optional<bool>;
Q_DECLARE_METATYPE(OptInt)
Q_DECLARE_METATYPE(OptBool)

class BatteryTest : public QObject
{
    Q_OBJECT

private slots:
    void testPercentages_data()
    {
        QTest::addColumn<OptInt>("current");
        QTest::addColumn<OptInt>("max");
        QTest::addColumn<OptInt>("design");
        QTest::addColumn<double>("charge"); // NaN: absent
        QTest::addColumn<double>("health"); // NaN: absent
        const double absent = std::nan("");
        QTest::newRow("worn battery") << OptInt(4012) << OptInt(4500) << OptInt(5000) << 89.155555555555555 << 90.0;
        QTest::newRow("current absent") << OptInt() << OptInt(4500) << OptInt(5000) << absent << 90.0;
        QTest::newRow("max absent") << OptInt(4012) << OptInt() << OptInt(5000) << absent << absent;
        QTest::newRow("over-full gauge") << OptInt(4600) << OptInt(4500) << OptInt(4000) << 102.22222222222223 << 112.5;
    }
    void testPercentages()
    {
        QFETCH(OptInt, current);
        QFETCH(OptInt, max);
        QFETCH(OptInt, design);
        QFETCH(double, charge);
        QFETCH(double, health);
        Battery battery;
        battery.currentCapacity = current;
        battery.maxCapacity = max;
        battery.designCapacity = design;
        // Absent is no value at all, not a NaN inside one.
        QCOMPARE(battery.chargePercentage().has_value(), !std::isnan(charge));
        QCOMPARE(battery.healthPercentage().has_value(), !std::isnan(health));
        QCOMPARE(battery.chargePercentage().value_or(absent()), charge);
        QCOMPARE(battery.chargeFraction().value_or(absent() / 100) * 100.0, charge);
        QCOMPARE(battery.healthPercentage().value_or(absent()), health);
    }

    void testRemainingTime_data()
    {
        QTest::addColumn<OptBool>("isCharging");
        QTest::addColumn<OptInt>("toFull");
        QTest::addColumn<OptInt>("toEmpty");
        QTest::addColumn<QString>("text");
        QTest::newRow("state unknown") << OptBool() << OptInt(30) << OptInt(40) << "-";
        QTest::newRow("charging, zero") << OptBool(true) << OptInt(0) << OptInt(40) << "-";
        QTest::newRow("charging, 59") << OptBool(true) << OptInt(59) << OptInt(40) << "00:59";
        QTest::newRow("discharging uses empty") << OptBool(false) << OptInt(30) << OptInt(125) << "02:05";
        QTest::newRow("discharging, no estimate") << OptBool(false) << OptInt(30) << OptInt() << "-";
        QTest::newRow("negative") << OptBool(false) << OptInt() << OptInt(-5) << "-";
        QTest::newRow("largest") << OptBool(false) << OptInt() << OptInt(std::numeric_limits<qint64>::max())
                                 << "153722867280912930:07";
    }
    void testRemainingTime()
    {
        QFETCH(OptBool, isCharging);
        QFETCH(OptInt, toFull);
        QFETCH(OptInt, toEmpty);
        Battery battery;
        battery.isCharging = isCharging;
        battery.timeToFull = toFull;
        battery.timeToEmpty = toEmpty;
        QTEST(battery.remainingTimeText(), "text");
    }

private:
    // QCOMPARE counts two NaNs as equal, so an absent value compares as NaN.
    static double absent() { return std::nan(""); }
};

QTEST_GUILESS_MAIN(BatteryTest)
#include "BatteryTest.moc"
