// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/BatteryInfoView.h"

#include <QTest>

namespace {
std::optional<qint64> maybe(qint64 value)
{
    return value < 0 ? std::nullopt : std::optional<qint64>(value);
}
} // namespace

class TestBatteryInfoView : public QObject
{
    Q_OBJECT

private slots:
    void testTexts_data()
    {
        QTest::addColumn<int>("charging"); // -1 absent, 0 false, 1 true
        QTest::addColumn<int>("charged");
        QTest::addColumn<qint64>("current"); // -1 absent
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("cycles");
        QTest::addColumn<double>("temperature"); // NaN absent
        QTest::addColumn<QStringList>("texts"); // state key, capacity, cycles, temperature, percent
        const double none = qQNaN();
        QTest::newRow("charging wins over charged")
            << 1 << 1 << 4012LL << 4382LL << 164LL << 30.64
            << QStringList { "BatteryCharging", "4012 / 4382 mAh", "164", "30.6 ℃", "91.56%" };
        QTest::newRow("charged") << 0 << 1 << 4382LL << 4382LL << 0LL << -2.0
                                 << QStringList { "BatteryChargedFull", "4382 / 4382 mAh", "0", "-2.0 ℃", "100.00%" };
        QTest::newRow("state absent") << -1 << -1 << 100LL << 1000LL << -1LL << none
                                      << QStringList { "BatteryConsuming", "100 / 1000 mAh", "", "", "10.00%" };
        QTest::newRow("no full capacity") << 0 << 0 << 4012LL << -1LL << -1LL << none
                                          << QStringList { "BatteryConsuming", "4012 / 0 mAh", "", "", "0.00%" };
        QTest::newRow("a full capacity of zero") << 0 << 0 << 50LL << 0LL << -1LL << none
                                                 << QStringList { "BatteryConsuming", "50 / 0 mAh", "", "", "0.00%" };
    }

    void testTexts()
    {
        QFETCH(int, charging);
        QFETCH(int, charged);
        QFETCH(double, temperature);
        QFETCH(qint64, current);
        QFETCH(qint64, max);
        QFETCH(qint64, cycles);
        Battery battery;
        if (charging >= 0)
            battery.isCharging = charging == 1;
        if (charged >= 0)
            battery.isCharged = charged == 1;
        battery.currentCapacity = maybe(current);
        battery.maxCapacity = maybe(max);
        battery.cycleCount = maybe(cycles);
        if (!qIsNaN(temperature))
            battery.temperature = temperature;
        const QStringList texts { QString::fromLatin1(BatteryInfoView::stateKey(battery)),
            BatteryInfoView::capacityText(battery), BatteryInfoView::cycleText(battery),
            BatteryInfoView::temperatureText(battery), BatteryInfoView::percentText(battery) };
        QTEST(texts, "texts");
        QVERIFY(qIsFinite(BatteryInfoView::chargeFraction(battery)));
    }
};

QTEST_GUILESS_MAIN(TestBatteryInfoView)
#include "tst_BatteryInfoView.moc"
