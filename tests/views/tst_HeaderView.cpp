// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The public address lookup and the header's address line against a loopback endpoint; how long
// the main thread may stall while the header is built with a hung hostnamed and an endpoint that
// never answers; the header's name and the hardware report's fall-backs from a mocked hostnamed.
#include "LoopbackHttpServer.h"
#include "PrivateBus.h"
#include "network/PublicAddressLookup.h"
#include "preferences/PreferenceManager.h"
#include "system/HardwareReport.h"
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
#include <optional>

namespace {
using Server = LoopbackHttpServer;

QString lookup(const QUrl &url, std::chrono::milliseconds timeout = PublicAddressLookup::defaultTimeout)
{
    PublicAddressLookup lookup;
    QSignalSpy finished(&lookup, &PublicAddressLookup::finished);
    lookup.fetch(url, timeout);
    if (!finished.wait(20000))
        return QStringLiteral("(no answer)");
    QCoreApplication::processEvents();
    if (finished.size() != 1)
        return QStringLiteral("(answered %1 times)").arg(finished.size());
    return finished.constFirst().constFirst().toString();
}

const QString path = QStringLiteral("/cityjson?ie=utf-8");
const QByteArray good = "var returnCitySN = {\"cip\": \"203.0.113.7\", \"cid\": \"CN\", \"cname\": \"CHINA\"};";
} // namespace

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
    bool addMethod(const QString &name, const QString &in, const QString &out, const QString &code)
    {
        return m_bus.mockCall(hostnamed, QStringLiteral("/org/freedesktop/hostname1"), QStringLiteral("AddMethod"),
            { QString(), name, in, out, code });
    }
    static HardwareReportSources vmSources(int timeoutMs)
    {
        const QString root = QStringLiteral(TAVLO_TEST_DATA "/system/vm-nodmi");
        return { root + QStringLiteral("/proc"), root + QStringLiteral("/sys"), root + QStringLiteral("/etc"), true,
            timeoutMs };
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
        QTest::newRow("not the format") << true << QByteArray(R"({"cip": "203.0.113.7"})") << QString();
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
        QElapsedTimer clock;
        QElapsedTimer sinceTurn;
        QTimer ticker;
        std::optional<MachineIdentity> identity;
        connect(&ticker, &QTimer::timeout, this, [&] {
            longest = qMax(longest, sinceTurn.restart());
            if ((identity && identity->isSettled() && m_endpoint.requests.size() == 1) || clock.elapsed() > 5000)
                loop.quit();
        });
        clock.start();
        sinceTurn.start();
        ticker.start(1);
        identity.emplace(AppInfoManager::Sources {});
        HeaderView header(m_preferences, &*identity);
        header.setEndpoint(m_endpoint.url(QStringLiteral("/cityjson")));
        header.show();
        loop.exec();
        QVERIFY(identity->isSettled() && header.isLookingUp() && header.isAddressLineShown());
        QCOMPARE(m_endpoint.requests.size(), 1);
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

    void testParse_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("array at the top") << QByteArray("var returnCitySN = [\"203.0.113.7\"];") << "";
        QTest::newRow("no space before the equals sign")
            << QByteArray("var returnCitySN= {\"cip\": \"1.2.3.4\"};") << "";
        QTest::newRow("any other final character")
            << QByteArray("var returnCitySN = {\"cip\": \"2001:db8::1\"})") << "IP: 2001:db8::1";
        // Only an address is shown; anything else is a failed lookup. Replies with no address
        // in them, or with markup, control characters or a huge value, are the fuzz target's.
        const auto reply = [](const QByteArray &cip) { return "var returnCitySN = {\"cip\": \"" + cip + "\"};"; };
        QTest::newRow("IPv6 written in capitals") << reply("2001:DB8::1") << "IP: 2001:db8::1";
        QTest::newRow("IPv4 in IPv6") << reply("::ffff:192.0.2.1") << "IP: ::ffff:192.0.2.1";
        QTest::newRow("shortened IPv4") << reply("127.1") << "";
        QTest::newRow("octet out of range") << reply("1.2.3.256") << "";
        QTest::newRow("IPv6 with a zone") << reply("fe80::1%eth0") << "";
        QTest::newRow("trailing newline") << good + "\n"
                                          << "";
        QTest::newRow("bare JSON") << QByteArray("{\"cip\": \"203.0.113.7\"}") << "";
        QTest::newRow("cip not a string") << QByteArray("var returnCitySN = {\"cip\": 1};") << "";
    }
    void testParse()
    {
        QFETCH(QByteArray, body);
        QTEST(PublicAddressLookup::parseReply(body), "text");
    }

    void testServedReplies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("good reply") << good << QByteArray("200 OK") << "IP: 203.0.113.7";
        QTest::newRow("server error with a good body") << good << QByteArray("500 Internal Server Error") << "";
    }
    void testServedReplies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, status);
        Server server;
        server.handler = [&](QTcpSocket *socket, const QByteArray &) { Server::reply(socket, body, status); };
        QTEST(lookup(server.url(path)), "text");
        QCOMPARE(server.requests.size(), 1);
        QVERIFY(server.requests.constFirst().startsWith("GET /cityjson?ie=utf-8 HTTP/1.1\r\n"));
    }

    // Whatever a server does, the lookup ends in time, without an address.
    void testServerMisbehaves_data()
    {
        QTest::addColumn<int>("behaviour");
        QTest::newRow("reply that never ends") << 0;
        QTest::newRow("10 MB with Content-Length") << 1;
        QTest::newRow("10 MB streamed until close") << 2;
    }
    void testServerMisbehaves()
    {
        QFETCH(int, behaviour);
        Server server;
        const QByteArray huge = "var returnCitySN = {\"cip\": \"" + QByteArray(10 * 1024 * 1024, 'x') + "\"};";
        server.handler = [&](QTcpSocket *socket, const QByteArray &) {
            if (behaviour == 0) {
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nvar return");
            } else if (behaviour == 1) {
                Server::reply(socket, huge);
            } else {
                socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + huge);
                socket->disconnectFromHost();
            }
        };
        QElapsedTimer clock;
        clock.start();
        const auto timeout = behaviour == 0 ? std::chrono::milliseconds(300) : PublicAddressLookup::defaultTimeout;
        QCOMPARE(lookup(server.url(path), timeout), QString());
        QVERIFY(clock.elapsed() < 5000);
    }

    void testRedirectToAnotherHost()
    {
        Server elsewhere(QHostAddress(QStringLiteral("127.0.0.2")));
        elsewhere.handler = [](QTcpSocket *socket, const QByteArray &) { Server::reply(socket, good); };
        Server server;
        server.handler = [&](QTcpSocket *socket, const QByteArray &) {
            Server::reply(socket, QByteArray(), "302 Found", "Location: " + elsewhere.url(path).toEncoded() + "\r\n");
        };
        QCOMPARE(lookup(server.url(path)), QString());
        QCoreApplication::processEvents();
        QVERIFY(elsewhere.requests.isEmpty());
    }

    void testRedirectOnTheSameHostSendsNoCookie()
    {
        Server server;
        server.handler = [&](QTcpSocket *socket, const QByteArray &request) {
            if (request.startsWith("GET /cityjson"))
                Server::reply(
                    socket, QByteArray(), "302 Found", "Location: /moved\r\nSet-Cookie: session=abc; Path=/\r\n");
            else
                Server::reply(socket, good);
        };
        QCOMPARE(lookup(server.url(path)), QStringLiteral("IP: 203.0.113.7"));
        QCOMPARE(server.requests.size(), 2);
        QVERIFY(server.requests.at(1).startsWith("GET /moved "));
        QVERIFY(!server.requests.at(1).toLower().contains("\r\ncookie:"));
    }

    void testNoServer()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/cityjson").arg(closed.serverPort()));
        closed.close();
        QCOMPARE(lookup(url), QString());
        QCOMPARE(lookup(QUrl(QStringLiteral("file:///etc/passwd"))), QString());
        QCOMPARE(lookup(QUrl()), QString());
    }

    void testContextGoneFirst()
    {
        Server server;
        server.handler = [](QTcpSocket *socket, const QByteArray &) { Server::reply(socket, good); };
        auto *context = new QObject;
        bool called = false;
        fetchPublicIP(
            context, [&called](const QString &) { called = true; }, server.url(path));
        delete context;
        // A second lookup's answer comes after anything the first could still deliver.
        QCOMPARE(lookup(server.url(path)), QStringLiteral("IP: 203.0.113.7"));
        QVERIFY(!called);
    }

    // Without readable DMI strings the hardware report asks hostnamed before the machine id.
    void testReportAsksHostnamed()
    {
        if (!m_busProblem.isEmpty())
            QSKIP(qPrintable(m_busProblem));
        QVERIFY(startHostnamed());
        QVERIFY(addMethod(QStringLiteral("GetProductUUID"), QStringLiteral("b"), QStringLiteral("ay"),
            QStringLiteral("ret = bytes.fromhex('4c4c4544005135108039b4c04f4b4d32')")));
        QVERIFY(addMethod(QStringLiteral("GetHardwareSerial"), QString(), QStringLiteral("s"),
            QStringLiteral("ret = 'SN-HOSTNAMED'")));
        const HardwareOverview overview = HardwareReport(vmSources(2000)).overview();
        QCOMPARE(overview.serialNumber, std::optional<QString>(QStringLiteral("SN-HOSTNAMED")));
        QCOMPARE(overview.hardwareUuid, std::optional<QString>(QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32")));
    }

    // polkit saying no, or a service that does not answer in time: the machine id stands in.
    void testReportWithoutHostnamedAnswer_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("refused")
            << "raise dbus.exceptions.DBusException('denied', name='org.freedesktop.DBus.Error.AccessDenied')";
        QTest::newRow("too slow") << "time.sleep(3); ret = b'0123456789abcdef'";
    }
    void testReportWithoutHostnamedAnswer()
    {
        if (!m_busProblem.isEmpty())
            QSKIP(qPrintable(m_busProblem));
        QFETCH(QString, code);
        QVERIFY(startHostnamed());
        QVERIFY(addMethod(QStringLiteral("GetProductUUID"), QStringLiteral("b"), QStringLiteral("ay"), code));
        QElapsedTimer clock;
        clock.start();
        const HardwareOverview overview = HardwareReport(vmSources(300)).overview();
        QVERIFY(clock.elapsed() < 2500);
        QCOMPARE(overview.hardwareUuid, std::optional<QString>(QStringLiteral("3D1219C7-C4C5-404A-AA1F-6D2A48ADFDA4")));
    }
};

QTEST_MAIN(TestHeaderView)
#include "tst_HeaderView.moc"
