// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The kind of a battery reading. `mac` is the machine's own internal battery, the only kind
// the reader produces; `none` is what a record holds before a reader fills it.
enum class BatteryType
{
    mac,
    unknown,
    none,
};

// Every case, in declaration order.
inline constexpr std::array<BatteryType, 3> allBatteryTypes { BatteryType::mac, BatteryType::unknown,
    BatteryType::none };
