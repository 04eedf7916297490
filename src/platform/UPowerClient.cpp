// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UPowerClient.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.UPower");
const QString kDeviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
// UP_DEVICE_KIND_BATTERY
constexpr uint kKindBattery = 2;
// A machine has a handful of power devices; a bus that lists more is not worth walking.
constexpr int kMaxDevices = 64;

std::optional<QList<QVariant>> call(
    const QDBusConnection &bus, const QDBusMessage &message, const QDeadlineTimer &deadline)
{
    const qint64 remaining = deadline.remainingTime();
    if (remaining <= 0) {
        return std::nullopt;
    }
    const QDBusMessage reply = bus.call(message, QDBus::Block, static_cast<int>(remaining));
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return std::nullopt;
    }
    return reply.arguments();
}

QList<QDBusObjectPath> devicePaths(const QDBusConnection &bus, const QDeadlineTimer &deadline)
{
    const auto message = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/org/freedesktop/UPower"), kService, QStringLiteral("EnumerateDevices"));
    const auto arguments = call(bus, message, deadline);
    if (!arguments || arguments->size() != 1 || !arguments->first().canConvert<QDBusArgument>()) {
        return {};
    }
    const auto argument = arguments->first().value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("ao")) {
        return {};
    }
    QList<QDBusObjectPath> paths;
    argument >> paths;
    return paths;
}

std::optional<QVariantMap> deviceProperties(
    const QDBusConnection &bus, const QDBusObjectPath &path, const QDeadlineTimer &deadline)
{
    auto message = QDBusMessage::createMethodCall(
        kService, path.path(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    message << kDeviceInterface;
    const auto arguments = call(bus, message, deadline);
    if (!arguments || arguments->size() != 1 || !arguments->first().canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto argument = arguments->first().value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}")) {
        return std::nullopt;
    }
    QVariantMap properties;
    argument >> properties;
    return properties;
}

bool matchesSupply(const QVariantMap &properties, const QString &supplyName)
{
    if (properties.value(QStringLiteral("Type")).typeId() != QMetaType::UInt
        || properties.value(QStringLiteral("Type")).toUInt() != kKindBattery) {
        return false;
    }
    const QVariant nativePath = properties.value(QStringLiteral("NativePath"));
    if (nativePath.typeId() != QMetaType::QString) {
        return false;
    }
    // Older UPower releases keep the whole sysfs path here, newer ones the supply's name.
    const QString path = nativePath.toString();
    return path == supplyName || path.endsWith(QLatin1Char('/') + supplyName);
}

// UPower writes 0 when it has no estimate.
std::optional<qint64> seconds(const QVariantMap &properties, const QString &key)
{
    const QVariant value = properties.value(key);
    if (value.typeId() != QMetaType::LongLong) {
        return std::nullopt;
    }
    const qint64 number = value.toLongLong();
    if (number <= 0) {
        return std::nullopt;
    }
    return number;
}

} // namespace

UPowerClient::UPowerClient(int timeoutMs)
    : m_timeoutMs(timeoutMs)
{ }

std::optional<UPowerTimes> UPowerClient::batteryTimes(const QString &supplyName) const
{
    // Without a system bus (containers, some test rigs) there is simply no UPower.
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || supplyName.isEmpty()) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(m_timeoutMs);
    const QList<QDBusObjectPath> paths = devicePaths(bus, deadline);
    for (qsizetype i = 0; i < paths.size() && i < kMaxDevices; ++i) {
        const std::optional<QVariantMap> properties = deviceProperties(bus, paths.at(i), deadline);
        if (!properties) {
            // Out of time or UPower gone: stop rather than wait once per device.
            if (deadline.hasExpired()) {
                return std::nullopt;
            }
            continue;
        }
        if (matchesSupply(*properties, supplyName)) {
            return UPowerTimes { seconds(*properties, QStringLiteral("TimeToEmpty")),
                seconds(*properties, QStringLiteral("TimeToFull")) };
        }
    }
    return std::nullopt;
}
