// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>
#include <optional>

// systemd-hostnamed (org.freedesktop.hostname1) on the system bus. Every call is bounded by
// the time-out and never asks polkit to interact: a question nobody answers must not stall
// the caller. No bus, no service or a refusal all give nothing.
class HostnamedClient
{
public:
    explicit HostnamedClient(QDBusConnection bus = QDBusConnection::systemBus(), int timeoutMs = 500);

    // A string property such as PrettyHostname, Chassis, HardwareVendor or HardwareModel.
    std::optional<QString> property(const QString &name) const;

    // The DMI product UUID, upper case 8-4-4-4-12. hostnamed reads it as root for us.
    std::optional<QString> productUuid() const;

    // The hardware serial number (systemd 254 and later).
    std::optional<QString> hardwareSerial() const;

    static QString formatUuid(const QByteArray &sixteenBytes);

private:
    QDBusConnection m_bus;
    int m_timeoutMs;
};
