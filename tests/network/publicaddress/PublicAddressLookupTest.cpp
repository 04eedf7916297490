// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/PublicAddressLookup.h"

#include "LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

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

class PublicAddressLookupTest : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(PublicAddressLookupTest)
#include "PublicAddressLookupTest.moc"
