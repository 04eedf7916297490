// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The header's address line against a loopback endpoint, and how long the main thread may
// stall while the header is built with a hung hostnamed and an endpoint that never answers.
#include "LoopbackHttpServer.h"
#include "PrivateBus.h"
#include "preferences/PreferenceManager.h"
#include "system/MachineIdentity.h"
#include "views/HeaderView.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

class TestHeaderView : public QObject
{
    Q_OBJECT

private:
    PrivateBus m_bus;
    QString m_busProblem;
    QTemporaryDir m_config;
    PreferenceManager *m_preferences = nullptr;
    LoopbackHttpServer m_endpoint;
    QByteArray m_reply;
    const QString hostnamed = QStringLiteral("org.freedesktop.hostname1");

    bool startHostnamed()
    {
        return m_bus.startService(
            { "-m", "dbusmock", "--session", hostnamed, "/org/freedesktop/hostname1", hostnamed }, hostnamed);
    }

private slots:
    void initTestCase()
    {
        // Before anything here touches the system bus: the private one stands in for it.
        m_busProblem = m_bus.start();
        m_preferences = new PreferenceManager(m_config.path(), QLocale(QLocale::English), this);
        m_endpoint.handler = [this](QTcpSocket *socket, const QByteArray &) {
            if (!m_reply.isNull())
                LoopbackHttpServer::reply(socket, m_reply);
        };
        QVERIFY(m_endpoint.isListening());
    }

    // Off: no line and no request. On: the line keeps its place at once and fills with what
    // the lookup returns, "" on any failure; each turn on asks again.
    void testAddressLine_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("expected");
        QTest::newRow("off") << false << QByteArray() << QString();
        QTest::newRow("answer") << true << QByteArray(R"(var returnCitySN = {"cip": "203.0.113.7"};)")
                                << "IP: 203.0.113.7";
        QTest::newRow("bare JSON") << true << QByteArray(R"({"cip": "203.0.113.7"})") << QString();
    }

    void testAddressLine()
    {
        QFETCH(bool, on);
        QFETCH(QByteArray, reply);
        QFETCH(QString, expected);
        m_reply = reply;
        m_endpoint.requests.clear();
        m_preferences->setSetShowIPAddress(false);
        MachineIdentity identity({ .useHostnamed = false });
        HeaderView header(m_preferences, &identity);
        header.setEndpoint(m_endpoint.url(QStringLiteral("/cityjson?ie=utf-8")));
        header.show();
        QSignalSpy arrived(&header, &HeaderView::addressArrived);
        for (int turn = 1; turn <= 2; ++turn) {
            m_preferences->setSetShowIPAddress(on);
            QTRY_COMPARE(header.isAddressLineShown(), on);
            if (on) {
                QTRY_COMPARE(arrived.size(), turn);
                QCOMPARE(header.addressText(), expected);
                QVERIFY(header.isAddressLineShown());
            }
            QCOMPARE(m_endpoint.requests.size(), on ? turn : 0);
            m_preferences->setSetShowIPAddress(false);
            QTRY_VERIFY(!header.isAddressLineShown());
        }
    }

    // The longest time the event loop goes without turning while the header is built and its
    // lookups run: hostnamed stopped (every call waits out its time-out) and the endpoint
    // accepting but never answering.
    void testMainThreadStall()
    {
        if (!m_busProblem.isEmpty())
            QSKIP(qPrintable(m_busProblem));
        QVERIFY(startHostnamed());
        ::kill(pid_t(m_bus.service().processId()), SIGSTOP);
        m_reply = QByteArray();
        m_endpoint.requests.clear();
        m_preferences->setSetShowIPAddress(true);
        QCoreApplication::processEvents();

        // A plain event loop: QTest's waits sleep between their turns and would be measured.
        QEventLoop loop;
        qint64 longest = 0;
        qint64 settled = -1;
        QElapsedTimer clock;
        QElapsedTimer sinceTurn;
        QTimer ticker;
        ticker.setInterval(1);
        MachineIdentity *identity = nullptr;
        connect(&ticker, &QTimer::timeout, this, [&] {
            longest = qMax(longest, sinceTurn.restart());
            if (settled < 0 && identity && identity->isSettled())
                settled = clock.elapsed();
            if ((settled >= 0 && m_endpoint.requests.size() == 1) || clock.elapsed() > 5000)
                loop.quit();
        });
        clock.start();
        sinceTurn.start();
        ticker.start();
        MachineIdentity identityInstance(AppInfoManager::Sources {});
        identity = &identityInstance;
        HeaderView header(m_preferences, identity);
        header.setEndpoint(m_endpoint.url(QStringLiteral("/cityjson")));
        header.show();
        const qint64 built = clock.elapsed();
        // The worker waits out hostnamed's time-outs; the loop must keep turning meanwhile.
        loop.exec();
        ticker.stop();
        QVERIFY(settled >= 0);
        QCOMPARE(m_endpoint.requests.size(), 1);
        qInfo("header built in %lld ms; hostnamed lookup settled after %lld ms; longest main-thread stall %lld ms",
            built, settled, longest);
        QVERIFY(header.isLookingUp());
        QVERIFY(header.isAddressLineShown());
        // A frame is 16 ms; a busy test machine gets some slack, a blocking call would take 100.
        QVERIFY2(longest < 50, qPrintable(QString::number(longest)));
        m_bus.stopService();
    }

    // hostnamed's name replaces the kernel's once the worker has it, and again when the owner
    // renames the machine.
    void testNameFollowsHostnamed()
    {
        if (!m_busProblem.isEmpty())
            QSKIP(qPrintable(m_busProblem));
        QVERIFY(startHostnamed());
        const auto rename = [&](const char *call, const char *name) {
            return m_bus.mockCall(hostnamed, QStringLiteral("/org/freedesktop/hostname1"), QLatin1String(call),
                { hostnamed, QVariant::fromValue(QVariantMap { { "PrettyHostname", QString::fromUtf8(name) } }) });
        };
        QVERIFY(rename("AddProperties", "Studio Mac mini"));
        MachineIdentity identity(AppInfoManager::Sources {});
        HeaderView header(m_preferences, &identity);
        QTRY_COMPARE(header.machineName(), QStringLiteral("Studio Mac mini"));
        QCOMPARE(identity.deviceImageName(), QStringLiteral("macmini"));
        QVERIFY(rename("UpdateProperties", "Kitchen iMac"));
        QTRY_COMPARE(header.machineName(), QStringLiteral("Kitchen iMac"));
        QCOMPARE(identity.deviceImageName(), QStringLiteral("iMac"));
        m_bus.stopService();
    }
};

QTEST_MAIN(TestHeaderView)
#include "tst_HeaderView.moc"
