// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetlinkMessageBuilder.h"
#include "platform/InterfaceKindProbe.h"
#include "platform/NetlinkPathTable.h"

#include <QTest>

Q_DECLARE_METATYPE(InterfaceKind)

namespace {

constexpr unsigned upFlags = IFF_UP | IFF_RUNNING | IFF_BROADCAST | IFF_MULTICAST | 0x10000; // IFF_LOWER_UP
constexpr unsigned noCarrierFlags = IFF_UP | IFF_BROADCAST | IFF_MULTICAST;
constexpr int lo = 1, enp3s0 = 2, wlp2s0 = 3, wwan0 = 4, tun0 = 6;

QString sysRoot()
{
    return QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs");
}

// Links as a laptop with a wired port, Wi-Fi, a modem and a VPN shows them.
QByteArrayList machineLinks()
{
    return {
        linkMessage(RTM_NEWLINK, lo, IFF_UP | IFF_RUNNING | IFF_LOOPBACK, "lo", ARPHRD_LOOPBACK),
        linkMessage(RTM_NEWLINK, enp3s0, upFlags, "enp3s0"),
        linkMessage(RTM_NEWLINK, wlp2s0, upFlags, "wlp2s0"),
        linkMessage(RTM_NEWLINK, wwan0, upFlags, "wwan0", 0xFFFE),
        linkMessage(RTM_NEWLINK, tun0, IFF_UP | IFF_RUNNING | IFF_POINTOPOINT, "tun0", 0xFFFE),
    };
}

QByteArray add(const RouteFields &fields, std::uint16_t flags = 0)
{
    return routeMessage(RTM_NEWROUTE, fields, flags);
}

QByteArray del(const RouteFields &fields)
{
    return routeMessage(RTM_DELROUTE, fields);
}

RouteFields v4(int oif, std::uint32_t metric = 0)
{
    return { .family = AF_INET, .oif = oif, .gateway = address("192.168.1.1"), .metric = metric };
}

RouteFields v6(int oif, std::uint32_t metric = 1024)
{
    return { .family = AF_INET6, .oif = oif, .gateway = address("fe80::1"), .metric = metric };
}

QString describe(const NetworkPath &path)
{
    static const char *const names[] = { "other", "wifi", "cellular", "wiredEthernet", "loopback" };
    QStringList parts { path.usable ? QStringLiteral("connected") : QStringLiteral("disconnected") };
    if (path.supportsIPv4)
        parts << QStringLiteral("ipv4");
    if (path.supportsIPv6)
        parts << QStringLiteral("ipv6");
    parts << QString::fromLatin1(names[static_cast<int>(path.kind)]);
    return parts.join(QLatin1Char(' '));
}

NetworkPath feed(NetlinkPathTable &table, const QByteArrayList &messages)
{
    for (const QByteArray &message : messages)
        table.apply(message.constData(), static_cast<std::size_t>(message.size()));
    return table.evaluate(InterfaceKindProbe(sysRoot()));
}

} // namespace

class NetlinkPathTableTest : public QObject
{
    Q_OBJECT

private slots:
    void testKindOf_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("arphrdType");
        QTest::addColumn<InterfaceKind>("expected");

        // The fixture is a laptop's class/net: symlinks into devices/, as the kernel lays them out.
        // Wired, cfg80211 Wi-Fi, the modem and a name sysfs lacks are the namespace test's.
        QTest::newRow("loopback") << "lo" << ARPHRD_LOOPBACK << InterfaceKind::loopback;
        QTest::newRow("wireless extensions wifi") << "wlan0" << ARPHRD_ETHER << InterfaceKind::wifi;
        QTest::newRow("bridge") << "docker0" << ARPHRD_ETHER << InterfaceKind::other;
        QTest::newRow("name climbing out")
            << "../../devices/pci0000:00/0000:00:1c.2/0000:03:00.0/net/enp3s0" << ARPHRD_ETHER << InterfaceKind::other;
    }

    void testKindOf()
    {
        QFETCH(QString, name);
        QFETCH(int, arphrdType);
        QFETCH(InterfaceKind, expected);

        QCOMPARE(InterfaceKindProbe(sysRoot()).kindOf(name, static_cast<unsigned short>(arphrdType)), expected);
    }

    void testEvaluate_data()
    {
        QTest::addColumn<QByteArrayList>("messages");
        QTest::addColumn<QString>("expected");

        RouteFields bigTable = v4(enp3s0);
        bigTable.table = 1000;
        RouteFields unreachable;
        unreachable.family = AF_INET6;
        unreachable.type = RTN_UNREACHABLE;
        RouteFields unreachableSameSlot;
        unreachableSameSlot.type = RTN_UNREACHABLE;

        QTest::newRow("ipv4 default via wired") << QByteArrayList { add(v4(enp3s0)) } << "connected ipv4 wiredEthernet";
        QTest::newRow("other before loopback")
            << QByteArrayList { add(v4(lo, 10)), add(v4(tun0, 50)) } << "connected ipv4 other";
        QTest::newRow("table above 255") << QByteArrayList { add(bigTable) } << "disconnected other";
        QTest::newRow("unreachable default") << QByteArrayList { add(unreachable) } << "disconnected other";
        QTest::newRow("family through a dead link is not supported") << QByteArrayList {
            linkMessage(RTM_NEWLINK, wlp2s0, noCarrierFlags, "wlp2s0"), add(v4(enp3s0)), add(v6(wlp2s0))
        } << "connected ipv4 wiredEthernet";
        QTest::newRow("delete takes the matching hop only") << QByteArrayList { add(v4(enp3s0, 100)),
            add(v4(wlp2s0, 600)), del(v4(wlp2s0, 600)) } << "connected ipv4 wiredEthernet";
        QTest::newRow("delete of another metric keeps the route")
            << QByteArrayList { add(v4(wlp2s0, 600)), del(v4(wlp2s0, 100)) } << "connected ipv4 wifi";
        QTest::newRow("replace by unreachable")
            << QByteArrayList { add(v4(wlp2s0)), add(unreachableSameSlot, NLM_F_REPLACE) } << "disconnected other";
        QTest::newRow("repeated notification counted once")
            << QByteArrayList { add(v4(wlp2s0)), add(v4(wlp2s0)), del(v4(wlp2s0)) } << "disconnected other";
        QTest::newRow("multipath over wired and wifi") << QByteArrayList {
            add({ .hops = { { enp3s0, address("10.1.0.254") }, { wlp2s0, address("10.2.0.254") } } }),
        } << "connected ipv4 wifi";
        QTest::newRow("deleted link takes its routes") << QByteArrayList { add(v4(enp3s0)),
            linkMessage(RTM_DELLINK, enp3s0, 0, "enp3s0"), linkMessage(RTM_NEWLINK, enp3s0, upFlags, "enp3s0") }
                                                       << "disconnected other";
        QTest::newRow("bridge port leaving is no link deletion") << QByteArrayList { add(v4(enp3s0)),
            linkMessage(RTM_DELLINK, enp3s0, upFlags, "enp3s0", ARPHRD_ETHER, AF_BRIDGE) }
                                                                 << "connected ipv4 wiredEthernet";
    }

    void testEvaluate()
    {
        QFETCH(QByteArrayList, messages);
        QFETCH(QString, expected);

        NetlinkPathTable table;
        QCOMPARE(describe(feed(table, machineLinks() + messages)), expected);
    }

    void testRoutesStale_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("stale");

        ifaddrmsg removed {
            .ifa_family = AF_INET, .ifa_prefixlen = 24, .ifa_flags = 0, .ifa_scope = 0, .ifa_index = 2
        };
        QTest::newRow("address removed") << NetlinkMessageBuilder(RTM_DELADDR)
                                                .body(removed)
                                                .attribute(IFA_LOCAL, address("10.1.0.1").constData(), 4)
                                                .bytes()
                                         << true;
        QTest::newRow("carrier lost only") << linkMessage(RTM_NEWLINK, enp3s0, noCarrierFlags, "enp3s0") << false;
        QTest::newRow("new link") << linkMessage(RTM_NEWLINK, 77, upFlags, "usb0") << false;
        QTest::newRow("link deleted") << linkMessage(RTM_DELLINK, enp3s0, 0, "enp3s0") << true;
    }

    void testRoutesStale()
    {
        QFETCH(QByteArray, message);
        QFETCH(bool, stale);

        NetlinkPathTable table;
        feed(table, machineLinks());
        QCOMPARE(table.apply(message.constData(), static_cast<std::size_t>(message.size())).routesStale, stale);
    }

    void testForEachMessage()
    {
        // The kernel packs dump replies back to back, each padded to four bytes; broken buffers
        // are the netlink fuzz target's.
        const QByteArray first = linkMessage(RTM_NEWLINK, enp3s0, upFlags, "enp3s0"); // name makes it unaligned
        const QByteArray second = add(v6(wlp2s0));
        const QByteArray buffer = first + second + first;
        QList<int> lengths;
        const auto collect = [&lengths](const char *, std::size_t length) { lengths << static_cast<int>(length); };

        NetlinkPathTable::forEachMessage(buffer.constData(), static_cast<std::size_t>(buffer.size()), collect);
        QCOMPARE(lengths, (QList<int> { int(first.size()), int(second.size()), int(first.size()) }));
    }
};

QTEST_GUILESS_MAIN(NetlinkPathTableTest)
#include "tst_NetlinkPathTable.moc"
