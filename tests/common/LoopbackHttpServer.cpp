// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackHttpServer.h"

#include <QTcpSocket>
#include <memory>

LoopbackHttpServer::LoopbackHttpServer(const QHostAddress &address)
{
    m_server.listen(address);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (!buffer->contains("\r\n\r\n"))
                    return;
                requests.append(*buffer);
                buffer->clear();
                if (handler)
                    handler(socket, requests.constLast());
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl LoopbackHttpServer::url(const QString &path) const
{
    return QUrl(
        QStringLiteral("http://%1:%2%3").arg(m_server.serverAddress().toString()).arg(m_server.serverPort()).arg(path));
}

void LoopbackHttpServer::reply(
    QTcpSocket *socket, const QByteArray &body, const QByteArray &status, const QByteArray &headers)
{
    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: application/javascript\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n" + headers + "Connection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
