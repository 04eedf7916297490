// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the route table takes in notifications and decides the path: the cost behind a
// burst of route changes on the monitor thread.
#include "NetlinkMessageBuilder.h"
#include "platform/InterfaceKindProbe.h"
#include "platform/NetlinkPathTable.h"

#include <QByteArrayList>
#include <QElapsedTimer>
#include <QTextStream>

int main()
{
    QTextStream out(stdout);
    const InterfaceKindProbe probe(QStringLiteral(TAVLO_TEST_DATA "/network/connectivity/sysfs"));
    const QByteArray link = linkMessage(RTM_NEWLINK, 3, IFF_UP | IFF_RUNNING, "wlp2s0");

    // One burst: 500 default routes added, then deleted, as NetworkManager's test sends them.
    QByteArrayList burst;
    for (std::uint32_t metric = 100; metric < 600; ++metric) {
        burst << routeMessage(RTM_NEWROUTE, { AF_INET, 3, address("10.2.0.254"), metric });
    }
    for (std::uint32_t metric = 100; metric < 600; ++metric) {
        burst << routeMessage(RTM_DELROUTE, { AF_INET, 3, address("10.2.0.254"), metric });
    }

    constexpr int rounds = 200;
    NetlinkPathTable table;
    table.apply(link.constData(), static_cast<std::size_t>(link.size()));
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        for (const QByteArray &message : burst) {
            table.apply(message.constData(), static_cast<std::size_t>(message.size()));
        }
        table.evaluate(probe);
    }
    const double burstMs = static_cast<double>(timer.nsecsElapsed()) / 1e6 / rounds;
    out << "burst of " << burst.size() << " route changes applied and evaluated: " << burstMs << " ms\n";

    // Evaluation with 500 default routes in place: sysfs is read once per interface.
    for (int i = 0; i < 500; ++i) {
        table.apply(burst.at(i).constData(), static_cast<std::size_t>(burst.at(i).size()));
    }
    timer.restart();
    constexpr int evaluations = 2000;
    for (int i = 0; i < evaluations; ++i) {
        table.evaluate(probe);
    }
    out << "evaluate() over " << table.defaultHops().size()
        << " default routes: " << static_cast<double>(timer.nsecsElapsed()) / 1e3 / evaluations << " us\n";
    return 0;
}
