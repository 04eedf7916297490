// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UPowerClient.h"

#include "battery/InternalFinder.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>

namespace {

const QString kService = QStringLiteral("org.freedesktop.UPower");
const QString kManager = QStringLiteral("/org/freedesktop/UPower");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

// One entry of the a(ssss) method list dbusmock's AddObject takes; the tests add none.
struct MockMethod
{
    QString name, inSignature, outSignature, code;
};

QDBusArgument &operator<<(QDBusArgument &argument, const MockMethod &method)
{
    argument.beginStructure();
    argument << method.name << method.inSignature << method.outSignature << method.code;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, MockMethod &method)
{
    argument.beginStructure();
    argument >> method.name >> method.inSignature >> method.outSignature >> method.code;
    argument.endStructure();
    return argument;
}

// Children die with the test, even when it crashes.
void dieWithParent(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

} // namespace

Q_DECLARE_METATYPE(MockMethod)

using OptInt = std::optional<qint64>;
Q_DECLARE_METATYPE(OptInt)

// UPower on a private bus standing in for the system bus: a dbus-daemon of our own and
// python3-dbusmock's upower template, with devices shaped as UPower publishes them.
class UPowerClientTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/dbus-daemon"))
            || QProcess::execute(
                   QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), QStringLiteral("import dbusmock") })
                != 0) {
            QSKIP("needs dbus-daemon and python3-dbusmock");
        }
        qDBusRegisterMetaType<MockMethod>();
        qDBusRegisterMetaType<QList<MockMethod>>();

        dieWithParent(m_bus);
        m_bus.start(QStringLiteral("/usr/bin/dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--print-address=1"), QStringLiteral("--nofork") });
        QVERIFY(m_bus.waitForStarted());
        QTRY_VERIFY(m_bus.canReadLine());
        const QByteArray address = m_bus.readLine().trimmed();
        QVERIFY(!address.isEmpty());
        // Before the first use of the system bus in this process: Qt keeps that connection.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);

        dieWithParent(m_upower);
        m_upower.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_upower.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                QStringLiteral("upower") });
        QVERIFY(m_upower.waitForStarted());
        QVERIFY(QDBusConnection::systemBus().isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(
            QDBusConnection::systemBus().interface()->isServiceRegistered(kService).value(), 10000);
    }

    void cleanupTestCase()
    {
        for (QProcess *process : { &m_upower, &m_bus }) {
            if (process->state() != QProcess::NotRunning) {
                ::kill(static_cast<pid_t>(process->processId()), SIGCONT);
                process->terminate();
                if (!process->waitForFinished(5000)) {
                    process->kill();
                    process->waitForFinished();
                }
            }
        }
    }

    void cleanup()
    {
        for (const QString &path : std::as_const(m_devices)) {
            mockCall(kManager, QStringLiteral("RemoveObject"), { path });
        }
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
        QTest::newRow("discharging") << "BAT0" << 2u << 5400ll << 0ll << true << OptInt(5400) << OptInt();
        QTest::newRow("charging") << "BAT0" << 2u << 0ll << 3000ll << true << OptInt() << OptInt(3000);
        QTest::newRow("full sysfs path") << "/sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0" << 2u
                                         << 60ll << 0ll << true << OptInt(60) << OptInt();
        QTest::newRow("negative estimate") << "BAT0" << 2u << -60ll << 0ll << true << OptInt() << OptInt();
        QTest::newRow("another battery") << "BAT1" << 2u << 5400ll << 0ll << false << OptInt() << OptInt();
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
        QFETCH(OptInt, expectedToEmpty);
        QFETCH(OptInt, expectedToFull);
        QVERIFY(addDevice(QStringLiteral("battery_under_test"), nativePath, kind, toEmpty, toFull));
        // A mouse listed before: UPower enumerates peripherals along with the batteries.
        QVERIFY(addDevice(QStringLiteral("mouse_dev_E3_1F"), QStringLiteral("hidpp_battery_0"), 5, 7200, 0));

        const std::optional<UPowerTimes> times = UPowerClient(2000).batteryTimes(QStringLiteral("BAT0"));
        QCOMPARE(times.has_value(), found);
        if (times) {
            QCOMPARE(times->timeToEmpty, expectedToEmpty);
            QCOMPARE(times->timeToFull, expectedToFull);
        }
    }

    // The ThinkPad's ACPI battery gives sysfs no times; the reading takes UPower's, in minutes.
    void testFinderTakesUPowerTimes()
    {
        QVERIFY(addDevice(QStringLiteral("battery_BAT0"), QStringLiteral("BAT0"), 2, 9030, 0));
        const InternalFinder finder({ .sysRoot = QStringLiteral(TAVLO_TEST_DATA "/battery/thinkpad-energy"),
            .askUPower = true,
            .upowerTimeoutMs = 2000 });
        const std::optional<Battery> battery = finder.readInternalBattery();
        QVERIFY(battery);
        QCOMPARE(battery->timeToEmpty, std::optional<qint64>(150)); // 9030 s
        QVERIFY(!battery->timeToFull);
        QCOMPARE(battery->remainingTimeText(), QStringLiteral("02:30"));

        // The gauge's own estimate wins over UPower's.
        const std::optional<Battery> sbs
            = InternalFinder({ .sysRoot = QStringLiteral(TAVLO_TEST_DATA "/battery/chromebook-sbs"),
                                 .askUPower = true,
                                 .upowerTimeoutMs = 2000 })
                  .readInternalBattery();
        QVERIFY(sbs);
        QCOMPARE(sbs->timeToEmpty, std::optional<qint64>(188));
    }

    // A UPower that hangs costs the time-out, no more.
    void testUnansweredCallIsBounded()
    {
        QVERIFY(addDevice(QStringLiteral("battery_BAT0"), QStringLiteral("BAT0"), 2, 9030, 0));
        const auto pid = static_cast<pid_t>(m_upower.processId());
        QCOMPARE(::kill(pid, SIGSTOP), 0);
        QElapsedTimer clock;
        clock.start();
        const std::optional<UPowerTimes> times = UPowerClient(300).batteryTimes(QStringLiteral("BAT0"));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(::kill(pid, SIGCONT), 0);
        QVERIFY(!times);
        QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));
    }

    // Last: UPower leaves the bus; the reading goes on without times.
    void testNoUPower()
    {
        m_upower.terminate();
        QVERIFY(m_upower.waitForFinished(5000));
        QTRY_VERIFY(!QDBusConnection::systemBus().interface()->isServiceRegistered(kService).value());
        QVERIFY(!UPowerClient(2000).batteryTimes(QStringLiteral("BAT0")));
        const std::optional<Battery> battery
            = InternalFinder({ .sysRoot = QStringLiteral(TAVLO_TEST_DATA "/battery/thinkpad-energy") })
                  .readInternalBattery();
        QVERIFY(battery);
        QVERIFY(!battery->timeToEmpty && !battery->timeToFull);
        QCOMPARE(battery->maxCapacity, std::optional<qint64>(1870));
    }

private:
    bool mockCall(const QString &path, const QString &method, const QVariantList &arguments)
    {
        auto message = QDBusMessage::createMethodCall(kService, path, kMock, method);
        message.setArguments(arguments);
        return QDBusConnection::systemBus().call(message, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
    }

    bool addDevice(const QString &name, const QString &nativePath, uint kind, qlonglong toEmpty, qlonglong toFull)
    {
        const QString path = QStringLiteral("/org/freedesktop/UPower/devices/") + name;
        const QVariantMap properties {
            { QStringLiteral("NativePath"), nativePath },
            { QStringLiteral("Type"), QVariant::fromValue(kind) },
            { QStringLiteral("PowerSupply"), kind == 2 },
            { QStringLiteral("IsPresent"), true },
            // 1 charging, 2 discharging
            { QStringLiteral("State"), QVariant::fromValue(toFull > 0 ? 1u : 2u) },
            { QStringLiteral("Percentage"), 86.0 },
            { QStringLiteral("TimeToEmpty"), QVariant::fromValue(toEmpty) },
            { QStringLiteral("TimeToFull"), QVariant::fromValue(toFull) },
        };
        if (!mockCall(kManager, QStringLiteral("AddObject"),
                { path, QStringLiteral("org.freedesktop.UPower.Device"), properties,
                    QVariant::fromValue(QList<MockMethod>()) })) {
            return false;
        }
        m_devices.append(path);
        return true;
    }

    QProcess m_bus;
    QProcess m_upower;
    QStringList m_devices;
};

QTEST_GUILESS_MAIN(UPowerClientTest)
#include "UPowerClientTest.moc"
