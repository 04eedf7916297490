// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// The named colours every view uses, each with a light and a dark variant, and the two
// application palettes. A view picks the variant from its own palette, so it follows the
// scheme that the preferences impose.
class SystemColors
{
public:
    static bool isDark(const QPalette &palette);

    static QColor blue(const QPalette &palette);
    static QColor green(const QPalette &palette);
    static QColor purple(const QPalette &palette);
    static QColor red(const QPalette &palette);
    static QColor yellow(const QPalette &palette);
    // Secondary text and the unlit page dot.
    static QColor secondary(const QPalette &palette);
    // Fill and border of a grouped box.
    static QColor groupFill(const QPalette &palette);
    static QColor groupBorder(const QPalette &palette);

    static QPalette lightPalette();
    static QPalette darkPalette();
};
