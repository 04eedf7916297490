// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// The named pictures shipped with the program ("NoContent", "BigSur", "aboutUs", "iMac", ...).
class ImageAsset
{
public:
    static bool exists(const QString &name);

    // Scaled with its aspect ratio kept to fill all of `target`, centred; the overflow is cut.
    static void paintFilling(QPainter &painter, const QString &name, const QRectF &target);

    // Scaled with its aspect ratio kept to fit inside `size`, centred on a transparent square.
    static QPixmap pixmap(const QString &name, const QSize &size, qreal devicePixelRatio = 1.0);
};
