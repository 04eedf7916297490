// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QUuid>
#include <csignal>
#include <sys/prctl.h>

// Children of a test die with it, also when it crashes: no bus or X server outlives a run.
inline void endWithParent(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// A bus of the test's own: a dbus-daemon with the session configuration, stopped when the
// object goes, also when the test fails half-way.
class PrivateBus
{
public:
    PrivateBus()
    {
        endWithParent(m_daemon);
        m_daemon.setProgram(QStringLiteral("dbus-daemon"));
        m_daemon.setArguments(
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        m_daemon.start();
        if (!m_daemon.waitForStarted(5000))
            return;
        while (m_address.isEmpty() && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString &name : std::as_const(m_connections))
            QDBusConnection::disconnectFromBus(name);
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    QString address() const { return m_address; }
    bool isRunning() const { return !m_address.isEmpty(); }

    // A new connection of this process to the bus, with a unique name of its own.
    QDBusConnection connect()
    {
        const QString name = QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::Id128);
        m_connections.append(name);
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};
