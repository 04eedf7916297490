// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegionPlaceholder.h"

#include "SystemColors.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

RegionPlaceholder::RegionPlaceholder(
    const QSize &size, const QList<const char *> &keys, std::optional<QMargins> frame, QWidget *parent)
    : QWidget(parent)
    , m_size(size)
    , m_frame(frame)
    , m_keys(keys)
{
    setFixedSize(size);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(6);
    layout->addStretch();
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        auto *label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        QFont font = label->font();
        font.setPointSizeF(i == 0 ? 12 : 10.5);
        font.setWeight(i == 0 ? QFont::DemiBold : QFont::Medium);
        label->setFont(font);
        layout->addWidget(label);
        m_labels.append(label);
    }
    layout->addStretch();
    retranslate();
}

QStringList RegionPlaceholder::texts() const
{
    QStringList texts;
    for (const QLabel *label : m_labels) {
        texts.append(label->text());
    }
    return texts;
}

void RegionPlaceholder::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::PaletteChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void RegionPlaceholder::paintEvent(QPaintEvent * /*event*/)
{
    if (!m_frame) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SystemColors::groupBorder(palette()), 1.0));
    painter.setBrush(SystemColors::groupFill(palette()));
    const QRectF box = QRectF(rect().marginsRemoved(*m_frame)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(box, 8.0, 8.0);
}

void RegionPlaceholder::retranslate()
{
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        m_labels[i]->setText(qtTrId(m_keys[i]));
        QPalette palette = m_labels[i]->palette();
        palette.setColor(QPalette::WindowText,
            i == 0 ? this->palette().color(QPalette::WindowText) : SystemColors::secondary(this->palette()));
        m_labels[i]->setPalette(palette);
    }
}
