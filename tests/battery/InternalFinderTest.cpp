// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/InternalFinder.h"

#include "BatteryExpectation.h"

#include <QTest>

// Each row's figures are worked out by hand from the raw files of its fixture tree under
// tests/data/battery. Energy-counting batteries: mAh = µWh / voltage_min_design µV * 1000,
// mA = power_now µW / voltage_now µV * 1000, both rounded to the nearest. The tests run
// without a system bus, so times come from sysfs alone.
class InternalFinderTest : public QObject
{
    Q_OBJECT

private slots:
    void testFixtures_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("found");
        QTest::addColumn<BatteryExpectation>("expected");

        // 18430000/11460000 = 1608.20; 21430000/… = 1869.98; 24050000/… = 2098.60;
        // 7215000/11994000 = 601.55 mA, discharging; 11.994 V * 602 mA = 7.220388 W.
        QTest::newRow("ACPI energy battery, ThinkPad, on battery") << "thinkpad-energy" << true
                                                                   << BatteryExpectation { .acPowered = false,
                                                                          .name = QStringLiteral("BAT0"),
                                                                          .isCharging = false,
                                                                          .isCharged = false,
                                                                          .currentCapacity = 1608,
                                                                          .maxCapacity = 1870,
                                                                          .designCapacity = 2099,
                                                                          .manufacturer = QStringLiteral("SMP"),
                                                                          .cycleCount = 287,
                                                                          .amperage = -602,
                                                                          .voltage = 11.994,
                                                                          .watts = 7.220388 };
        // 8.217 V * 2357 mA = 19.367469 W.
        QTest::newRow("ACPI charge battery, charging") << "acpi-charge" << true
                                                       << BatteryExpectation { .acPowered = true,
                                                              .name = QStringLiteral("BAT0"),
                                                              .isCharging = true,
                                                              .isCharged = false,
                                                              .currentCapacity = 5591,
                                                              .maxCapacity = 7874,
                                                              .designCapacity = 8947,
                                                              .manufacturer = QStringLiteral("SMP"),
                                                              .cycleCount = 164,
                                                              .amperage = 2357,
                                                              .voltage = 8.217,
                                                              .watts = 19.367469 };
        // Signed current kept; 11280 s = 188 min; time_to_full_avg 3932100 s is 65535 min,
        // the gauge's "no estimate"; 296 tenths = 29.6 °C; 7.652 V * 840 mA = 6.42768 W.
        QTest::newRow("Smart Battery gauge, Chromebook") << "chromebook-sbs" << true
                                                         << BatteryExpectation { .acPowered = false,
                                                                .name = QStringLiteral("sbs-9-000b"),
                                                                .isCharging = false,
                                                                .isCharged = false,
                                                                .currentCapacity = 2633,
                                                                .maxCapacity = 4114,
                                                                .designCapacity = 4400,
                                                                .timeToEmpty = 188,
                                                                .manufacturer = QStringLiteral("SDI"),
                                                                .manufactureDate = QDate(2021, 3, 17),
                                                                .cycleCount = 92,
                                                                .amperage = -840,
                                                                .voltage = 7.652,
                                                                .watts = 6.42768,
                                                                .temperature = 29.6 };
        // USB charger online; 8520 s = 142 min; 3.806 V * 1204 mA = 4.582424 W; 31.8 °C.
        QTest::newRow("bq27xxx gauge, tablet, charging over USB")
            << "tablet-bq27xxx" << true
            << BatteryExpectation { .acPowered = true,
                   .name = QStringLiteral("bq27541-0"),
                   .isCharging = true,
                   .isCharged = false,
                   .currentCapacity = 1635,
                   .maxCapacity = 3892,
                   .designCapacity = 4325,
                   .timeToFull = 142,
                   .manufacturer = QStringLiteral("Texas Instruments"),
                   .cycleCount = 37,
                   .amperage = 1204,
                   .voltage = 3.806,
                   .watts = 4.582424,
                   .temperature = 31.8 };
        // BAT0 comes first; "Not charging" with power_now 0: 0 mA and 0 W, not -0.
        // 20460000/11400000 = 1794.74; 22730000/… = 1993.86; 23480000/… = 2059.65.
        QTest::newRow("two batteries, first one held at threshold") << "two-batteries" << true
                                                                    << BatteryExpectation { .acPowered = true,
                                                                           .name = QStringLiteral("BAT0"),
                                                                           .isCharging = false,
                                                                           .isCharged = false,
                                                                           .currentCapacity = 1795,
                                                                           .maxCapacity = 1994,
                                                                           .designCapacity = 2060,
                                                                           .manufacturer = QStringLiteral("LGC"),
                                                                           .cycleCount = 412,
                                                                           .amperage = 0,
                                                                           .voltage = 12.51,
                                                                           .watts = 0.0 };
        // BAT0 has present 0. 25610000/10800000 = 2371.30; 68910000/… = 6380.56;
        // 71960000/… = 6662.96; 10780000/11020000 = 978.22 mA; 11.02 V * 978 mA = 10.77756 W.
        QTest::newRow("first bay empty") << "first-bay-empty" << true
                                         << BatteryExpectation { .acPowered = false,
                                                .name = QStringLiteral("BAT1"),
                                                .isCharging = false,
                                                .isCharged = false,
                                                .currentCapacity = 2371,
                                                .maxCapacity = 6381,
                                                .designCapacity = 6663,
                                                .manufacturer = QStringLiteral("SANYO"),
                                                .cycleCount = 96,
                                                .amperage = -978,
                                                .voltage = 11.02,
                                                .watts = 10.77756 };
        QTest::newRow("desktop with peripheral batteries only")
            << "desktop-peripherals" << false << BatteryExpectation {};
        // Powered through USB-C while the ACPI adapter says offline; the mouse is ignored.
        // 8.398 V * 3102 mA = 26.050596 W.
        QTest::newRow("USB-C power, peripheral beside") << "xps-usbc" << true
                                                        << BatteryExpectation { .acPowered = true,
                                                               .name = QStringLiteral("BAT0"),
                                                               .isCharging = true,
                                                               .isCharged = false,
                                                               .currentCapacity = 3415,
                                                               .maxCapacity = 6102,
                                                               .designCapacity = 6710,
                                                               .manufacturer = QStringLiteral("BYD"),
                                                               .cycleCount = 58,
                                                               .amperage = 3102,
                                                               .voltage = 8.398,
                                                               .watts = 26.050596 };
        QTest::newRow("missing fields") << "missing-fields" << true
                                        << BatteryExpectation { .name = QStringLiteral("BAT0"),
                                               .isCharging = false,
                                               .isCharged = false,
                                               .currentCapacity = 2100,
                                               .amperage = -900 };
        // No design voltage: no mAh figures. Unknown state: current unsigned, no watts.
        // 5000000/12500000 = 400 mA. A cycle count of 0 is a count.
        QTest::newRow("energy battery without design voltage")
            << "energy-no-design-voltage" << true
            << BatteryExpectation { .name = QStringLiteral("BAT0"), .cycleCount = 0, .amperage = 400, .voltage = 12.5 };
        QTest::newRow("odd values") << "odd-values" << true
                                    << BatteryExpectation {
                                           .name = QStringLiteral("BAT0"), .isCharging = false, .isCharged = false
                                       };
    }

    void testFixtures()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, found);
        QFETCH(BatteryExpectation, expected);
        const InternalFinder finder({ .sysRoot = QStringLiteral(TAVLO_TEST_DATA "/battery/") + fixture });
        const std::optional<Battery> battery = finder.readInternalBattery();
        QCOMPARE(battery.has_value(), found);
        if (battery) {
            QCOMPARE(battery->type, BatteryType::mac);
            QVERIFY(BatteryExpectationCheck::matches(*battery, expected));
        }
    }

    void testNoPowerSupplyClass_data()
    {
        QTest::addColumn<QString>("root");
        QTest::newRow("root missing") << QStringLiteral("/nonexistent/tavlo-sys");
        QTest::newRow("no power_supply class") << QStringLiteral(TAVLO_TEST_DATA "/battery");
    }

    void testNoPowerSupplyClass()
    {
        QFETCH(QString, root);
        QVERIFY(!InternalFinder({ .sysRoot = root }).readInternalBattery());
    }

    void testEveryReadingIsNewRecord()
    {
        const InternalFinder finder({ .sysRoot = QStringLiteral(TAVLO_TEST_DATA "/battery/acpi-charge") });
        const auto first = finder.readInternalBattery();
        const auto second = finder.readInternalBattery();
        QVERIFY(first && second);
        QVERIFY(first->id != second->id);
        QCOMPARE(first->currentCapacity, second->currentCapacity);
    }
};

QTEST_GUILESS_MAIN(InternalFinderTest)
#include "InternalFinderTest.moc"
