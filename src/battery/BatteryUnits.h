// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <optional>

// Conversions from the kernel's power-supply units to the units of a Battery record. Each
// returns absent for an input that cannot be a reading (negative where that is impossible, a
// zero divisor, a result beyond 64 bits) instead of passing a nonsense figure on.
namespace BatteryUnits {

// µAh -> mAh, µA -> mA: rounded to the nearest, halves away from zero.
qint64 microToMilli(qint64 micro);

// A charge or capacity in µAh -> mAh; absent when negative.
std::optional<qint64> chargeMilliampHours(std::optional<qint64> microampHours);

// An energy in µWh -> a charge in mAh at the given voltage (µV). Batteries that count in
// energy are converted through their design minimum voltage, as the capacity on the label is.
std::optional<qint64> energyToChargeMilliampHours(
    std::optional<qint64> microwattHours, std::optional<qint64> microvolts);

// A power in µW at a voltage in µV -> a current in mA (unsigned, as the drivers report it).
std::optional<qint64> powerToCurrentMilliamps(std::optional<qint64> microwatts, std::optional<qint64> microvolts);

// µV -> V; absent unless positive (drivers print 0 when the gauge has no reading).
std::optional<double> volts(std::optional<qint64> microvolts);

// Tenths of °C -> °C; absent outside what a battery can live through (a gauge that has lost
// its thermistor reports 0 K, i.e. -273.1 °C).
std::optional<double> celsius(std::optional<qint64> deciCelsius);

// Seconds -> whole minutes; absent when negative or when at least 65535 minutes, the value a
// smart-battery gauge uses for "no estimate".
std::optional<qint64> minutes(std::optional<qint64> seconds);

// A current with the direction the record uses: negative while discharging. Some drivers
// (ACPI) print the magnitude only; those that print a sign keep it.
std::optional<qint64> signedCurrent(std::optional<qint64> milliamps, bool discharging);

// Power in watts from volts and mA: positive both while charging and while discharging,
// because a discharging current is negative. Absent unless all three are known.
std::optional<double> watts(
    std::optional<double> volts, std::optional<qint64> milliamps, std::optional<bool> isCharging);

} // namespace BatteryUnits
