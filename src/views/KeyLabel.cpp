// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyLabel.h"

#include <QEvent>
#include <QHBoxLayout>

KeyLabel::KeyLabel(const char *key, const QFont &font, QWidget *parent)
    : QLabel(parent)
    , m_key(key)
{
    setTextFormat(Qt::PlainText);
    setFont(font);
    setText(qtTrId(m_key));
}

void KeyLabel::setKey(const char *key)
{
    m_key = key;
    setText(qtTrId(m_key));
}

void KeyLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setText(qtTrId(m_key));
    }
    QLabel::changeEvent(event);
}

FigureRow::FigureRow(const char *key, const QFont &font, int spacing, QWidget *parent)
    : QWidget(parent)
    , m_label(new KeyLabel(key, font, this))
    , m_value(new QLabel(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    m_value->setTextFormat(Qt::PlainText);
    m_value->setFont(font);
    layout->addWidget(m_label);
    layout->addWidget(m_value);
    layout->addStretch();
    updateAccessibleName();
}

void FigureRow::setValue(const QString &value)
{
    if (value == m_value->text()) {
        return;
    }
    m_value->setText(value);
    updateAccessibleName();
}

void FigureRow::setKey(const char *key)
{
    m_label->setKey(key);
    updateAccessibleName();
}

QString FigureRow::value() const
{
    return m_value->text();
}

void FigureRow::setFixedValueWidth(const QString &widest)
{
    const QFontMetrics metrics(m_value->font());
    m_value->setFixedSize(metrics.horizontalAdvance(widest) + 1, metrics.height());
}

void FigureRow::setAccessiblePrefix(const QString &prefix)
{
    m_prefix = prefix;
    updateAccessibleName();
}

void FigureRow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        updateAccessibleName();
    }
    QWidget::changeEvent(event);
}

void FigureRow::updateAccessibleName()
{
    const QStringList parts { m_prefix, qtTrId(m_label->key()), m_value->text() };
    m_value->setAccessibleName(parts.join(QLatin1Char(' ')).simplified());
}
