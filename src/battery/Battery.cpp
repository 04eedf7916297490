// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/Battery.h"

#include <QUuid>

Battery::Battery()
    : id(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper())
{ }

std::optional<double> Battery::healthPercentage() const
{
    if (!maxCapacity || !designCapacity) {
        return std::nullopt;
    }
    return static_cast<double>(*maxCapacity) / static_cast<double>(*designCapacity) * 100.0;
}

std::optional<double> Battery::chargePercentage() const
{
    const std::optional<double> fraction = chargeFraction();
    if (!fraction) {
        return std::nullopt;
    }
    return *fraction * 100.0;
}

std::optional<double> Battery::chargeFraction() const
{
    if (!currentCapacity || !maxCapacity) {
        return std::nullopt;
    }
    return static_cast<double>(*currentCapacity) / static_cast<double>(*maxCapacity);
}

std::optional<qint64> Battery::remainingMinutes() const
{
    if (!isCharging) {
        return std::nullopt;
    }
    return *isCharging ? timeToFull : timeToEmpty;
}

QString Battery::remainingTimeText() const
{
    const std::optional<qint64> minutes = remainingMinutes();
    if (!minutes || *minutes < 1) {
        return QStringLiteral("-");
    }
    return QString::asprintf(
        "%.2lld:%.2lld", static_cast<long long>(*minutes / 60), static_cast<long long>(*minutes % 60));
}
