// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/Battery.h"

#include <QRegularExpression>
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
    void testFreshRecord()
    {
        const Battery battery;
        QVERIFY(!battery.acPowered && !battery.name && !battery.isCharging && !battery.isCharged);
        QVERIFY(!battery.currentCapacity && !battery.maxCapacity && !battery.designCapacity);
        QVERIFY(!battery.timeToFull && !battery.timeToEmpty && !battery.manufacturer && !battery.manufactureDate);
        QVERIFY(!battery.cycleCount && !battery.designCycleCount && !battery.amperage && !battery.voltage);
        QVERIFY(!battery.watts && !battery.temperature);
        QCOMPARE(battery.type, BatteryType::none);
        QVERIFY(!battery.healthPercentage() && !battery.chargePercentage() && !battery.chargeFraction());
        QVERIFY(!battery.remainingMinutes());
        QCOMPARE(battery.remainingTimeText(), QStringLiteral("-"));
    }

    void testIdentity()
    {
        const Battery first;
        const Battery second;
        static const QRegularExpression uuid(
            QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"));
        QVERIFY2(uuid.match(first.id).hasMatch(), qPrintable(first.id));
        QVERIFY(first.id != second.id);
    }

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
        QTest::newRow("design absent") << OptInt(4012) << OptInt(4012) << OptInt() << 100.0 << absent;
        QTest::newRow("empty battery") << OptInt(0) << OptInt(4500) << OptInt(5000) << 0.0 << 90.0;
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
        QCOMPARE(battery.chargePercentage().has_value(), !std::isnan(charge));
        QCOMPARE(battery.chargeFraction().has_value(), !std::isnan(charge));
        if (!std::isnan(charge)) {
            QCOMPARE(*battery.chargePercentage(), charge);
            QCOMPARE(*battery.chargeFraction() * 100.0, charge);
        }
        QCOMPARE(battery.healthPercentage().has_value(), !std::isnan(health));
        if (!std::isnan(health)) {
            QCOMPARE(*battery.healthPercentage(), health);
        }
    }

    // A present zero divisor is not guarded: the caller sees the IEEE result.
    void testZeroDivisor()
    {
        Battery battery;
        battery.currentCapacity = 100;
        battery.maxCapacity = 0;
        QVERIFY(std::isinf(*battery.chargeFraction()));
        battery.currentCapacity = 0;
        QVERIFY(std::isnan(*battery.chargePercentage()));
    }

    void testRemainingTime_data()
    {
        QTest::addColumn<OptBool>("isCharging");
        QTest::addColumn<OptInt>("toFull");
        QTest::addColumn<OptInt>("toEmpty");
        QTest::addColumn<OptInt>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("state unknown") << OptBool() << OptInt(30) << OptInt(40) << OptInt() << "-";
        QTest::newRow("charging, zero") << OptBool(true) << OptInt(0) << OptInt(40) << OptInt(0) << "-";
        QTest::newRow("charging, 59") << OptBool(true) << OptInt(59) << OptInt(40) << OptInt(59) << "00:59";
        QTest::newRow("charging, no estimate") << OptBool(true) << OptInt() << OptInt(40) << OptInt() << "-";
        QTest::newRow("discharging uses empty")
            << OptBool(false) << OptInt(30) << OptInt(125) << OptInt(125) << "02:05";
        QTest::newRow("discharging, no estimate") << OptBool(false) << OptInt(30) << OptInt() << OptInt() << "-";
        QTest::newRow("one minute") << OptBool(false) << OptInt() << OptInt(1) << OptInt(1) << "00:01";
        QTest::newRow("negative") << OptBool(false) << OptInt() << OptInt(-5) << OptInt(-5) << "-";
        QTest::newRow("three-digit hours") << OptBool(false) << OptInt() << OptInt(6000) << OptInt(6000) << "100:00";
        QTest::newRow("largest") << OptBool(false) << OptInt() << OptInt(std::numeric_limits<qint64>::max())
                                 << OptInt(std::numeric_limits<qint64>::max()) << "153722867280912930:07";
    }

    void testRemainingTime()
    {
        QFETCH(OptBool, isCharging);
        QFETCH(OptInt, toFull);
        QFETCH(OptInt, toEmpty);
        QFETCH(OptInt, minutes);
        QFETCH(QString, text);
        Battery battery;
        battery.isCharging = isCharging;
        battery.timeToFull = toFull;
        battery.timeToEmpty = toEmpty;
        QCOMPARE(battery.remainingMinutes(), minutes);
        QCOMPARE(battery.remainingTimeText(), text);
    }
};

QTEST_GUILESS_MAIN(BatteryTest)
#include "BatteryTest.moc"
