// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hostnamed fall-backs against a mocked systemd-hostnamed on a private bus.
#include "platform/HostNameSource.h"
#include "platform/HostnamedClient.h"
#include "system/AppInfoManager.h"
#include "system/HardwareReport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {
const QString service = QStringLiteral("org.freedesktop.hostname1");
const QString path = QStringLiteral("/org/freedesktop/hostname1");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

QString fixtureRoot(const QString &machine)
{
    return QStringLiteral(TAVLO_TEST_DATA "/system/") + machine;
}
} // namespace

class HostnamedTest : public QObject
{
    Q_OBJECT

private:
    QProcess m_bus;
    QProcess m_mock;
    QString m_address;

    QDBusConnection connection() const { return QDBusConnection(QStringLiteral("hostnamed-test")); }

    void mockCall(const QString &method, const QVariantList &arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, mockInterface, method);
        call.setArguments(arguments);
        const QDBusMessage reply = connection().call(call, QDBus::Block, 5000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

    void addMethod(const QString &name, const QString &in, const QString &out, const QString &code)
    {
        mockCall(QStringLiteral("AddMethod"), { QString(), name, in, out, code });
    }

    void setProperty(const QString &name, const QString &value)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        call.setArguments({ service, name, QVariant::fromValue(QDBusVariant(value)) });
        const QDBusMessage reply = connection().call(call, QDBus::Block, 5000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon missing");
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"), { "-c", "import dbusmock" }) != 0)
            QSKIP("python3-dbusmock missing");
        m_bus.start(QStringLiteral("dbus-daemon"), { "--session", "--nofork", "--print-address=1" });
        QVERIFY(m_bus.waitForReadyRead(10000));
        m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
        // Everything in this process that asks for the system bus gets the private one.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        m_mock.setProcessEnvironment(environment);
        m_mock.start(QStringLiteral("/usr/bin/python3"), { "-m", "dbusmock", "--session", service, path, service });
        QVERIFY(m_mock.waitForStarted(10000));
        QVERIFY(QDBusConnection::connectToBus(m_address, QStringLiteral("hostnamed-test")).isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(connection().interface()->isServiceRegistered(service).value(), 20000);

        mockCall(QStringLiteral("AddProperties"),
            { service,
                QVariant::fromValue(QVariantMap { { "PrettyHostname", QStringLiteral("Studio Mac mini") },
                    { "Chassis", QStringLiteral("desktop") } }) });
        addMethod(QStringLiteral("GetProductUUID"), QStringLiteral("b"), QStringLiteral("ay"),
            QStringLiteral("ret = bytes.fromhex('4c4c4544005135108039b4c04f4b4d32')"));
        addMethod(QStringLiteral("GetHardwareSerial"), QString(), QStringLiteral("s"),
            QStringLiteral("ret = 'SN-HOSTNAMED'"));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("hostnamed-test"));
        for (QProcess *process : { &m_mock, &m_bus }) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    void testClient()
    {
        const HostnamedClient client(connection(), 2000);
        QCOMPARE(client.property(QStringLiteral("PrettyHostname")),
            std::optional<QString>(QStringLiteral("Studio Mac mini")));
        QCOMPARE(client.property(QStringLiteral("NoSuchProperty")), std::nullopt);
        QCOMPARE(client.productUuid(), std::optional<QString>(QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32")));
        QCOMPARE(client.hardwareSerial(), std::optional<QString>(QStringLiteral("SN-HOSTNAMED")));
    }

    // Without readable DMI strings the report asks hostnamed before the machine id.
    void testReportAsksHostnamed()
    {
        const QString root = fixtureRoot(QStringLiteral("vm-nodmi"));
        HardwareReportSources sources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
            root + QStringLiteral("/etc"), true, 2000 };
        const HardwareOverview overview = HardwareReport(sources).overview();
        QCOMPARE(overview.serialNumber, std::optional<QString>(QStringLiteral("SN-HOSTNAMED")));
        QCOMPARE(overview.hardwareUuid, std::optional<QString>(QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32")));
    }

    void testNameAndChassis()
    {
        const QString root = fixtureRoot(QStringLiteral("desktop-hybrid"));
        const HostnamedClient client(connection(), 2000);
        QCOMPARE(HostNameSource(&client, root + QStringLiteral("/etc"), root + QStringLiteral("/proc")).localizedName(),
            std::optional<QString>(QStringLiteral("Studio Mac mini")));
        AppInfoManager::Sources sources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
            root + QStringLiteral("/etc"), root + QStringLiteral("/usr/lib"), true, 2000 };
        QCOMPARE(AppInfoManager(sources).deviceImageName(), QStringLiteral("macmini"));
    }

    // polkit saying no, or a service that does not answer in time: the machine id stands in.
    void testRefusedOrSlow_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("refused")
            << "raise dbus.exceptions.DBusException('denied', name='org.freedesktop.DBus.Error.AccessDenied')";
        QTest::newRow("too slow") << "time.sleep(3); ret = b'0123456789abcdef'";
    }
    void testRefusedOrSlow()
    {
        QFETCH(QString, code);
        addMethod(QStringLiteral("GetProductUUID"), QStringLiteral("b"), QStringLiteral("ay"), code);
        const QString root = fixtureRoot(QStringLiteral("vm-nodmi"));
        HardwareReportSources sources { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
            root + QStringLiteral("/etc"), true, 300 };
        QElapsedTimer clock;
        clock.start();
        const HardwareOverview overview = HardwareReport(sources).overview();
        QVERIFY(clock.elapsed() < 2500);
        QCOMPARE(overview.hardwareUuid, std::optional<QString>(QStringLiteral("3D1219C7-C4C5-404A-AA1F-6D2A48ADFDA4")));
        // Let a slow call finish before the next test reconfigures the mock.
        QTest::qWait(code.contains(QLatin1String("sleep")) ? 3000 : 0);
    }
};

QTEST_GUILESS_MAIN(HostnamedTest)
#include "HostnamedTest.moc"
