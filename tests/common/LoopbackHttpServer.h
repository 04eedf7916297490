// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QUrl>
#include <functional>

class QTcpSocket;

// A tiny HTTP server on a loopback address. Each request is answered by the test's handler,
// which writes whatever bytes it likes and decides whether to close.
class LoopbackHttpServer : public QObject
{
public:
    using Handler = std::function<void(QTcpSocket *, const QByteArray &request)>;

    explicit LoopbackHttpServer(const QHostAddress &address = QHostAddress::LocalHost);
    bool isListening() const { return m_server.isListening(); }
    QUrl url(const QString &path) const;

    // A whole reply with a Content-Length, then the connection closes.
    static void reply(QTcpSocket *socket, const QByteArray &body, const QByteArray &status = "200 OK",
        const QByteArray &headers = QByteArray());

    Handler handler;
    QList<QByteArray> requests;

private:
    QTcpServer m_server;
};
