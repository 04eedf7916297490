// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetlinkMessageBuilder.h"
#include "NetnsSandbox.h"
#include "platform/RtNetlinkPathMonitor.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <sys/socket.h>

namespace {

constexpr int changeBoundMs = 1000;

QString sysRoot()
{
    return QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs");
}

NetworkPath lastReport(const QSignalSpy &spy)
{
    return spy.isEmpty() ? NetworkPath {} : spy.last().first().value<NetworkPath>();
}

// The port of the route socket subscribed to exactly the monitor's groups, from the
// calling thread's namespace's netlink table.
std::uint32_t monitorPort()
{
    QFile table(QStringLiteral("/proc/thread-self/net/netlink"));
    if (!table.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QString groups = QStringLiteral("%1").arg(
        RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE, 8, 16,
        QLatin1Char('0'));
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields.at(1) == "0" && QString::fromLatin1(fields.at(3)) == groups) {
            return fields.at(2).toUInt();
        }
    }
    return 0;
}

} // namespace

// Lets QCOMPARE print a path it found wrong.
char *toString(const NetworkPath &path)
{
    return QTest::toString(QStringLiteral("usable=%1 ipv4=%2 ipv6=%3 kind=%4")
                               .arg(path.usable)
                               .arg(path.supportsIPv4)
                               .arg(path.supportsIPv6)
                               .arg(int(path.kind)));
}

// The socket side of the monitor, run on the test's own thread so the test decides when it
// reads: while the test waits for ip, notifications pile up in the kernel.
class RtNetlinkPathMonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_sandbox = std::make_unique<NetnsSandbox>();
        const QString reason = m_sandbox->unavailableReason();
        if (!reason.isEmpty()) {
            QSKIP(qPrintable(reason));
        }
    }

    void init()
    {
        QVERIFY2(m_sandbox->enterFresh(), qPrintable(m_sandbox->error()));
        QVERIFY2(m_sandbox->addVeth(QStringLiteral("enp3s0"), QStringLiteral("enp3s0p"), 1)
                && m_sandbox->addVeth(QStringLiteral("wlp2s0"), QStringLiteral("wlp2s0p"), 2),
            qPrintable(m_sandbox->error()));
    }

    void cleanup()
    {
        m_reports.reset();
        m_monitor.reset();
    }

    void testOverflowReadsTablesAgain_data()
    {
        QTest::addColumn<QStringList>("burst");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<int>("kind");

        QStringList churn;
        for (int metric = 100; metric < 600; ++metric) {
            churn << QStringLiteral("route add default via 10.2.0.254 dev wlp2s0 metric %1").arg(metric);
        }
        for (int metric = 100; metric < 600; ++metric) {
            churn << QStringLiteral("route del default via 10.2.0.254 dev wlp2s0 metric %1").arg(metric);
        }
        QTest::newRow("ends on wired") << churn
                + QStringList { QStringLiteral("route add default via 10.1.0.254 dev enp3s0") }
                                       << true << int(InterfaceKind::wiredEthernet);
    }

    void testOverflowReadsTablesAgain()
    {
        QFETCH(QStringList, burst);
        QFETCH(bool, usable);
        QFETCH(int, kind);

        // The smallest receive queue the kernel allows holds a handful of notifications; the
        // thousand that arrive while this thread waits for ip cannot fit.
        startMonitor(1);
        QVERIFY2(m_sandbox->batch(burst), qPrintable(m_sandbox->error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_monitor->overflowCount() > 0, changeBoundMs);
        QTRY_COMPARE_WITH_TIMEOUT(lastReport(*m_reports).usable, usable, changeBoundMs);
        QCOMPARE(int(lastReport(*m_reports).kind), kind);
    }

    void testLargeTableDump()
    {
        // Several thousand routes come back from the kernel in many chunks; the default route
        // sits among them.
        QStringList routes;
        for (int i = 0; i < 4000; ++i) {
            routes
                << QStringLiteral("route add 172.%1.%2.0/24 via 10.1.0.254 dev enp3s0").arg(16 + i / 256).arg(i % 256);
            if (i == 2000) {
                routes << QStringLiteral("route add default via 10.2.0.254 dev wlp2s0");
            }
        }
        QVERIFY2(m_sandbox->batch(routes), qPrintable(m_sandbox->error()));
        startMonitor();
        QCOMPARE(m_reports->size(), 1);
        QCOMPARE(lastReport(*m_reports), (NetworkPath { true, true, false, InterfaceKind::wifi }));
    }

    void testOnlyTheKernelIsHeard()
    {
        startMonitor();
        const std::uint32_t port = monitorPort();
        QVERIFY(port != 0);

        // Another process with CAP_NET_ADMIN claims a Wi-Fi default route that does not exist.
        const int forger = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
        QVERIFY(forger >= 0);
        RouteFields fields;
        fields.oif = static_cast<int>(if_nametoindex("wlp2s0"));
        fields.gateway = ipv4("10.2.0.254");
        const QByteArray forged = routeMessage(RTM_NEWROUTE, fields);
        sockaddr_nl target {};
        target.nl_family = AF_NETLINK;
        target.nl_pid = port;
        const auto sent = ::sendto(forger, forged.constData(), static_cast<std::size_t>(forged.size()), 0,
            reinterpret_cast<const sockaddr *>(&target), sizeof target);
        ::close(forger);
        QCOMPARE(static_cast<qsizetype>(sent), forged.size());

        QVERIFY2(m_sandbox->ip(QStringLiteral("route add default via 10.1.0.254 dev enp3s0")),
            qPrintable(m_sandbox->error()));
        QTRY_COMPARE_WITH_TIMEOUT(
            lastReport(*m_reports), (NetworkPath { true, true, false, InterfaceKind::wiredEthernet }), changeBoundMs);
    }

    void testReportsOnlyDifferences()
    {
        startMonitor();
        QCOMPARE(lastReport(*m_reports), NetworkPath {});
        // Neither an address nor a route of another table moves the default path.
        QVERIFY2(m_sandbox->batch({ QStringLiteral("addr add 10.1.0.7/24 dev enp3s0"),
                     QStringLiteral("route add default via 10.1.0.254 dev enp3s0 table 7"),
                     QStringLiteral("route add default via 10.2.0.254 dev wlp2s0") }),
            qPrintable(m_sandbox->error()));
        QTRY_COMPARE_WITH_TIMEOUT(
            lastReport(*m_reports), (NetworkPath { true, true, false, InterfaceKind::wifi }), changeBoundMs);
        QTest::qWait(100);
        QCOMPARE(m_reports->size(), 2);
    }

private:
    void startMonitor(int receiveBufferBytes = RtNetlinkPathMonitor::defaultReceiveBufferBytes)
    {
        m_monitor = std::make_unique<RtNetlinkPathMonitor>(sysRoot(), receiveBufferBytes);
        m_reports = std::make_unique<QSignalSpy>(m_monitor.get(), &RtNetlinkPathMonitor::pathChanged);
        m_monitor->start();
        QTRY_VERIFY_WITH_TIMEOUT(!m_reports->isEmpty(), changeBoundMs);
    }

    std::unique_ptr<NetnsSandbox> m_sandbox;
    std::unique_ptr<RtNetlinkPathMonitor> m_monitor;
    std::unique_ptr<QSignalSpy> m_reports;
};

QTEST_GUILESS_MAIN(RtNetlinkPathMonitorTest)
#include "tst_RtNetlinkPathMonitor.moc"
