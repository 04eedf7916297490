// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");

} // namespace

SingleInstance::SingleInstance(const QString &directory, const QString &name, QObject *parent)
    : QObject(parent)
    , m_lockPath(directory + QLatin1Char('/') + name + QStringLiteral(".lock"))
    , m_socketPath(directory + QLatin1Char('/') + name + QStringLiteral(".socket"))
{ }

SingleInstance::~SingleInstance()
{
    if (m_server) {
        m_server->close();
    }
}

QString SingleInstance::defaultDirectory()
{
    // $XDG_RUNTIME_DIR is private to the user and emptied at logout; Qt falls back to a
    // private folder under /tmp when the session has none.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool SingleInstance::claim(int timeoutMs)
{
    if (m_server) {
        return true;
    }
    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    auto lock = std::make_unique<QLockFile>(m_lockPath);
    // No time-based staleness: a lock is stale only when the process that wrote it is gone,
    // which QLockFile checks by its pid. A busy first instance must not be taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        notifyRunningInstance(timeoutMs);
        return false;
    }
    m_lock = std::move(lock);

    // Holding the lock, any socket file left behind belongs to a process that died.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath)) {
        // Still the only instance (the lock says so), merely unreachable for later launches.
        return true;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // Only the one known request is honoured; anything else is dropped.
                if (socket->bytesAvailable() > 64) {
                    socket->abort();
                    return;
                }
                if (socket->canReadLine() && socket->readLine() == kActivate) {
                    emit activationRequested();
                    socket->disconnectFromServer();
                }
            });
        }
    });
    return true;
}

bool SingleInstance::notifyRunningInstance(int timeoutMs) const
{
    // The first instance may hold the lock but not listen yet: retry until the deadline.
    const QDeadlineTimer deadline(timeoutMs);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(int(qMax<qint64>(deadline.remainingTime(), 0)))) {
            socket.write(kActivate);
            return socket.waitForBytesWritten(int(qMax<qint64>(deadline.remainingTime(), 0)));
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
}
