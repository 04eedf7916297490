// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What one invocation of the interface counter report asks for. The arguments follow the
// report's command line: -t KIND (repeatable) filters interfaces, -J COLUMNS picks the
// columns, -x prints raw byte counts, -P (one row per interface) is the only row mode,
// -l N takes N samples (0: until interrupted), -s N waits N seconds between samples.
struct NettopOptions
{
    enum class Kind
    {
        Wifi,
        Wired,
        Loopback,
        Cellular
    };
    enum class Column
    {
        Time,
        BytesIn,
        BytesOut,
        PacketsIn,
        PacketsOut
    };

    std::vector<Kind> kinds; // empty: every interface
    std::vector<Column> columns { Column::Time, Column::BytesIn, Column::BytesOut };
    bool raw = false;
    int samples = 0;
    int delaySeconds = 1;
};

// Parses the report's arguments; on a bad argument returns nothing and, if asked, says why.
std::optional<NettopOptions> parseNettopArguments(const QStringList &arguments, QString *error = nullptr);
