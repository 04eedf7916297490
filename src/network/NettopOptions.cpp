// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NettopOptions.h"

#include <algorithm>

namespace {

std::optional<NettopOptions::Kind> kindNamed(const QString &name)
{
    if (name == QLatin1String("wifi"))
        return NettopOptions::Kind::Wifi;
    if (name == QLatin1String("wired"))
        return NettopOptions::Kind::Wired;
    if (name == QLatin1String("loopback"))
        return NettopOptions::Kind::Loopback;
    if (name == QLatin1String("cell"))
        return NettopOptions::Kind::Cellular;
    return std::nullopt;
}

std::optional<NettopOptions::Column> columnNamed(QStringView name)
{
    using Column = NettopOptions::Column;
    if (name == QLatin1String("time"))
        return Column::Time;
    if (name == QLatin1String("bytes_in"))
        return Column::BytesIn;
    if (name == QLatin1String("bytes_out"))
        return Column::BytesOut;
    if (name == QLatin1String("packets_in"))
        return Column::PacketsIn;
    if (name == QLatin1String("packets_out"))
        return Column::PacketsOut;
    return std::nullopt;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

std::optional<NettopOptions> parseNettopArguments(const QStringList &arguments, QString *error)
{
    NettopOptions options;
    bool columnsGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool takesValue = argument == QLatin1String("-t") || argument == QLatin1String("-J")
            || argument == QLatin1String("-l") || argument == QLatin1String("-s");
        if (takesValue && i + 1 >= arguments.size()) {
            fail(error, QStringLiteral("option %1 needs a value").arg(argument));
            return std::nullopt;
        }
        if (argument == QLatin1String("-x")) {
            options.raw = true;
        } else if (argument == QLatin1String("-P")) {
            // One row per interface is the only mode there is.
        } else if (argument == QLatin1String("-t")) {
            const QString &name = arguments.at(++i);
            const auto kind = kindNamed(name);
            if (!kind) {
                fail(error, QStringLiteral("unknown interface kind: %1").arg(name));
                return std::nullopt;
            }
            if (std::find(options.kinds.begin(), options.kinds.end(), *kind) == options.kinds.end())
                options.kinds.push_back(*kind);
        } else if (argument == QLatin1String("-J")) {
            if (!columnsGiven)
                options.columns.clear();
            columnsGiven = true;
            const QString &list = arguments.at(++i);
            for (const QStringView name : QStringView(list).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const auto column = columnNamed(name);
                if (!column) {
                    fail(error, QStringLiteral("unknown column: %1").arg(name));
                    return std::nullopt;
                }
                if (std::find(options.columns.begin(), options.columns.end(), *column) == options.columns.end())
                    options.columns.push_back(*column);
            }
        } else if (argument == QLatin1String("-l") || argument == QLatin1String("-s")) {
            const bool isCount = argument == QLatin1String("-l");
            const QString &value = arguments.at(++i);
            bool ok = false;
            const int number = value.toInt(&ok);
            if (!ok || number < 0 || (!isCount && number == 0)) {
                fail(error, QStringLiteral("bad value for %1: %2").arg(argument, value));
                return std::nullopt;
            }
            (isCount ? options.samples : options.delaySeconds) = number;
        } else {
            fail(error, QStringLiteral("unknown option: %1").arg(argument));
            return std::nullopt;
        }
    }
    return options;
}
