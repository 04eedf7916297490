// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatusTitle.h"

#include <QColor>
#include <QImage>
#include <QSize>

// Draws the panel item's picture for the square slot every panel gives its items: the two
// rates in compact form (a number and a unit letter), upload above download, each line led
// by a triangle pointing the way the data goes, as large as the slot allows. The text
// stands on a plate of its own, so it reads the same on light and dark panels.
class PanelPicture
{
public:
    struct Colors
    {
        QColor plate;
        QColor text;
        QColor openPlate;
        QColor openText;
    };

    static QImage render(
        const StatusTitle &title, QSize logicalSize, qreal devicePixelRatio, bool highlighted, const Colors &colors);

    // Whole numbers and a unit letter, since a decimal point is a single pixel that a panel's
    // scaling loses: "12.35 Mb/s" -> "12M", "2.9 Mb/s" -> "3M", "0.98 Kb/s" -> "1K",
    // "512  b/s" -> "512", "--Byte/s" -> "--".
    static QString compactRate(const QString &speed);

    // Tavlo's light or dark scheme for the plate, the open state in the palette's highlight.
    static Colors paletteColors();
    // Black or white, whichever stands out more from `background`: at least 4.58:1 on any colour.
    static QColor textColorFor(const QColor &background);
    // The WCAG contrast ratio of two opaque colours, from 1 to 21.
    static qreal contrast(const QColor &a, const QColor &b);

private:
    static QImage drawPicture(const StatusTitle &title, QSize pixels, bool highlighted, const Colors &colors);
};
