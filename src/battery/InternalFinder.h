// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/Battery.h"

#include <QString>
#include <optional>

// Reads the machine's internal battery from /sys/class/power_supply, with UPower's time
// estimates where the kernel gives none. Keeps no state between readings; blocking (sysfs
// reads may wait on the firmware, the bus on UPower), so it runs off the main thread.
class InternalFinder
{
public:
    struct Sources
    {
        QString sysRoot = QStringLiteral("/sys");
        bool askUPower = true;
        int upowerTimeoutMs = 500;
    };

    InternalFinder();
    explicit InternalFinder(Sources sources);

    // The internal battery, or absent when the machine has none. With several, the first
    // present one by supply name (BAT0 before BAT1).
    std::optional<Battery> readInternalBattery() const;

private:
    Sources m_sources;
};
