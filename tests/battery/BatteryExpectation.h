// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/Battery.h"

#include <QDate>
#include <QString>
#include <QTest>
#include <cmath>
#include <optional>

// A reading worked out by hand from a fixture's raw files. Fields left out are expected absent.
struct BatteryExpectation
{
    std::optional<bool> acPowered {};
    std::optional<QString> name {};
    std::optional<bool> isCharging {};
    std::optional<bool> isCharged {};
    std::optional<qint64> currentCapacity {};
    std::optional<qint64> maxCapacity {};
    std::optional<qint64> designCapacity {};
    std::optional<qint64> timeToFull {};
    std::optional<qint64> timeToEmpty {};
    std::optional<QString> manufacturer {};
    std::optional<QDate> manufactureDate {};
    std::optional<qint64> cycleCount {};
    std::optional<qint64> amperage {};
    std::optional<double> voltage {};
    std::optional<double> watts {};
    std::optional<double> temperature {};
};
Q_DECLARE_METATYPE(BatteryExpectation)

namespace BatteryExpectationCheck {

template<typename T> QString show(const std::optional<T> &value)
{
    if (!value) {
        return QStringLiteral("absent");
    }
    if constexpr (std::is_same_v<T, QString>) {
        return QLatin1Char('"') + *value + QLatin1Char('"');
    } else if constexpr (std::is_same_v<T, QDate>) {
        return value->toString(Qt::ISODate);
    } else if constexpr (std::is_same_v<T, double>) {
        return QString::number(*value, 'g', 17);
    } else {
        return QVariant::fromValue(*value).toString();
    }
}

template<typename T> bool same(const std::optional<T> &actual, const std::optional<T> &expected, const char *field)
{
    bool equal = actual.has_value() == expected.has_value();
    if (equal && actual) {
        if constexpr (std::is_same_v<T, double>) {
            equal = std::abs(*actual - *expected) <= 1e-9 * std::max(1.0, std::abs(*expected))
                && std::signbit(*actual) == std::signbit(*expected);
        } else {
            equal = *actual == *expected;
        }
    }
    if (!equal) {
        QTest::qFail(
            qPrintable(
                QStringLiteral("%1: got %2, expected %3").arg(QLatin1String(field), show(actual), show(expected))),
            __FILE__, __LINE__);
    }
    return equal;
}

// Fails the running test at the first field that differs.
inline bool matches(const Battery &battery, const BatteryExpectation &expected)
{
    return same(battery.acPowered, expected.acPowered, "acPowered") && same(battery.name, expected.name, "name")
        && same(battery.isCharging, expected.isCharging, "isCharging")
        && same(battery.isCharged, expected.isCharged, "isCharged")
        && same(battery.currentCapacity, expected.currentCapacity, "currentCapacity")
        && same(battery.maxCapacity, expected.maxCapacity, "maxCapacity")
        && same(battery.designCapacity, expected.designCapacity, "designCapacity")
        && same(battery.timeToFull, expected.timeToFull, "timeToFull")
        && same(battery.timeToEmpty, expected.timeToEmpty, "timeToEmpty")
        && same(battery.manufacturer, expected.manufacturer, "manufacturer")
        && same(battery.manufactureDate, expected.manufactureDate, "manufactureDate")
        && same(battery.cycleCount, expected.cycleCount, "cycleCount")
        && same(battery.designCycleCount, std::optional<qint64>(), "designCycleCount")
        && same(battery.amperage, expected.amperage, "amperage") && same(battery.voltage, expected.voltage, "voltage")
        && same(battery.watts, expected.watts, "watts")
        && same(battery.temperature, expected.temperature, "temperature");
}

} // namespace BatteryExpectationCheck
