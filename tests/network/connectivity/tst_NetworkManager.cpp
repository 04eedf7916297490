// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetnsSandbox.h"
#include "network/NetworkManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>
#include <tuple>

namespace {

// Within this many milliseconds of a change on the machine the model must show it.
constexpr int changeBoundMs = 1000;

QString sysRoot()
{
    return QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs");
}

QString describe(const NetworkManager &manager)
{
    QStringList parts { manager.isConnected() ? QStringLiteral("connected") : QStringLiteral("disconnected") };
    if (manager.isSupportsIPv4()) {
        parts << QStringLiteral("ipv4");
    }
    if (manager.isSupportsIPv6()) {
        parts << QStringLiteral("ipv6");
    }
    parts << NetworkManager::interfaceTypeName(manager.currentConnectedType());
    return parts.join(QLatin1Char(' '));
}

// Names of this process's threads as the kernel knows them.
QStringList threadNames()
{
    QStringList names;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task) + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly)) {
            names << QString::fromUtf8(comm.readAll()).trimmed();
        }
    }
    return names;
}

} // namespace

// Every case runs in a network namespace of its own with four veth pairs; the fixture sysfs
// says which is Wi-Fi (wlp2s0), wired (enp3s0) and a modem (wwan0), and vethx0 is a plain veth.
class NetworkManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testInitialDump_data();
    void testInitialDump();
    void testChangeSeen_data();
    void testChangeSeen();
    void testDefaultRouteRemovedAndRestored();
    void testLinkDownAndUp();
    void testDefaultRouteMoves_data();
    void testDefaultRouteMoves();
    void testBurstOfRouteChanges_data();
    void testBurstOfRouteChanges();
    void testPublishOrderOnMainThread();
    void testWorkerThread();
    void testShared();

private:
    void pathCases();
    void startManager();
    void runCommands(const QStringList &commands);

    std::unique_ptr<NetnsSandbox> m_sandbox;
    std::unique_ptr<NetworkManager> m_manager;
    bool m_hasIPv6 = false;
};

void NetworkManagerTest::initTestCase()
{
    m_sandbox = std::make_unique<NetnsSandbox>();
    const QString reason = m_sandbox->unavailableReason();
    if (!reason.isEmpty()) {
        QSKIP(qPrintable(reason));
    }
    m_hasIPv6 = QFileInfo::exists(QStringLiteral("/proc/sys/net/ipv6"));
}

void NetworkManagerTest::init()
{
    QVERIFY2(m_sandbox->enterFresh(), qPrintable(m_sandbox->error()));
    const QStringList names { "enp3s0", "wlp2s0", "wwan0", "vethx0" };
    for (int n = 1; n <= names.size(); ++n) {
        const QString name = names.at(n - 1);
        QVERIFY2(m_sandbox->addVeth(name, n == 4 ? QStringLiteral("vethx1") : name + u'p', n),
            qPrintable(m_sandbox->error()));
    }
}

void NetworkManagerTest::cleanup()
{
    // Joins the monitor thread and closes its socket: the namespace goes with the next one.
    m_manager.reset();
}

void NetworkManagerTest::startManager()
{
    m_manager = std::make_unique<NetworkManager>(sysRoot());
    QSignalSpy reports(m_manager.get(), &NetworkManager::currentConnectedTypeChanged);
    QTRY_VERIFY_WITH_TIMEOUT(!reports.isEmpty(), changeBoundMs);
}

void NetworkManagerTest::runCommands(const QStringList &commands)
{
    for (const QString &command : commands) {
        if (command.contains(QLatin1String("-6 ")) && !m_hasIPv6) {
            QSKIP("IPv6 is disabled in this kernel");
        }
        QVERIFY2(m_sandbox->ip(command), qPrintable(m_sandbox->error()));
    }
}

void NetworkManagerTest::pathCases()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("expected");

    const QString v4Wired = QStringLiteral("route add default via 10.1.0.254 dev enp3s0 metric 100");
    const QString v6Wired = QStringLiteral("-6 route add default via fd01::fe dev enp3s0");
    QTest::newRow("no default route") << QStringList {} << "disconnected other";
    QTest::newRow("ipv4 default") << QStringList { v4Wired } << "connected ipv4 wiredEthernet";
    QTest::newRow("ipv6 only") << QStringList { v6Wired } << "connected ipv6 wiredEthernet";
    QTest::newRow("both families") << QStringList { v4Wired, v6Wired } << "connected ipv4 ipv6 wiredEthernet";
    QTest::newRow("wifi before wired") << QStringList { v4Wired,
        QStringLiteral("route add default via 10.2.0.254 dev wlp2s0 metric 600") }
                                       << "connected ipv4 wifi";
    QTest::newRow("cellular before wifi")
        << QStringList { QStringLiteral("route add default via 10.2.0.254 dev wlp2s0 metric 600"),
               QStringLiteral("-6 route add default via fd03::fe dev wwan0") }
        << "connected ipv4 ipv6 cellular";
    QTest::newRow("no carrier") << QStringList { QStringLiteral("link set enp3s0p down"), v4Wired }
                                << "disconnected other";
}

void NetworkManagerTest::testInitialDump_data()
{
    pathCases();
}

void NetworkManagerTest::testInitialDump()
{
    QFETCH(QStringList, commands);
    QFETCH(QString, expected);

    runCommands(commands);
    startManager();
    QCOMPARE(describe(*m_manager), expected);
}

void NetworkManagerTest::testChangeSeen_data()
{
    pathCases();
}

void NetworkManagerTest::testChangeSeen()
{
    QFETCH(QStringList, commands);
    QFETCH(QString, expected);

    startManager();
    QCOMPARE(describe(*m_manager), QStringLiteral("disconnected other"));
    runCommands(commands);
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), expected, changeBoundMs);
}

void NetworkManagerTest::testDefaultRouteRemovedAndRestored()
{
    startManager();
    for (int round = 0; round < 3; ++round) {
        QVERIFY2(m_sandbox->ip(QStringLiteral("route add default via 10.1.0.254 dev enp3s0")),
            qPrintable(m_sandbox->error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_manager->isConnected(), changeBoundMs);
        QVERIFY2(m_sandbox->ip(QStringLiteral("route del default via 10.1.0.254 dev enp3s0")),
            qPrintable(m_sandbox->error()));
        QTRY_VERIFY_WITH_TIMEOUT(!m_manager->isConnected(), changeBoundMs);
    }
}

void NetworkManagerTest::testLinkDownAndUp()
{
    startManager();
    runCommands({ QStringLiteral("route add default via 10.1.0.254 dev enp3s0") });
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), QStringLiteral("connected ipv4 wiredEthernet"), changeBoundMs);

    // Carrier lost at the far end: the route stays in the table but leads nowhere.
    runCommands({ QStringLiteral("link set enp3s0p down") });
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), QStringLiteral("disconnected other"), changeBoundMs);
    runCommands({ QStringLiteral("link set enp3s0p up") });
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), QStringLiteral("connected ipv4 wiredEthernet"), changeBoundMs);

    // Taking the link itself down flushes its IPv4 routes without telling anyone; after it
    // comes back up only the plain veth's route is left.
    runCommands({ QStringLiteral("link set enp3s0 down") });
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), QStringLiteral("disconnected other"), changeBoundMs);
    runCommands(
        { QStringLiteral("link set enp3s0 up"), QStringLiteral("route add default via 10.4.0.254 dev vethx0") });
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), QStringLiteral("connected ipv4 other"), changeBoundMs);
    QVERIFY(!m_sandbox->output(QStringLiteral("route show default")).contains(QLatin1String("enp3s0")));
}

void NetworkManagerTest::testDefaultRouteMoves_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("gateway"); // %1 is the veth's number
    QTest::addColumn<QString>("support");

    QTest::newRow("ipv4") << ""
                          << "10.%1.0.254"
                          << "ipv4";
    QTest::newRow("ipv6") << "-6 "
                          << "fd0%1::fe"
                          << "ipv6";
}

void NetworkManagerTest::testDefaultRouteMoves()
{
    QFETCH(QString, family);
    QFETCH(QString, gateway);
    QFETCH(QString, support);

    startManager();
    const auto via = [&](const QString &verb, int n, const QString &name) {
        return QStringLiteral("%1route %2 default via %3 dev %4").arg(family, verb, gateway.arg(n), name);
    };
    runCommands({ via(QStringLiteral("add"), 1, QStringLiteral("enp3s0")) });
    QTRY_COMPARE_WITH_TIMEOUT(
        describe(*m_manager), QStringLiteral("connected %1 wiredEthernet").arg(support), changeBoundMs);

    // Each replace takes the old route's place; a route left behind would show up here
    // because the steps go down the preference list and back.
    const QList<std::tuple<int, QString, QString>> steps { { 2, "wlp2s0", "wifi" }, { 1, "enp3s0", "wiredEthernet" },
        { 3, "wwan0", "cellular" }, { 4, "vethx0", "other" }, { 1, "enp3s0", "wiredEthernet" } };
    for (const auto &[n, name, kind] : steps) {
        runCommands({ via(QStringLiteral("replace"), n, name) });
        QTRY_COMPARE_WITH_TIMEOUT(
            describe(*m_manager), QStringLiteral("connected %1 %2").arg(support, kind), changeBoundMs);
    }
    runCommands({ family + QStringLiteral("route del default") });
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), QStringLiteral("disconnected other"), changeBoundMs);
}

void NetworkManagerTest::testBurstOfRouteChanges_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("burst");
    QTest::addColumn<QString>("expected");

    // 500 default routes through Wi-Fi come and go, then the last line settles the path. A
    // Wi-Fi route the model failed to drop would win over everything else.
    QStringList churn4;
    QStringList churn6;
    for (int metric = 100; metric < 600; ++metric) {
        churn4 << QStringLiteral("route add default via 10.2.0.254 dev wlp2s0 metric %1").arg(metric);
        churn6 << QStringLiteral("route add default via fd02::fe dev wlp2s0 metric %1").arg(metric);
    }
    for (int metric = 100; metric < 600; ++metric) {
        churn4 << QStringLiteral("route del default via 10.2.0.254 dev wlp2s0 metric %1").arg(metric);
        churn6 << QStringLiteral("route del default via fd02::fe dev wlp2s0 metric %1").arg(metric);
    }
    const QString v4Veth = QStringLiteral("route add default via 10.4.0.254 dev vethx0 metric 50");
    QTest::newRow("ends on wired") << QStringList { v4Veth }
                                   << churn4
            + QStringList { QStringLiteral("route del default dev vethx0"),
                  QStringLiteral("route add default via 10.1.0.254 dev enp3s0") }
                                   << "connected ipv4 wiredEthernet";
    QTest::newRow("ipv6 churn ends ipv6 only")
        << QStringList { v4Veth, QStringLiteral("-6 route add default via fd04::fe dev vethx0") }
        << churn6 + QStringList { QStringLiteral("route del default via 10.4.0.254 dev vethx0") }
        << "connected ipv6 other";
}

void NetworkManagerTest::testBurstOfRouteChanges()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, burst);
    QFETCH(QString, expected);

    runCommands(before);
    startManager();
    QVERIFY2(m_sandbox->batch(burst), qPrintable(m_sandbox->error()));
    QElapsedTimer settling;
    settling.start();
    QTRY_COMPARE_WITH_TIMEOUT(describe(*m_manager), expected, changeBoundMs);
    qInfo("%lld route changes settled %lld ms after the last one", static_cast<long long>(burst.size()),
        static_cast<long long>(settling.elapsed()));
}

void NetworkManagerTest::testPublishOrderOnMainThread()
{
    m_manager = std::make_unique<NetworkManager>(sysRoot());
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
    runCommands({ QStringLiteral("route add default via 10.1.0.254 dev enp3s0") });
    QTRY_COMPARE_WITH_TIMEOUT(published, oneReport + oneReport, changeBoundMs);
    QVERIFY(allOnMainThread);
    QCOMPARE(describe(*m_manager), QStringLiteral("connected ipv4 wiredEthernet"));

    // The properties announce their changes to generic observers too.
    QSignalSpy viaProperty(m_manager.get(), SIGNAL(isConnectedChanged(bool)));
    const QMetaProperty property
        = m_manager->metaObject()->property(m_manager->metaObject()->indexOfProperty("isConnected"));
    QVERIFY(property.hasNotifySignal());
    runCommands({ QStringLiteral("route del default") });
    QTRY_COMPARE_WITH_TIMEOUT(viaProperty.count(), 1, changeBoundMs);
    QCOMPARE(property.read(m_manager.get()).toBool(), false);
}

void NetworkManagerTest::testWorkerThread()
{
    // Linux keeps 15 bytes of a thread's name.
    const QString osName = QStringLiteral("AppNetworkManager").left(15);
    // A joined thread can linger in /proc for a moment after QThread::wait() returns.
    QTRY_VERIFY_WITH_TIMEOUT(!threadNames().contains(osName), changeBoundMs);
    startManager();
    QVERIFY(threadNames().contains(osName));
    const auto threads = m_manager->findChildren<QThread *>();
    QCOMPARE(threads.size(), 1);
    QCOMPARE(threads.first()->objectName(), QStringLiteral("AppNetworkManager"));
    m_manager.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!threadNames().contains(osName), changeBoundMs);

    // Gone before its thread ever ran its event loop: no hang, nothing left behind.
    for (int i = 0; i < 20; ++i) {
        NetworkManager shortLived(sysRoot());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!threadNames().contains(osName), changeBoundMs);
}

void NetworkManagerTest::testShared()
{
    NetworkManager &first = NetworkManager::shared();
    QCOMPARE(&NetworkManager::shared(), &first);
    QCOMPARE(first.parent(), QCoreApplication::instance());
    QVERIFY(QTest::qWaitFor([&first] { return first.isConnected() == false; }, changeBoundMs));
}

QTEST_GUILESS_MAIN(NetworkManagerTest)
#include "tst_NetworkManager.moc"
