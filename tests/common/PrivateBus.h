// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QVariantList>

// A dbus-daemon of the test's own that stands in for both the session and the system bus of
// this process, and python3-dbusmock services on it. Both children die with the test, also
// when it crashes.
class PrivateBus
{
public:
    PrivateBus() = default;
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // Empty when the bus runs; otherwise why it cannot, for QSKIP. Call before this process
    // first uses the system bus: Qt keeps that connection.
    QString start(bool needDbusmock = true);
    QDBusConnection connection() const;
    QString address() const { return m_address; }

    // The child gets SIGKILL when this process ends, however it ends.
    static void dieWithParent(QProcess &process);

    // Runs `python3 <arguments>` on the bus and waits until it owns `service`.
    bool startService(const QStringList &arguments, const QString &service);
    void stopService();
    QProcess &service() { return m_service; }

    // A call on org.freedesktop.DBus.Mock, dbusmock's own control interface.
    bool mockCall(const QString &service, const QString &path, const QString &method, const QVariantList &arguments);

private:
    QProcess m_bus;
    QProcess m_service;
    QString m_address;
};
