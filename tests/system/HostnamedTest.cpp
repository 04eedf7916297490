// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hostnamed fall-backs against a mocked systemd-hostnamed on a private bus.
#include "PrivateBus.h"
#include "system/HardwareReport.h"

#include <QElapsedTimer>
#include <QTest>

namespace {
const QString service = QStringLiteral("org.freedesktop.hostname1");
const QString path = QStringLiteral("/org/freedesktop/hostname1");

HardwareReportSources sources(const char *machine, int timeoutMs)
{
    const QString root = QStringLiteral(TAVLO_TEST_DATA "/system/") + QLatin1String(machine);
    return { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"), root + QStringLiteral("/etc"), true,
        timeoutMs };
}
} // namespace

class HostnamedTest : public QObject
{
    Q_OBJECT

private:
    PrivateBus m_bus;

    bool addMethod(const QString &name, const QString &in, const QString &out, const QString &code)
    {
        return m_bus.mockCall(service, path, QStringLiteral("AddMethod"), { QString(), name, in, out, code });
    }

private slots:
    void initTestCase()
    {
        const QString reason = m_bus.start();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
        QVERIFY(m_bus.startService({ "-m", "dbusmock", "--session", service, path, service }, service));
        QVERIFY(m_bus.mockCall(service, path, QStringLiteral("AddProperties"),
            { service,
                QVariant::fromValue(QVariantMap { { "PrettyHostname", QStringLiteral("Studio Mac mini") },
                    { "Chassis", QStringLiteral("desktop") } }) }));
        QVERIFY(addMethod(QStringLiteral("GetProductUUID"), QStringLiteral("b"), QStringLiteral("ay"),
            QStringLiteral("ret = bytes.fromhex('4c4c4544005135108039b4c04f4b4d32')")));
        QVERIFY(addMethod(QStringLiteral("GetHardwareSerial"), QString(), QStringLiteral("s"),
            QStringLiteral("ret = 'SN-HOSTNAMED'")));
    }

    // Without readable DMI strings the report asks hostnamed before the machine id.
    void testReportAsksHostnamed()
    {
        const HardwareOverview overview = HardwareReport(sources("vm-nodmi", 2000)).overview();
        QCOMPARE(overview.serialNumber, std::optional<QString>(QStringLiteral("SN-HOSTNAMED")));
        QCOMPARE(overview.hardwareUuid, std::optional<QString>(QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32")));
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
        QVERIFY(addMethod(QStringLiteral("GetProductUUID"), QStringLiteral("b"), QStringLiteral("ay"), code));
        QElapsedTimer clock;
        clock.start();
        const HardwareOverview overview = HardwareReport(sources("vm-nodmi", 300)).overview();
        QVERIFY(clock.elapsed() < 2500);
        QCOMPARE(overview.hardwareUuid, std::optional<QString>(QStringLiteral("3D1219C7-C4C5-404A-AA1F-6D2A48ADFDA4")));
    }
};

QTEST_GUILESS_MAIN(HostnamedTest)
#include "HostnamedTest.moc"
