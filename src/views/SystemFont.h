// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QFont>

// The dashboard's font sizes are design points of one logical pixel each, the units its frames
// are measured in. A Qt point is 1/72 inch, which a 96 dpi desktop draws as 4/3 of a pixel: the
// conversion keeps text and frames in proportion.
namespace SystemFont {

inline QFont of(qreal designPoints, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPointSizeF(designPoints * 0.75);
    font.setWeight(weight);
    return font;
}

} // namespace SystemFont
