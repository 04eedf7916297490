// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/BatteryUnits.h"

#include "battery/Battery.h"

#include <QTest>
#include <cmath>
#include <limits>

using OptInt = std::optional<qint64>;
using OptBool = std::optional<bool>;
using OptDouble = std::optional<double>;
Q_DECLARE_METATYPE(OptInt)
Q_DECLARE_METATYPE(OptBool)
Q_DECLARE_METATYPE(OptDouble)

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
} // namespace

// The conversions and a reading's derived figures at their edges: rounding, absent and negative
// inputs, 64-bit limits.
class BatteryUnitsTest : public QObject
{
    Q_OBJECT

private slots:
    void testMicroToMilli_data()
    {
        QTest::addColumn<qint64>("micro");
        QTest::addColumn<qint64>("milli");
        QTest::newRow("just below half") << qint64(1499) << qint64(1);
        QTest::newRow("half rounds up") << qint64(1500) << qint64(2);
        QTest::newRow("negative half rounds away") << qint64(-1500) << qint64(-2);
        QTest::newRow("largest") << kMax << qint64(9223372036854776);
        QTest::newRow("smallest") << kMin << qint64(-9223372036854776);
    }
    void testMicroToMilli()
    {
        QFETCH(qint64, micro);
        QTEST(BatteryUnits::microToMilli(micro), "milli");
    }

    // mAh = µWh / µV * 1000, worked by hand; the same arithmetic turns µW at µV into mA.
    void testEnergyToCharge_data()
    {
        QTest::addColumn<OptInt>("microwattHours");
        QTest::addColumn<OptInt>("microvolts");
        QTest::addColumn<OptInt>("milliampHours");
        QTest::newRow("rounds down") << OptInt(18430000) << OptInt(11460000) << OptInt(1608); // 1608.20
        QTest::newRow("rounds up") << OptInt(24050000) << OptInt(11460000) << OptInt(2099); // 2098.60
        QTest::newRow("no voltage") << OptInt(57000000) << OptInt() << OptInt();
        QTest::newRow("zero voltage") << OptInt(57000000) << OptInt(0) << OptInt();
        QTest::newRow("negative energy") << OptInt(-57000000) << OptInt(11400000) << OptInt();
        QTest::newRow("overflows 64 bits") << OptInt(kMax) << OptInt(1) << OptInt();
        QTest::newRow("huge but fits") << OptInt(kMax) << OptInt(11400000) << OptInt(809067722531121);
    }
    void testEnergyToCharge()
    {
        QFETCH(OptInt, microwattHours);
        QFETCH(OptInt, microvolts);
        QFETCH(OptInt, milliampHours);
        QCOMPARE(BatteryUnits::energyToChargeMilliampHours(microwattHours, microvolts), milliampHours);
        QCOMPARE(BatteryUnits::powerToCurrentMilliamps(microwattHours, microvolts), milliampHours);
    }

    void testVoltsAndCelsius_data()
    {
        QTest::addColumn<OptInt>("raw");
        QTest::addColumn<OptDouble>("volts");
        QTest::addColumn<OptDouble>("celsius");
        QTest::newRow("absent") << OptInt() << OptDouble() << OptDouble();
        QTest::newRow("typical voltage") << OptInt(12600000) << OptDouble(12.6) << OptDouble();
        QTest::newRow("zero") << OptInt(0) << OptDouble() << OptDouble(0.0);
        QTest::newRow("coldest kept") << OptInt(-999) << OptDouble() << OptDouble(-99.9);
        QTest::newRow("lower bound") << OptInt(-1000) << OptDouble() << OptDouble();
        QTest::newRow("hottest kept") << OptInt(1999) << OptDouble(0.001999) << OptDouble(199.9);
        QTest::newRow("on fire") << OptInt(2000) << OptDouble(0.002) << OptDouble();
    }
    void testVoltsAndCelsius()
    {
        QFETCH(OptInt, raw);
        QTEST(BatteryUnits::volts(raw), "volts");
        QTEST(BatteryUnits::celsius(raw), "celsius");
    }

    void testMinutes_data()
    {
        QTest::addColumn<OptInt>("seconds");
        QTest::addColumn<OptInt>("minutes");
        QTest::newRow("part minute drops") << OptInt(8579) << OptInt(142);
        QTest::newRow("negative") << OptInt(-60) << OptInt();
        QTest::newRow("longest estimate") << OptInt(65534 * 60 + 59) << OptInt(65534);
        QTest::newRow("gauge has no estimate") << OptInt(65535 * 60) << OptInt();
    }
    void testMinutes()
    {
        QFETCH(OptInt, seconds);
        QTEST(BatteryUnits::minutes(seconds), "minutes");
    }

    void testSignedCurrent_data()
    {
        QTest::addColumn<OptInt>("raw");
        QTest::addColumn<bool>("discharging");
        QTest::addColumn<OptInt>("milliamps");
        QTest::newRow("unsigned while discharging") << OptInt(1500) << true << OptInt(-1500);
        QTest::newRow("signed while discharging") << OptInt(-1500) << true << OptInt(-1500);
        // A signed gauge on a charger too weak for the load: the battery still drains.
        QTest::newRow("draining while charging") << OptInt(-300) << false << OptInt(-300);
        QTest::newRow("largest") << OptInt(kMax) << true << OptInt(-kMax);
    }
    void testSignedCurrent()
    {
        QFETCH(OptInt, raw);
        QFETCH(bool, discharging);
        QTEST(BatteryUnits::signedCurrent(raw, discharging), "milliamps");
    }

    void testWatts_data()
    {
        QTest::addColumn<OptDouble>("volts");
        QTest::addColumn<OptInt>("milliamps");
        QTest::addColumn<OptBool>("isCharging");
        QTest::addColumn<OptDouble>("watts");
        QTest::newRow("discharging") << OptDouble(12.0) << OptInt(-1500) << OptBool(false) << OptDouble(18.0);
        QTest::newRow("charging") << OptDouble(12.6) << OptInt(2000) << OptBool(true) << OptDouble(25.2);
        QTest::newRow("state absent") << OptDouble(12.0) << OptInt(-1500) << OptBool() << OptDouble();
        QTest::newRow("no current, not charging") << OptDouble(12.5) << OptInt(0) << OptBool(false) << OptDouble(0.0);
        // Held at a threshold with a small positive current: the sign of "not charging".
        QTest::newRow("not charging, positive current")
            << OptDouble(12.0) << OptInt(100) << OptBool(false) << OptDouble(-1.2);
        QTest::newRow("draining while charging") << OptDouble(12.0) << OptInt(-300) << OptBool(true) << OptDouble(-3.6);
    }
    void testWatts()
    {
        QFETCH(OptDouble, volts);
        QFETCH(OptInt, milliamps);
        QFETCH(OptBool, isCharging);
        const OptDouble result = BatteryUnits::watts(volts, milliamps, isCharging);
        QTEST(result, "watts");
        // Never a negative zero, which prints as "-0.0".
        QVERIFY(!result || !std::signbit(*result) || *result != 0.0);
    }

    void testPercentages_data()
    {
        QTest::addColumn<OptInt>("current");
        QTest::addColumn<OptInt>("max");
        QTest::addColumn<OptInt>("design");
        QTest::addColumn<OptDouble>("charge");
        QTest::addColumn<OptDouble>("health");
        QTest::newRow("worn battery") << OptInt(4012) << OptInt(4500) << OptInt(5000) << OptDouble(89.15555555555555)
                                      << OptDouble(90.0);
        QTest::newRow("current absent") << OptInt() << OptInt(4500) << OptInt(5000) << OptDouble() << OptDouble(90.0);
        QTest::newRow("max absent") << OptInt(4012) << OptInt() << OptInt(5000) << OptDouble() << OptDouble();
        QTest::newRow("over-full gauge") << OptInt(4600) << OptInt(4500) << OptInt(4000)
                                         << OptDouble(102.22222222222221) << OptDouble(112.5);
    }
    void testPercentages()
    {
        Battery battery;
        QFETCH(OptInt, current);
        QFETCH(OptInt, max);
        QFETCH(OptInt, design);
        battery.currentCapacity = current;
        battery.maxCapacity = max;
        battery.designCapacity = design;
        QTEST(battery.chargePercentage(), "charge");
        QTEST(battery.healthPercentage(), "health");
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
        QTest::newRow("largest") << OptBool(false) << OptInt() << OptInt(kMax) << "153722867280912930:07";
    }
    void testRemainingTime()
    {
        Battery battery;
        QFETCH(OptBool, isCharging);
        QFETCH(OptInt, toFull);
        QFETCH(OptInt, toEmpty);
        battery.isCharging = isCharging;
        battery.timeToFull = toFull;
        battery.timeToEmpty = toEmpty;
        QTEST(battery.remainingTimeText(), "text");
    }
};

QTEST_GUILESS_MAIN(BatteryUnitsTest)
#include "BatteryUnitsTest.moc"
