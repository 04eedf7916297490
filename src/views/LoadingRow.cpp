// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadingRow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QtMath>

namespace {
constexpr int kSpokes = 8;
}

BusyIndicator::BusyIndicator(int diameter, QWidget *parent)
    : QWidget(parent)
    , m_diameter(diameter)
    , m_timer(new QTimer(this))
{
    setFixedSize(diameter, diameter);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kSpokes;
        update();
    });
}

void BusyIndicator::showEvent(QShowEvent *event)
{
    m_timer->start();
    QWidget::showEvent(event);
}

void BusyIndicator::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}

void BusyIndicator::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = m_diameter / 2.0;
    painter.translate(radius, radius);
    QColor colour = palette().color(QPalette::WindowText);
    QPen pen(colour, qMax(1.5, m_diameter / 9.0), Qt::SolidLine, Qt::RoundCap);
    for (int i = 0; i < kSpokes; ++i) {
        // The spoke at the current step is the darkest; the ones behind it fade.
        const int age = (m_step - i + kSpokes) % kSpokes;
        colour.setAlphaF(float(1.0 - 0.8 * age / kSpokes));
        pen.setColor(colour);
        painter.setPen(pen);
        const qreal angle = 2 * M_PI * i / kSpokes;
        const QPointF direction(qSin(angle), -qCos(angle));
        painter.drawLine(direction * radius * 0.45, direction * (radius - pen.widthF() / 2));
    }
}

LoadingRow::LoadingRow(QWidget *parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new BusyIndicator(14, this));
    layout->addWidget(m_label);
    layout->addStretch();
    m_label->setTextFormat(Qt::PlainText);
    retranslate();
}

QString LoadingRow::text() const
{
    return m_label->text();
}

void LoadingRow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void LoadingRow::retranslate()
{
    m_label->setText(qtTrId("loading"));
    setAccessibleName(m_label->text());
}
