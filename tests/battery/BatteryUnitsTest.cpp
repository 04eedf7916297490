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
    // Each conversion of one or two raw values; "-" stands for an absent result.
    void testConversions_data()
    {
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<OptInt>("a");
        QTest::addColumn<OptInt>("b");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *conversion, const char *name, OptInt a, OptInt b, const char *result) {
            QTest::addRow("%s: %s", conversion, name) << conversion << a << b << result;
        };
        row("milli", "just below half", 1499, {}, "1");
        row("milli", "half rounds up", 1500, {}, "2");
        row("milli", "negative half rounds away", -1500, {}, "-2");
        row("milli", "largest", kMax, {}, "9223372036854776");
        row("milli", "smallest", kMin, {}, "-9223372036854776");
        // mAh = µWh / µV * 1000, worked by hand; the same arithmetic turns µW at µV into mA.
        row("charge", "rounds down", 18430000, 11460000, "1608"); // 1608.20
        row("charge", "rounds up", 24050000, 11460000, "2099"); // 2098.60
        row("charge", "no voltage", 57000000, {}, "-");
        row("charge", "zero voltage", 57000000, 0, "-");
        row("charge", "negative energy", -57000000, 11400000, "-");
        row("charge", "overflows 64 bits", kMax, 1, "-");
        row("charge", "huge but fits", kMax, 11400000, "809067722531121");
        // Volts from µV, then °C from tenths, both of one raw value.
        row("volts, celsius", "absent", {}, {}, "- -");
        row("volts, celsius", "typical voltage", 12600000, {}, "12.6 -");
        row("volts, celsius", "zero", 0, {}, "- 0");
        row("volts, celsius", "coldest kept", -999, {}, "- -99.9");
        row("volts, celsius", "lower bound", -1000, {}, "- -");
        row("volts, celsius", "hottest kept", 1999, {}, "0.001999 199.9");
        row("volts, celsius", "on fire", 2000, {}, "0.002 -");
        row("minutes", "part minute drops", 8579, {}, "142");
        row("minutes", "negative", -60, {}, "-");
        row("minutes", "longest estimate", 65534 * 60 + 59, {}, "65534");
        row("minutes", "gauge has no estimate", 65535 * 60, {}, "-");
        // The second value: 1 while discharging. A signed gauge on a charger too weak for the
        // load reads negative while charging: the battery still drains.
        row("signed current", "unsigned while discharging", 1500, 1, "-1500");
        row("signed current", "signed while discharging", -1500, 1, "-1500");
        row("signed current", "draining while charging", -300, 0, "-300");
        row("signed current", "largest", kMax, 1, "-9223372036854775807");
    }
    void testConversions()
    {
        QFETCH(QString, conversion);
        QFETCH(OptInt, a);
        QFETCH(OptInt, b);
        const auto text = [](const auto &value) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, OptDouble>)
                return value ? QString::number(*value, 'g', 12) : QStringLiteral("-");
            else
                return value ? QString::number(*value) : QStringLiteral("-");
        };
        QString result;
        if (conversion == QLatin1String("milli")) {
            result = QString::number(BatteryUnits::microToMilli(*a));
        } else if (conversion == QLatin1String("charge")) {
            result = text(BatteryUnits::energyToChargeMilliampHours(a, b));
            QCOMPARE(text(BatteryUnits::powerToCurrentMilliamps(a, b)), result);
        } else if (conversion == QLatin1String("volts, celsius")) {
            result = text(BatteryUnits::volts(a)) + u' ' + text(BatteryUnits::celsius(a));
        } else if (conversion == QLatin1String("minutes")) {
            result = text(BatteryUnits::minutes(a));
        } else {
            result = text(BatteryUnits::signedCurrent(a, b == 1));
        }
        QTEST(result, "result");
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
