// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageAsset.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QString imagePath(const QString &name)
{
    return QStringLiteral(":/images/") + name + QStringLiteral(".svg");
}

QRectF scaledRect(const QSizeF &image, const QRectF &target, Qt::AspectRatioMode mode)
{
    const QSizeF scaled = image.scaled(target.size(), mode);
    return QRectF(target.center() - QPointF(scaled.width() / 2, scaled.height() / 2), scaled);
}

} // namespace

bool ImageAsset::exists(const QString &name)
{
    return QFile::exists(imagePath(name));
}

void ImageAsset::paintFilling(QPainter &painter, const QString &name, const QRectF &target)
{
    QSvgRenderer renderer(imagePath(name));
    if (!renderer.isValid() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, scaledRect(renderer.defaultSize(), target, Qt::KeepAspectRatioByExpanding));
    painter.restore();
}

QPixmap ImageAsset::pixmap(const QString &name, const QSize &size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(imagePath(name));
    if (!renderer.isValid() || size.isEmpty()) {
        return {};
    }
    QPixmap result(size * devicePixelRatio);
    result.fill(Qt::transparent);
    {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter,
            scaledRect(renderer.defaultSize(), QRectF(QPointF(0, 0), QSizeF(result.size())), Qt::KeepAspectRatio));
    }
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}
