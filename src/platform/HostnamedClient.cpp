// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostnamedClient.h"

#include "SysInfoFile.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace {
const QString service = QStringLiteral("org.freedesktop.hostname1");
const QString path = QStringLiteral("/org/freedesktop/hostname1");
const QString interface = QStringLiteral("org.freedesktop.hostname1");
} // namespace

HostnamedClient::HostnamedClient(QDBusConnection bus, int timeoutMs)
    : m_bus(std::move(bus))
    , m_timeoutMs(timeoutMs)
{ }

std::optional<QString> HostnamedClient::property(const QString &name) const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << interface << name;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QVariant value = reply.arguments().constFirst().value<QDBusVariant>().variant();
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    const QString text = SysInfoFile::printable(value.toString());
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

std::optional<QString> HostnamedClient::productUuid() const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetProductUUID"));
    call << false; // not interactive
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QVariant value = reply.arguments().constFirst();
    if (value.metaType().id() != QMetaType::QByteArray || value.toByteArray().size() != 16)
        return std::nullopt;
    return formatUuid(value.toByteArray());
}

std::optional<QString> HostnamedClient::hardwareSerial() const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    const QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetHardwareSerial"));
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QVariant value = reply.arguments().constFirst();
    if (value.metaType().id() != QMetaType::QString)
        return std::nullopt;
    const QString text = SysInfoFile::printable(value.toString());
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QString HostnamedClient::formatUuid(const QByteArray &sixteenBytes)
{
    const QString hex = QString::fromLatin1(sixteenBytes.toHex()).toUpper();
    if (hex.size() != 32)
        return {};
    return hex.left(8) + u'-' + hex.mid(8, 4) + u'-' + hex.mid(12, 4) + u'-' + hex.mid(16, 4) + u'-' + hex.mid(20);
}
