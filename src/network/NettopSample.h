// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NettopOptions.h"

#include <QString>
#include <QStringList>

// Where the interface counters and the interface attributes are read from.
struct NettopRoots
{
    QString proc = QStringLiteral("/proc");
    QString sys = QStringLiteral("/sys");
};

// Width of every line of the report: time, interface name and two 20-digit counters.
namespace NettopLayout {
constexpr int timeWidth = 15; // HH:MM:SS.ffffff
constexpr int nameWidth = 15; // IFNAMSIZ minus the terminator
constexpr int counterWidth = 20; // the largest unsigned 64-bit counter has 20 digits
} // namespace NettopLayout

// One sample of the interface counter report: a header line, then one line of the same
// width per counted interface with its cumulative counters from <proc>/net/dev. Bad
// arguments give an empty text; a machine without the counters gives the header alone.
QString nettopSample(const QStringList &arguments, const NettopRoots &roots = {});
QString nettopSample(const NettopOptions &options, const NettopRoots &roots = {});
