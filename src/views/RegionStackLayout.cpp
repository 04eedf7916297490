// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegionStackLayout.h"

#include <QStyle>
#include <QWidget>
#include <QWidgetItem>

RegionStackLayout::RegionStackLayout(QWidget *parent)
    : QLayout(parent)
{ }

RegionStackLayout::~RegionStackLayout()
{
    for (const Region &region : std::as_const(m_regions)) {
        delete region.item;
    }
}

void RegionStackLayout::addRegion(QWidget *widget, int paddingTop, int paddingBottom, int shiftY)
{
    addChildWidget(widget);
    m_regions.append(Region { new QWidgetItem(widget), paddingTop, paddingBottom, shiftY });
    invalidate();
}

void RegionStackLayout::addItem(QLayoutItem *item)
{
    m_regions.append(Region { item, 0, 0, 0 });
}

QLayoutItem *RegionStackLayout::itemAt(int index) const
{
    return index >= 0 && index < m_regions.size() ? m_regions.at(index).item : nullptr;
}

QLayoutItem *RegionStackLayout::takeAt(int index)
{
    if (index < 0 || index >= m_regions.size()) {
        return nullptr;
    }
    return m_regions.takeAt(index).item;
}

int RegionStackLayout::count() const
{
    return int(m_regions.size());
}

int RegionStackLayout::effectiveSpacing() const
{
    if (spacing() >= 0) {
        return spacing();
    }
    const QWidget *owner = parentWidget();
    return owner ? owner->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, owner) : 6;
}

QSize RegionStackLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    for (const Region &region : m_regions) {
        const QSize hint = region.item->sizeHint();
        width = qMax(width, hint.width());
        height += region.paddingTop + hint.height() + region.paddingBottom;
    }
    height += effectiveSpacing() * qMax(0, int(m_regions.size()) - 1);
    const QMargins margins = contentsMargins();
    return QSize(width + margins.left() + margins.right(), height + margins.top() + margins.bottom());
}

QSize RegionStackLayout::minimumSize() const
{
    // The stack never squeezes its regions; whatever does not fit overflows.
    return QSize(0, 0);
}

void RegionStackLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    const QRect inner = rect.marginsRemoved(contentsMargins());
    const int spacing = effectiveSpacing();
    int total = spacing * qMax(0, int(m_regions.size()) - 1);
    for (const Region &region : std::as_const(m_regions)) {
        total += region.paddingTop + region.item->sizeHint().height() + region.paddingBottom;
    }
    // Centred, even when taller than the space: the overflow is shared by both ends.
    int y = inner.top() + (inner.height() - total) / 2;
    for (const Region &region : std::as_const(m_regions)) {
        const QSize hint = region.item->sizeHint();
        const bool fullWidth = region.item->expandingDirections() & Qt::Horizontal;
        const int width = fullWidth ? inner.width() : hint.width();
        const int x = inner.left() + (inner.width() - width) / 2;
        region.item->setGeometry(QRect(x, y + region.paddingTop + region.shiftY, width, hint.height()));
        y += region.paddingTop + hint.height() + region.paddingBottom + spacing;
    }
}
