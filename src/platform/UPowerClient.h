// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The charge-time estimates UPower keeps for one battery, in seconds.
struct UPowerTimes
{
    std::optional<qint64> timeToEmpty;
    std::optional<qint64> timeToFull;
};

// Asks UPower on the system bus for a battery's time estimates. Many batteries (every ACPI
// one) give the kernel no times at all; UPower works them out from the charge rate.
// Blocking: each call waits at most the time-out given, so callers keep it off the main thread.
class UPowerClient
{
public:
    explicit UPowerClient(int timeoutMs = 500);

    // The estimates of the battery device whose native path is the sysfs supply name (UPower
    // shows "BAT0" for /sys/class/power_supply/BAT0). Absent when no system bus or no UPower
    // runs, when no such battery is known, or when the bus does not answer in time.
    std::optional<UPowerTimes> batteryTimes(const QString &supplyName) const;

private:
    int m_timeoutMs;
};
