// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The network page in a network namespace of its own: it follows the default route.
#include "NetnsSandbox.h"
#include "network/NetworkManager.h"
#include "views/NetworkInfoView.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {
// The fixture sysfs says enp3s0 is a wired Ethernet card backed by a device.
const QString sysRoot = QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs");
constexpr int boundMs = 1000;
} // namespace

class TestNetworkInfoView : public QObject
{
    Q_OBJECT

private slots:
    void testFollowsThePath()
    {
        NetnsSandbox sandbox;
        if (const QString reason = sandbox.unavailableReason(); !reason.isEmpty())
            QSKIP(qPrintable(reason));
        QVERIFY2(sandbox.enterFresh() && sandbox.addVeth(QStringLiteral("enp3s0"), QStringLiteral("enp3s0p"), 1),
            qPrintable(sandbox.error()));
        NetworkManager manager(sysRoot);
        QSignalSpy reports(&manager, &NetworkManager::currentConnectedTypeChanged);
        QTRY_VERIFY_WITH_TIMEOUT(!reports.isEmpty(), boundMs);
        NetworkInfoView view(&manager);
        view.show();
        // No translation table is loaded here: the rows read as their keys.
        const QStringList nothing { QStringLiteral("Nonetwork") };
        QCOMPARE(view.rowTexts(), nothing);

        QVERIFY2(
            sandbox.ip(QStringLiteral("route add default via 10.1.0.254 dev enp3s0")), qPrintable(sandbox.error()));
        const QStringList wired { "NetworkType wiredEthernet", "NetworkStatus NetworkNormal",
            "NetworkIPV4 NonetworkSupport", "NetworkIPV6 NonetworkUnsupport" };
        QTRY_COMPARE_WITH_TIMEOUT(view.rowTexts(), wired, boundMs);
        QCOMPARE(NetworkInfoView::symbolName(manager.currentConnectedType()), QStringLiteral("network"));

        QVERIFY2(sandbox.ip(QStringLiteral("route del default")), qPrintable(sandbox.error()));
        QTRY_COMPARE_WITH_TIMEOUT(view.rowTexts(), nothing, boundMs);
    }
};

QTEST_MAIN(TestNetworkInfoView)
#include "tst_NetworkInfoView.moc"
