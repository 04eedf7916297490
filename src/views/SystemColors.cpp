// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemColors.h"

namespace {

QColor pick(const QPalette &palette, QRgb light, QRgb dark)
{
    return QColor::fromRgb(SystemColors::isDark(palette) ? dark : light);
}

QPalette makePalette(
    QRgb window, QRgb text, QRgb base, QRgb button, QRgb disabledText, QRgb highlight, QRgb light, QRgb mid, QRgb dark)
{
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, button);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, 0xffffffff);
    palette.setColor(QPalette::Light, light);
    palette.setColor(QPalette::Midlight, light);
    palette.setColor(QPalette::Mid, mid);
    palette.setColor(QPalette::Dark, dark);
    palette.setColor(QPalette::Shadow, 0xff000000);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, 0xffffffff);
    palette.setColor(QPalette::Link, highlight);
    palette.setColor(QPalette::LinkVisited, highlight);
    for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText }) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    return palette;
}

} // namespace

bool SystemColors::isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor SystemColors::blue(const QPalette &palette)
{
    return pick(palette, 0xff0a74f0, 0xff1e88ff);
}

QColor SystemColors::green(const QPalette &palette)
{
    return pick(palette, 0xff2fbf5a, 0xff35d062);
}

QColor SystemColors::purple(const QPalette &palette)
{
    return pick(palette, 0xffa550d8, 0xffb964f0);
}

QColor SystemColors::red(const QPalette &palette)
{
    return pick(palette, 0xfff0433a, 0xffff5449);
}

QColor SystemColors::yellow(const QPalette &palette)
{
    return pick(palette, 0xfff5c400, 0xffffd426);
}

QColor SystemColors::secondary(const QPalette &palette)
{
    return pick(palette, 0xff86868b, 0xff98989d);
}

QColor SystemColors::groupFill(const QPalette &palette)
{
    // Translucent like a material: it lifts text off a busy background picture in either scheme.
    return isDark(palette) ? QColor(24, 24, 27, 120) : QColor(255, 255, 255, 120);
}

QColor SystemColors::groupBorder(const QPalette &palette)
{
    return isDark(palette) ? QColor(255, 255, 255, 34) : QColor(0, 0, 0, 24);
}

QPalette SystemColors::lightPalette()
{
    return makePalette(
        0xffeeeef0, 0xff1d1d1f, 0xffffffff, 0xfff6f6f7, 0xffa1a1a6, 0xff0a74f0, 0xffffffff, 0xffc7c7cc, 0xff8e8e93);
}

QPalette SystemColors::darkPalette()
{
    return makePalette(
        0xff29292c, 0xfff2f2f5, 0xff1c1c1e, 0xff3a3a3d, 0xff6e6e73, 0xff1e88ff, 0xff4a4a4e, 0xff3a3a3c, 0xff141416);
}
