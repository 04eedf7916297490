// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Real traffic in a network namespace of the test's own: the sampler reads the kernel's
// counters through /proc and shows the traffic as a rate. The parse table pins the arithmetic.
#include "FixtureFiles.h"
#include "NetnsSandbox.h"
#include "RecordingSink.h"
#include "network/NetworkSpeedManager.h"

#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

class NetworkSpeedAccuracyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testTrafficShowsAsRate()
    {
        using namespace std::chrono_literals;
        NetnsSandbox sandbox;
        if (!sandbox.unavailableReason().isEmpty())
            QSKIP(qPrintable(sandbox.unavailableReason()));
        QVERIFY2(sandbox.enterFresh() && sandbox.ip(QStringLiteral("link set lo up")), qPrintable(sandbox.error()));
        // A sysfs of the test's own makes the namespace's loopback a wired card, the only one.
        QTemporaryDir sys;
        QVERIFY(QDir().mkpath(sys.filePath("class/net/lo/device")));
        QVERIFY(FixtureFiles::write(sys.filePath("class/net/lo/type"), "1\n"));

        RecordingSink sink;
        QList<std::pair<qint64, qint64>> differences;
        NetworkSpeedManager manager(&sink, nullptr, NettopRoots { QStringLiteral("/proc"), sys.path() }, 200ms);
        connect(
            &manager, &NetworkSpeedManager::speedMeasured, this,
            [&](qint64 upload, qint64 download) {
                differences.append({ upload, download });
            },
            Qt::DirectConnection);

        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress::LocalHost));
        QUdpSocket sender;
        QTimer traffic;
        connect(&traffic, &QTimer::timeout, this, [&] {
            sender.writeDatagram(QByteArray(20000, 'x'), QHostAddress::LocalHost, receiver.localPort());
            while (receiver.hasPendingDatagrams())
                receiver.receiveDatagram();
        });
        traffic.start(5ms);
        manager.startSampling();
        QTRY_VERIFY_WITH_TIMEOUT(sink.count() >= 5, 10000);
        manager.stopSampling();
        traffic.stop();

        // About 4 MB/s both ways: what goes out of the loopback comes back in.
        const auto last = sink.titles().constLast();
        QVERIFY2(last.upload.endsWith(QLatin1String("Mb/s")) || last.upload.endsWith(QLatin1String("Kb/s")),
            qPrintable(last.upload));
        QCOMPARE(last.download, last.upload);
        for (const auto &[upload, download] : std::as_const(differences))
            QCOMPARE(upload, download);
    }
};

QTEST_GUILESS_MAIN(NetworkSpeedAccuracyTest)
#include "NetworkSpeedAccuracyTest.moc"
