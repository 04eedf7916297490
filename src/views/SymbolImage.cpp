// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SymbolImage.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QString symbolPath(const QString &name)
{
    return QStringLiteral(":/symbols/") + name + QStringLiteral(".svg");
}

} // namespace

bool SymbolImage::exists(const QString &name)
{
    return QFile::exists(symbolPath(name));
}

QPixmap SymbolImage::pixmap(const QString &name, const QSize &size, const QColor &tint, qreal devicePixelRatio)
{
    QSvgRenderer renderer(symbolPath(name));
    if (!renderer.isValid() || size.isEmpty()) {
        return {};
    }
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    // Black becomes the tint, white stays white, and the greys of antialiased edges between
    // them blend the two; coverage is kept in alpha.
    const int tr = tint.red();
    const int tg = tint.green();
    const int tb = tint.blue();
    const int ta = tint.alpha();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            if (alpha == 0) {
                continue;
            }
            const int white = qGray(pixel);
            const int blackAlpha = alpha * ta / 255;
            const int outAlpha = (alpha * white + blackAlpha * (255 - white)) / 255;
            line[x] = qRgba(
                tr + (255 - tr) * white / 255, tg + (255 - tg) * white / 255, tb + (255 - tb) * white / 255, outAlpha);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon SymbolImage::icon(const QString &name, const QColor &tint)
{
    QIcon icon;
    for (const int side : { 16, 24, 32, 48, 64 }) {
        icon.addPixmap(pixmap(name, QSize(side, side), tint));
    }
    return icon;
}
