// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/BatteryUnits.h"

#include <cmath>
#include <limits>

namespace BatteryUnits {

namespace {

// Anything at or above 2^63 does not fit a qint64; the double comparison is exact there.
constexpr double kInt64Limit = 9223372036854775808.0;

std::optional<qint64> roundedToInt64(double value)
{
    if (!std::isfinite(value) || value >= kInt64Limit || value < -kInt64Limit) {
        return std::nullopt;
    }
    return static_cast<qint64>(std::llround(value));
}

// a * 1000 / b for a >= 0 and b > 0, rounded, without overflowing on the way.
std::optional<qint64> scaledRatio(qint64 a, qint64 b)
{
    if (a < 0 || b <= 0) {
        return std::nullopt;
    }
    return roundedToInt64(static_cast<double>(a) / static_cast<double>(b) * 1000.0);
}

} // namespace

qint64 microToMilli(qint64 micro)
{
    const qint64 whole = micro / 1000;
    const qint64 rest = micro % 1000;
    if (rest >= 500) {
        return whole + 1;
    }
    if (rest <= -500) {
        return whole - 1;
    }
    return whole;
}

std::optional<qint64> chargeMilliampHours(std::optional<qint64> microampHours)
{
    if (!microampHours || *microampHours < 0) {
        return std::nullopt;
    }
    return microToMilli(*microampHours);
}

std::optional<qint64> energyToChargeMilliampHours(
    std::optional<qint64> microwattHours, std::optional<qint64> microvolts)
{
    if (!microwattHours || !microvolts) {
        return std::nullopt;
    }
    return scaledRatio(*microwattHours, *microvolts);
}

std::optional<qint64> powerToCurrentMilliamps(std::optional<qint64> microwatts, std::optional<qint64> microvolts)
{
    if (!microwatts || !microvolts) {
        return std::nullopt;
    }
    return scaledRatio(*microwatts, *microvolts);
}

std::optional<double> volts(std::optional<qint64> microvolts)
{
    if (!microvolts || *microvolts <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(*microvolts) / 1e6;
}

std::optional<double> celsius(std::optional<qint64> deciCelsius)
{
    // -100 °C to +200 °C: well past where any cell would be dead or on fire.
    if (!deciCelsius || *deciCelsius <= -1000 || *deciCelsius >= 2000) {
        return std::nullopt;
    }
    return static_cast<double>(*deciCelsius) / 10.0;
}

std::optional<qint64> minutes(std::optional<qint64> seconds)
{
    constexpr qint64 kNoEstimateMinutes = 65535;
    if (!seconds || *seconds < 0 || *seconds / 60 >= kNoEstimateMinutes) {
        return std::nullopt;
    }
    return *seconds / 60;
}

std::optional<qint64> signedCurrent(std::optional<qint64> milliamps, bool discharging)
{
    if (!milliamps) {
        return std::nullopt;
    }
    if (discharging && *milliamps > 0) {
        return -*milliamps;
    }
    return milliamps;
}

std::optional<double> watts(
    std::optional<double> volts, std::optional<qint64> milliamps, std::optional<bool> isCharging)
{
    if (!volts || !milliamps || !isCharging) {
        return std::nullopt;
    }
    const double power = *volts * static_cast<double>(*milliamps) / 1000.0;
    const double result = *isCharging ? power : -power;
    // No current gives 0 W, never "-0.0".
    return result == 0.0 ? 0.0 : result;
}

} // namespace BatteryUnits
