// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kind of interface a network path leaves through, in the order the network section
// lists them.
enum class InterfaceKind
{
    other,
    wifi,
    cellular,
    wiredEthernet,
    loopback,
};

// What the connectivity model shows about the machine's default network path.
struct NetworkPath
{
    bool usable = false;
    bool supportsIPv4 = false;
    bool supportsIPv6 = false;
    InterfaceKind kind = InterfaceKind::other;

    bool operator==(const NetworkPath &) const = default;
};
