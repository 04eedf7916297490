// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeedFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

const auto zeroText = QStringLiteral("0  b/s");
const auto maxText = QStringLiteral("max /s");

// Shortest text that reads back as the same double, written without an exponent and with
// at least one digit after the point ("1.0", "0.98", "1000.0").
QString shortestDecimal(double value)
{
    std::array<char, 64> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    if (!text.contains(QLatin1Char('.')))
        text += QLatin1String(".0");
    return text;
}

QString scaledText(qint64 rate, double factor, QLatin1String unit)
{
    double value = static_cast<double>(rate) * factor;
    const double multiplier = value < 100.0 ? 100.0 : 10.0;
    // std::round takes halves away from zero.
    value = std::round(value * multiplier) / multiplier;
    return shortestDecimal(value) + QLatin1Char(' ') + unit;
}

} // namespace

QString formatSpeed(qint64 last, qint64 current)
{
    qint64 difference = 0;
    if (__builtin_sub_overflow(current, last, &difference))
        return current > last ? maxText : zeroText;
    // The difference is bytes per one-second tick; scaling by 1000 ms and dividing by the
    // tick length gives it back, but a difference whose scaled form does not fit 64 bits
    // is beyond every tier.
    qint64 scaled = 0;
    if (__builtin_mul_overflow(difference, qint64 { 1000 }, &scaled))
        return difference > 0 ? maxText : zeroText;
    const qint64 rate = scaled / 1000;

    constexpr qint64 kilo = 1024;
    constexpr qint64 mega = kilo * 1024;
    constexpr qint64 giga = mega * 1024;
    if (rate < 10)
        return zeroText;
    if (rate < 1000)
        return QString::number(rate) + QLatin1String("  b/s");
    if (rate < 1000 * kilo)
        return scaledText(rate, 1.0 / kilo, QLatin1String("Kb/s"));
    if (rate < 1000 * mega)
        return scaledText(rate, 1.0 / mega, QLatin1String("Mb/s"));
    if (rate < 1000 * giga)
        return scaledText(rate, 1.0 / giga, QLatin1String("Gb/s"));
    return maxText;
}
