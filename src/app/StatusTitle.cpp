// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusTitle.h"

#include <QApplication>

namespace {
constexpr QChar upArrow(0x2191);
constexpr QChar downArrow(0x2193);
} // namespace

StatusTitle makeStatusTitle(const QString &upload, const QString &download)
{
    StatusTitle title;
    title.upload = upload;
    title.download = download;
    title.text = QStringLiteral("\n ") + upload + QLatin1Char(' ') + upArrow + QStringLiteral(" \n ") + download
        + QLatin1Char(' ') + downArrow;
    // The panel's 9 points are logical pixels: the item is laid out in device-independent
    // pixels and painted at the host's device pixel ratio.
    QFont font = QApplication::font();
    font.setPixelSize(9);
    font.setWeight(QFont::DemiBold);
    title.font = font;
    return title;
}

QString StatusTitle::uploadLine() const
{
    return text.section(QLatin1Char('\n'), 1, 1);
}

QString StatusTitle::downloadLine() const
{
    return text.section(QLatin1Char('\n'), 2, 2);
}

QString statusLabel(const QString &upload, const QString &download)
{
    return upload + QLatin1Char(' ') + upArrow + QLatin1Char(' ') + download + QLatin1Char(' ') + downArrow;
}

QString statusLabelGuide()
{
    // The longest speed text is a scaled tier at its top ("1000.0 Mb/s"); M is the widest unit letter.
    return statusLabel(QStringLiteral("1000.0 Mb/s"), QStringLiteral("1000.0 Mb/s"));
}
