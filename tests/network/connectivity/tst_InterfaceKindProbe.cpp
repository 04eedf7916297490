// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InterfaceKindProbe.h"

#include <QTest>
#include <net/if_arp.h>

Q_DECLARE_METATYPE(InterfaceKind)

class InterfaceKindProbeTest : public QObject
{
    Q_OBJECT

private slots:
    void testKindOf_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("arphrdType");
        QTest::addColumn<InterfaceKind>("expected");

        // The fixture is a laptop's class/net: symlinks into devices/, as the kernel lays them out.
        QTest::newRow("loopback") << "lo" << ARPHRD_LOOPBACK << InterfaceKind::loopback;
        QTest::newRow("pci ethernet") << "enp3s0" << ARPHRD_ETHER << InterfaceKind::wiredEthernet;
        QTest::newRow("usb tethering is ethernet") << "usb0" << ARPHRD_ETHER << InterfaceKind::wiredEthernet;
        QTest::newRow("cfg80211 wifi") << "wlp2s0" << ARPHRD_ETHER << InterfaceKind::wifi;
        QTest::newRow("wireless extensions wifi") << "wlan0" << ARPHRD_ETHER << InterfaceKind::wifi;
        QTest::newRow("modem in ethernet mode") << "wwan0" << ARPHRD_ETHER << InterfaceKind::cellular;
        QTest::newRow("bridge") << "docker0" << ARPHRD_ETHER << InterfaceKind::other;
        QTest::newRow("veth") << "veth1a2b3c4" << ARPHRD_ETHER << InterfaceKind::other;
        QTest::newRow("nic not framing ethernet") << "enp3s0" << 0xFFFE << InterfaceKind::other;
        QTest::newRow("not in sysfs") << "eth7" << ARPHRD_ETHER << InterfaceKind::other;
        QTest::newRow("name climbing out")
            << "../../devices/pci0000:00/0000:00:1c.2/0000:03:00.0/net/enp3s0" << ARPHRD_ETHER << InterfaceKind::other;
        QTest::newRow("dot dot") << ".." << ARPHRD_ETHER << InterfaceKind::other;
    }

    void testKindOf()
    {
        QFETCH(QString, name);
        QFETCH(int, arphrdType);
        QFETCH(InterfaceKind, expected);

        const InterfaceKindProbe probe(QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs"));
        QCOMPARE(probe.kindOf(name, static_cast<unsigned short>(arphrdType)), expected);
    }
};

QTEST_GUILESS_MAIN(InterfaceKindProbeTest)
#include "tst_InterfaceKindProbe.moc"
