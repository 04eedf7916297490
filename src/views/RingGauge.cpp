// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RingGauge.h"

#include "PanelFont.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

RingGauge::RingGauge(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void RingGauge::setValue(double share, const QString &text)
{
    if (share == m_share && text == m_text) {
        return;
    }
    m_share = share;
    m_text = text;
    update();
}

QSize RingGauge::sizeHint() const
{
    // The stroke reaches half its width beyond the circle's frame.
    const int side = int(std::ceil(kDiameter + kLineWidth));
    return { side, side };
}

void RingGauge::paint(QPainter &painter, const QRectF &box, double share, const QString &text, const QColor &colour)
{
    paintRing(painter, box, share, colour);
    painter.save();
    painter.setPen(colour);
    painter.setFont(PanelFont::make(painter.font(), 10, QFont::DemiBold));
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void RingGauge::paintRing(QPainter &painter, const QRectF &box, double share, const QColor &colour, Part part)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The stroke is centred on the frame's inscribed circle, as a stroked shape is.
    const qreal radius = kDiameter / 2;
    const QRectF circle(box.center() - QPointF(radius, radius), QSizeF(kDiameter, kDiameter));
    QColor track = colour;
    track.setAlphaF(0.1F);
    painter.setBrush(Qt::NoBrush);
    if (int(part) & int(Part::Track)) {
        painter.setPen(QPen(track, kLineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawEllipse(circle);
    }
    const double clamped = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
    if ((int(part) & int(Part::Arc)) && clamped > 0) {
        painter.setPen(QPen(colour, kLineWidth, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
        if (clamped >= 1.0) {
            painter.drawEllipse(circle);
        } else {
            // From twelve o'clock, clockwise (Qt's angles run anticlockwise in 1/16 degree).
            painter.drawArc(circle, 90 * 16, -int(std::lround(clamped * 360 * 16)));
        }
    }
    painter.restore();
}

void RingGauge::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setFont(font());
    paint(painter, rect(), m_share, m_text, palette().color(QPalette::WindowText));
}
