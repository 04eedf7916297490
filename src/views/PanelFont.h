// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontDatabase>

// The dashboard's type sizes are in logical pixels, as its frame sizes are: a point size would
// grow with the screen's DPI and push the texts out of their fixed boxes.
class PanelFont
{
public:
    static QFont make(const QFont &base, int pixelSize, QFont::Weight weight)
    {
        QFont font = base;
        font.setPixelSize(pixelSize);
        font.setWeight(weight);
        return font;
    }

    static QFont monospaced(int pixelSize, QFont::Weight weight)
    {
        return make(QFontDatabase::systemFont(QFontDatabase::FixedFont), pixelSize, weight);
    }
};
