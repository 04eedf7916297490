// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetlinkMessageBuilder.h"
#include "NetnsSandbox.h"
#include "network/NetworkManager.h"
#include "platform/RtNetlinkPathMonitor.h"
#include "views/NetworkInfoView.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>
#include <sys/socket.h>

using Steps = QList<QPair<QString, QString>>;

namespace {
// Within this many milliseconds of a change on the machine the model must show it.
constexpr int changeBoundMs = 1000;

const QString sysRoot = QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs");

QString describe(const NetworkManager &manager)
{
    QStringList parts { manager.isConnected() ? QStringLiteral("connected") : QStringLiteral("disconnected") };
    if (manager.isSupportsIPv4())
        parts << QStringLiteral("ipv4");
    if (manager.isSupportsIPv6())
        parts << QStringLiteral("ipv6");
    parts << NetworkManager::interfaceTypeName(manager.currentConnectedType());
    return parts.join(u' ');
}

// Names of this process's threads as the kernel knows them (15 bytes at most).
bool workerRuns()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "AppNetworkManag")
            return true;
    }
    return false;
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
    if (!table.open(QIODevice::ReadOnly))
        return 0;
    const QString groups = QStringLiteral("%1").arg(
        RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE, 8, 16,
        QLatin1Char('0'));
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields.at(1) == "0" && QString::fromLatin1(fields.at(3)) == groups)
            return fields.at(2).toUInt();
    }
    return 0;
}

const QString v4Wired = QStringLiteral("route add default via 10.1.0.254 dev enp3s0 metric 100");
const QString v6Wired = QStringLiteral("-6 route add default via fd01::fe dev enp3s0");
const QString v4Wifi = QStringLiteral("route add default via 10.2.0.254 dev wlp2s0 metric 600");
} // namespace

// Every case runs in a network namespace of its own with four veth pairs; the fixture sysfs
// says which is Wi-Fi (wlp2s0), wired (enp3s0) and a modem (wwan0), and vethx0 is a plain veth.
class NetworkManagerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NetnsSandbox> m_sandbox;
    std::unique_ptr<NetworkManager> m_manager;
    std::unique_ptr<RtNetlinkPathMonitor> m_monitor;
    std::unique_ptr<QSignalSpy> m_reports;

    void startManager()
    {
        m_manager = std::make_unique<NetworkManager>(sysRoot);
        QSignalSpy reports(m_manager.get(), &NetworkManager::currentConnectedTypeChanged);
        QTRY_VERIFY_WITH_TIMEOUT(!reports.isEmpty(), changeBoundMs);
    }

    void startMonitor(int receiveBufferBytes = RtNetlinkPathMonitor::defaultReceiveBufferBytes)
    {
        m_monitor = std::make_unique<RtNetlinkPathMonitor>(sysRoot, receiveBufferBytes);
        m_reports = std::make_unique<QSignalSpy>(m_monitor.get(), &RtNetlinkPathMonitor::pathChanged);
        m_monitor->start();
        QTRY_VERIFY_WITH_TIMEOUT(!m_reports->isEmpty(), changeBoundMs);
    }

    void runCommands(const QStringList &commands)
    {
        for (const QString &command : commands) {
            if (command.startsWith(QLatin1String("-6 ")) && !QFileInfo::exists(QStringLiteral("/proc/sys/net/ipv6")))
                QSKIP("IPv6 is disabled in this kernel");
            QVERIFY2(m_sandbox->ip(command), qPrintable(m_sandbox->error()));
        }
    }

private slots:
    void initTestCase()
    {
        m_sandbox = std::make_unique<NetnsSandbox>();
        const QString reason = m_sandbox->unavailableReason();
        if (!reason.isEmpty())
            QSKIP(qPrintable(reason));
    }

    void init()
    {
        QVERIFY2(m_sandbox->enterFresh() && m_sandbox->addVeth(QStringLiteral("enp3s0"), QStringLiteral("enp3s0p"), 1)
                && m_sandbox->addVeth(QStringLiteral("wlp2s0"), QStringLiteral("wlp2s0p"), 2)
                && m_sandbox->addVeth(QStringLiteral("wwan0"), QStringLiteral("wwan0p"), 3)
                && m_sandbox->addVeth(QStringLiteral("vethx0"), QStringLiteral("vethx1"), 4),
            qPrintable(m_sandbox->error()));
    }

    // Joins the monitor thread and closes its socket: the namespace goes with the next one.
    void cleanup()
    {
        m_manager.reset();
        m_reports.reset();
        m_monitor.reset();
    }

    // Each path as the first dump finds it. (Changes while the model runs are the sequences'.)
    void testPath_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no default route") << QStringList {} << "disconnected other";
        QTest::newRow("both families") << QStringList { v4Wired, v6Wired } << "connected ipv4 ipv6 wiredEthernet";
        QTest::newRow("wifi before wired") << QStringList { v4Wired, v4Wifi } << "connected ipv4 wifi";
        QTest::newRow("cellular before wifi")
            << QStringList { v4Wifi, "-6 route add default via fd03::fe dev wwan0" } << "connected ipv4 ipv6 cellular";
    }
    void testPath()
    {
        QFETCH(QStringList, commands);
        runCommands(commands);
        startManager();
        QTEST(describe(*m_manager), "expected");
    }

    // Steps of one ip command each, every one seen within the bound.
    void testSequence_data()
    {
        QTest::addColumn<Steps>("steps");
        const QString up = QStringLiteral("connected ipv4 wiredEthernet");
        const QString down = QStringLiteral("disconnected other");
        const QString add = QStringLiteral("route add default via 10.1.0.254 dev enp3s0");
        // Carrier lost at the far end leaves the route in the table, leading nowhere. Taking the
        // link itself down flushes its IPv4 routes without telling anyone.
        QTest::newRow("link down and up") << Steps { { add, up }, { "link set enp3s0p down", down },
            { "link set enp3s0p up", up }, { "link set enp3s0 down", down }, { "link set enp3s0 up", down },
            { "route add default via 10.4.0.254 dev vethx0", "connected ipv4 other" } };
        // Each replace takes the old route's place; a route left behind would show up here
        // because the steps go down the preference list and back.
        for (const auto &[family, gateway, support] :
            { std::tuple("", "10.%1.0.254", "ipv4"), std::tuple("-6 ", "fd0%1::fe", "ipv6") }) {
            Steps steps;
            const QList<std::tuple<int, QString, QString>> moves { { 1, "enp3s0", "wiredEthernet" },
                { 2, "wlp2s0", "wifi" }, { 1, "enp3s0", "wiredEthernet" }, { 3, "wwan0", "cellular" },
                { 4, "vethx0", "other" } };
            for (const auto &[n, name, kind] : moves)
                steps.append({ QStringLiteral("%1route replace default via %2 dev %3")
                                   .arg(QLatin1String(family), QString::fromLatin1(gateway).arg(n), name),
                    QStringLiteral("connected %1 %2").arg(QLatin1String(support), kind) });
            steps.append({ QLatin1String(family) + QStringLiteral("route del default"), down });
            QTest::addRow("default route moves, %s", support) << steps;
        }
    }
    void testSequence()
    {
        QFETCH(Steps, steps);
        startManager();
        for (const auto &[command, expected] : steps) {
            runCommands({ command });
            QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), expected, changeBoundMs);
        }
    }

    // The model's worker thread comes and goes with it, also when it goes before the thread
    // ever ran; its reports reach the main thread in a fixed order.
    void testWorkerAndPublishing()
    {
        // A joined thread can linger in /proc for a moment after QThread::wait() returns.
        QTRY_VERIFY_WITH_TIMEOUT(!workerRuns(), changeBoundMs);
        m_manager = std::make_unique<NetworkManager>(sysRoot);
        QStringList published;
        bool allOnMainThread = true;
        const auto record = [&](const char *name) {
            return [&, name] {
                published << QString::fromLatin1(name);
                allOnMainThread = allOnMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
            };
        };
        connect(m_manager.get(), &NetworkManager::isConnectedChanged, this, record("isConnected"));
        connect(m_manager.get(), &NetworkManager::isSupportsIPv4Changed, this, record("isSupportsIPv4"));
        connect(m_manager.get(), &NetworkManager::isSupportsIPv6Changed, this, record("isSupportsIPv6"));
        connect(m_manager.get(), &NetworkManager::currentConnectedTypeChanged, this, record("currentConnectedType"));
        const QStringList oneReport { "isConnected", "isSupportsIPv4", "isSupportsIPv6", "currentConnectedType" };
        // The first report comes even though nothing differs from the initial values.
        QTRY_COMPARE_WITH_TIMEOUT(published, oneReport, changeBoundMs);
        QVERIFY(workerRuns());
        runCommands({ v4Wired });
        QTRY_COMPARE_WITH_TIMEOUT(published, oneReport + oneReport, changeBoundMs);
        QVERIFY(allOnMainThread);
        m_manager.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!workerRuns(), changeBoundMs);
        for (int i = 0; i < 20; ++i)
            NetworkManager shortLived(sysRoot);
        QTRY_VERIFY_WITH_TIMEOUT(!workerRuns(), changeBoundMs);
    }

    // The monitor's socket side, run on this thread so the test decides when it reads: while the
    // test waits for ip, notifications pile up in the kernel. The smallest receive queue the
    // kernel allows holds a handful; the thousand that arrive cannot fit.
    void testMonitorOverflowReadsTablesAgain()
    {
        startMonitor(1);
        // 500 default routes through Wi-Fi added, then deleted again.
        QStringList commands;
        for (const char *verb : { "add", "del" })
            for (int metric = 100; metric < 600; ++metric)
                commands
                    << QStringLiteral("route %1 default via 10.2.0.254 dev wlp2s0 metric %2").arg(verb).arg(metric);
        QVERIFY2(m_sandbox->batch(commands << v4Wired), qPrintable(m_sandbox->error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_monitor->overflowCount() > 0, changeBoundMs);
        QTRY_COMPARE_WITH_TIMEOUT(
            lastReport(*m_reports), (NetworkPath { true, true, false, InterfaceKind::wiredEthernet }), changeBoundMs);
    }

    void testMonitorLargeTableDump()
    {
        // Several thousand routes come back from the kernel in many chunks; the default route
        // sits among them.
        QStringList routes;
        for (int i = 0; i < 4000; ++i) {
            routes
                << QStringLiteral("route add 172.%1.%2.0/24 via 10.1.0.254 dev enp3s0").arg(16 + i / 256).arg(i % 256);
            if (i == 2000)
                routes << QStringLiteral("route add default via 10.2.0.254 dev wlp2s0");
        }
        QVERIFY2(m_sandbox->batch(routes), qPrintable(m_sandbox->error()));
        startMonitor();
        QCOMPARE(m_reports->size(), 1);
        QCOMPARE(lastReport(*m_reports), (NetworkPath { true, true, false, InterfaceKind::wifi }));
    }

    // The network page follows the path. No translation table is loaded: rows read as their keys.
    void testNetworkPage()
    {
        startManager();
        NetworkInfoView view(m_manager.get());
        view.show();
        QCOMPARE(view.rowTexts(), QStringList { QStringLiteral("Nonetwork") });
        runCommands({ v4Wired });
        const QStringList wired { "NetworkType wiredEthernet", "NetworkStatus NetworkNormal",
            "NetworkIPV4 NonetworkSupport", "NetworkIPV6 NonetworkUnsupport" };
        QTRY_COMPARE_WITH_TIMEOUT(view.rowTexts(), wired, changeBoundMs);
        QCOMPARE(NetworkInfoView::symbolName(m_manager->currentConnectedType()), QStringLiteral("network"));
        runCommands({ QStringLiteral("route del default") });
        QTRY_COMPARE_WITH_TIMEOUT(view.rowTexts(), QStringList { QStringLiteral("Nonetwork") }, changeBoundMs);
    }

    void testMonitorHearsOnlyTheKernel()
    {
        startMonitor();
        const std::uint32_t port = monitorPort();
        QVERIFY(port != 0);

        // Another process with CAP_NET_ADMIN claims a Wi-Fi default route that does not exist.
        const int forger = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
        QVERIFY(forger >= 0);
        RouteFields fields;
        fields.oif = static_cast<int>(if_nametoindex("wlp2s0"));
        fields.gateway = address("10.2.0.254");
        const QByteArray forged = routeMessage(RTM_NEWROUTE, fields);
        sockaddr_nl target {};
        target.nl_family = AF_NETLINK;
        target.nl_pid = port;
        const auto sent = ::sendto(forger, forged.constData(), static_cast<std::size_t>(forged.size()), 0,
            reinterpret_cast<const sockaddr *>(&target), sizeof target);
        ::close(forger);
        QCOMPARE(static_cast<qsizetype>(sent), forged.size());

        QVERIFY2(m_sandbox->ip(v4Wired), qPrintable(m_sandbox->error()));
        QTRY_COMPARE_WITH_TIMEOUT(
            lastReport(*m_reports), (NetworkPath { true, true, false, InterfaceKind::wiredEthernet }), changeBoundMs);
    }
};

QTEST_MAIN(NetworkManagerTest)
#include "tst_NetworkManager.moc"
