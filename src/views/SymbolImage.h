// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The named symbol images ("gear.circle.fill", "wifi", ...): our own line icons, drawn in black
// with white details and tinted when rendered, so one picture serves every colour and scheme.
class SymbolImage
{
public:
    static bool exists(const QString &name);

    // The symbol at `size` (logical pixels) in `tint`; its white details stay white.
    // An unknown name gives a null pixmap.
    static QPixmap pixmap(const QString &name, const QSize &size, const QColor &tint, qreal devicePixelRatio = 1.0);

    static QIcon icon(const QString &name, const QColor &tint);
};
