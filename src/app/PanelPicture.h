// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatusTitle.h"

#include <QColor>
#include <QImage>
#include <QSize>

// Draws the panel item's picture. A slot at least twice as wide as high gets the title
// itself, two right-aligned lines of 9-pixel text; a square slot (the 22-pixel tray icon of
// most panels) gets the compact form: the same two rates as a number and a unit letter,
// upload above download, drawn as large as the slot allows.
class PanelPicture
{
public:
    struct Colors
    {
        QColor text;
        QColor highlight;
    };

    // The logical width the panel item takes where the host lays the picture out as it is.
    static constexpr int titleWidth = 65;

    static QImage render(
        const StatusTitle &title, QSize logicalSize, qreal devicePixelRatio, bool highlighted, const Colors &colors);
    static bool isTitleForm(QSize logicalSize) { return logicalSize.width() >= 2 * logicalSize.height(); }

    // "12.35 Mb/s" -> "12M", "0.98 Kb/s" -> "1.0K", "512  b/s" -> "512", "--Byte/s" -> "--".
    static QString compactRate(const QString &speed);

    static Colors paletteColors();

private:
    static void drawTitle(QPainter &painter, const StatusTitle &title, QSizeF box);
    static void drawCompact(QPainter &painter, const StatusTitle &title, QSizeF box);
};
