// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupBox.h"

#include "SystemColors.h"

#include <QPainter>
#include <QVBoxLayout>

GroupBox::GroupBox(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(0);
}

GroupBox *GroupBox::around(QWidget *content, QWidget *parent)
{
    auto *box = new GroupBox(parent);
    box->layout()->addWidget(content);
    return box;
}

void GroupBox::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SystemColors::groupBorder(palette()), 1.0));
    painter.setBrush(SystemColors::groupFill(palette()));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
}
