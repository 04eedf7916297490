// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>

namespace {
const QString connectionName = QStringLiteral("tavlo-private-bus");

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    // A test may have left it stopped (SIGSTOP) to play a hung service.
    ::kill(static_cast<pid_t>(process.processId()), SIGCONT);
    process.kill();
    process.waitForFinished(5000);
}
} // namespace

void PrivateBus::dieWithParent(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

PrivateBus::~PrivateBus()
{
    QDBusConnection::disconnectFromBus(connectionName);
    stop(m_service);
    stop(m_bus);
}

QString PrivateBus::start(bool needDbusmock)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/dbus-daemon")))
        return QStringLiteral("needs dbus-daemon");
    if (needDbusmock
        && QProcess::execute(
               QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), QStringLiteral("import dbusmock") })
            != 0)
        return QStringLiteral("needs python3-dbusmock");
    dieWithParent(m_bus);
    m_bus.start(QStringLiteral("/usr/bin/dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
    if (!m_bus.waitForStarted(5000) || !QTest::qWaitFor([this] { return m_bus.canReadLine(); }, 10000))
        return QStringLiteral("dbus-daemon did not start");
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
    if (!QDBusConnection::connectToBus(m_address, connectionName).isConnected())
        return QStringLiteral("cannot connect to the private bus");
    return {};
}

QDBusConnection PrivateBus::connection() const
{
    return QDBusConnection(connectionName);
}

bool PrivateBus::startService(const QStringList &arguments, const QString &service)
{
    stopService();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
    m_service.setProcessEnvironment(environment);
    m_service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    dieWithParent(m_service);
    m_service.start(QStringLiteral("/usr/bin/python3"), arguments);
    return m_service.waitForStarted(5000)
        && QTest::qWaitFor(
            [this, &service] { return connection().interface()->isServiceRegistered(service).value(); }, 20000);
}

void PrivateBus::stopService()
{
    stop(m_service);
}

bool PrivateBus::mockCall(
    const QString &service, const QString &path, const QString &method, const QVariantList &arguments)
{
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection().call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        qWarning().noquote() << method << reply.errorMessage();
    return reply.type() == QDBusMessage::ReplyMessage;
}
