// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TLPageControl.h"

#include "SystemColors.h"

#include <QFocusEvent>
#include <QPainter>

TLPageControl::TLPageControl(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TLPageControl::setSelected(bool selected)
{
    if (m_isSelected == selected) {
        return;
    }
    m_isSelected = selected;
    update();
    emit isSelectedChanged(selected);
}

void TLPageControl::setSelectedColor(const QColor &colour)
{
    m_selectedColor = colour;
    update();
}

void TLPageControl::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    if (hasFocus() && m_focusRing) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, kDot / 2.0 + 2, kDot / 2.0 + 2);
    }
    const QColor lit = m_selectedColor.isValid() ? m_selectedColor : SystemColors::purple(palette());
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_isSelected ? lit : SystemColors::secondary(palette()));
    painter.drawEllipse(centre, kDot / 2.0, kDot / 2.0);
}

void TLPageControl::focusInEvent(QFocusEvent *event)
{
    m_focusRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void TLPageControl::focusOutEvent(QFocusEvent *event)
{
    m_focusRing = false;
    QAbstractButton::focusOutEvent(event);
}
