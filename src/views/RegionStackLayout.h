// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLayout>
#include <QList>

// A vertical, centre-aligned stack whose items may be drawn shifted from the place the stack
// gives them: the shift moves the item only, neighbours keep their places and may overlap it.
// A stack taller than the space it gets overflows evenly at the top and the bottom.
class RegionStackLayout : public QLayout
{
public:
    explicit RegionStackLayout(QWidget *parent = nullptr);
    ~RegionStackLayout() override;

    // paddingTop/paddingBottom: space taken in the stack around the item; shiftY: drawing offset.
    void addRegion(QWidget *widget, int paddingTop, int paddingBottom, int shiftY);

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;
    Qt::Orientations expandingDirections() const override { return {}; }

private:
    struct Region
    {
        QLayoutItem *item;
        int paddingTop;
        int paddingBottom;
        int shiftY;
    };

    int effectiveSpacing() const;

    QList<Region> m_regions;
};
