// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceImage.h"

#include "ImageAsset.h"

#include <QPainter>
#include <cmath>

DeviceImage::DeviceImage(qreal side, QWidget *parent)
    : QWidget(parent)
    , m_side(side)
{
    const int pixels = int(std::ceil(side));
    setFixedSize(pixels, pixels);
}

void DeviceImage::setName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    m_cache = QPixmap();
    update();
}

void DeviceImage::paintEvent(QPaintEvent * /*event*/)
{
    if (m_name.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_cache.isNull() || ratio != m_cacheRatio) {
        const int pixels = int(std::ceil(m_side));
        m_cache = ImageAsset::pixmap(m_name, QSize(pixels, pixels), ratio);
        m_cacheRatio = ratio;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(0, 0, m_side, m_side), m_cache, QRectF(QPointF(0, 0), QSizeF(m_cache.size())));
}
