// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UPowerClient.h"

#include "PrivateBus.h"
#include "battery/InternalFinder.h"

#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QTest>
#include <csignal>

namespace {
const QString kService = QStringLiteral("org.freedesktop.UPower");
const QString kManager = QStringLiteral("/org/freedesktop/UPower");

std::optional<Battery> readFixture(const char *name, bool askUPower)
{
    return InternalFinder({ .sysRoot = QStringLiteral(TAVLO_TEST_DATA "/battery/") + QLatin1String(name),
                              .askUPower = askUPower,
                              .upowerTimeoutMs = 2000 })
        .readInternalBattery();
}
} // namespace

using OptInt = std::optional<qint64>;
Q_DECLARE_METATYPE(OptInt)

// UPower on a private bus standing in for the system bus: python3-dbusmock's upower template,
// with devices shaped as UPower publishes them.
class UPowerClientTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString reason = m_bus.start();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
        QVERIFY(m_bus.startService({ "-m", "dbusmock", "--template", "upower" }, kService));
    }

    void cleanup()
    {
        for (const QString &path : std::as_const(m_devices))
            m_bus.mockCall(kService, kManager, QStringLiteral("RemoveObject"), { path });
        m_devices.clear();
    }

    void testBatteryTimes_data()
    {
        QTest::addColumn<QString>("nativePath");
        QTest::addColumn<uint>("kind");
        QTest::addColumn<qlonglong>("toEmpty");
        QTest::addColumn<qlonglong>("toFull");
        QTest::addColumn<bool>("found");
        QTest::addColumn<OptInt>("expectedToEmpty");
        QTest::addColumn<OptInt>("expectedToFull");
        // UPower kinds: 2 battery, 5 mouse. Times are seconds; 0 means no estimate.
        QTest::newRow("charging") << "BAT0" << 2u << 0ll << 3000ll << true << OptInt() << OptInt(3000);
        QTest::newRow("full sysfs path") << "/sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0" << 2u
                                         << 60ll << 0ll << true << OptInt(60) << OptInt();
        QTest::newRow("negative estimate") << "BAT0" << 2u << -60ll << 0ll << true << OptInt() << OptInt();
        QTest::newRow("name is only a suffix") << "XBAT0" << 2u << 5400ll << 0ll << false << OptInt() << OptInt();
        QTest::newRow("not a battery") << "BAT0" << 5u << 5400ll << 0ll << false << OptInt() << OptInt();
    }
    void testBatteryTimes()
    {
        QFETCH(QString, nativePath);
        QFETCH(uint, kind);
        QFETCH(qlonglong, toEmpty);
        QFETCH(qlonglong, toFull);
        QFETCH(bool, found);
        QVERIFY(addDevice(QStringLiteral("battery_under_test"), nativePath, kind, toEmpty, toFull));
        // A mouse listed before: UPower enumerates peripherals along with the batteries.
        QVERIFY(addDevice(QStringLiteral("mouse_dev_E3_1F"), QStringLiteral("hidpp_battery_0"), 5, 7200, 0));
        const std::optional<UPowerTimes> times = UPowerClient(2000).batteryTimes(QStringLiteral("BAT0"));
        QCOMPARE(times.has_value(), found);
        if (times) {
            QTEST(times->timeToEmpty, "expectedToEmpty");
            QTEST(times->timeToFull, "expectedToFull");
        }
    }

    // The ThinkPad's ACPI battery gives sysfs no times; the reading takes UPower's, in minutes.
    // A gauge's own estimate wins over UPower's.
    void testFinderTakesUPowerTimes()
    {
        QVERIFY(addDevice(QStringLiteral("battery_BAT0"), QStringLiteral("BAT0"), 2, 9030, 0));
        const std::optional<Battery> battery = readFixture("thinkpad-energy", true);
        QVERIFY(battery);
        QCOMPARE(battery->timeToEmpty, std::optional<qint64>(150)); // 9030 s
        QCOMPARE(battery->remainingTimeText(), QStringLiteral("02:30"));
        QCOMPARE(readFixture("chromebook-sbs", true)->timeToEmpty, std::optional<qint64>(188));
    }

    // A UPower that hangs costs the time-out, no more.
    void testUnansweredCallIsBounded()
    {
        QVERIFY(addDevice(QStringLiteral("battery_BAT0"), QStringLiteral("BAT0"), 2, 9030, 0));
        const auto pid = static_cast<pid_t>(m_bus.service().processId());
        QCOMPARE(::kill(pid, SIGSTOP), 0);
        QElapsedTimer clock;
        clock.start();
        const std::optional<UPowerTimes> times = UPowerClient(300).batteryTimes(QStringLiteral("BAT0"));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(::kill(pid, SIGCONT), 0);
        QVERIFY(!times);
        QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));
    }

    // Last: UPower leaves the bus; the client answers nothing, at once.
    void testNoUPower()
    {
        m_bus.stopService();
        QVERIFY(!UPowerClient(2000).batteryTimes(QStringLiteral("BAT0")));
    }

private:
    // The template's discharging battery, then made the device asked for.
    bool addDevice(const QString &name, const QString &nativePath, uint kind, qlonglong toEmpty, qlonglong toFull)
    {
        const QString path = QStringLiteral("/org/freedesktop/UPower/devices/") + name;
        m_devices.append(path);
        return m_bus.mockCall(
                   kService, kManager, QStringLiteral("AddDischargingBattery"), { name, name, 86.0, toEmpty })
            && m_bus.mockCall(kService, path, QStringLiteral("AddProperties"),
                { QStringLiteral("org.freedesktop.UPower.Device"),
                    QVariantMap { { "NativePath", nativePath }, { "TimeToFull", toFull } } })
            && m_bus.mockCall(kService, kManager, QStringLiteral("SetDeviceProperties"),
                { QVariant::fromValue(QDBusObjectPath(path)),
                    QVariantMap {
                        { "Type", kind }, { "State", toFull > 0 ? 1u : 2u }, { "PowerSupply", kind == 2 } } });
    }

    PrivateBus m_bus;
    QStringList m_devices;
};

QTEST_GUILESS_MAIN(UPowerClientTest)
#include "UPowerClientTest.moc"
