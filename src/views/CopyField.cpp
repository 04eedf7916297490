// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CopyField.h"

#include "SystemColors.h"
#include "SystemFont.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QVariantAnimation>

namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}

CopyField::CopyField(qreal fontSize, QWidget *parent)
    : QAbstractButton(parent)
    , m_notice(qtTrId("HasCopied"))
    , m_animation(new QVariantAnimation(this))
{
    setFont(SystemFont::of(fontSize, QFont::Medium));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    m_animation->setDuration(300);
    m_animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_progress = value.toReal();
        update();
    });
}

void CopyField::setValue(
    const QString &value, bool hidden, const QString &mask, const QString &label, const QString &hiddenWord)
{
    const QString shown = hidden ? mask : value;
    setAccessibleName(label + QStringLiteral(": ") + (hidden ? hiddenWord : value));
    setCursor(hidden ? Qt::ArrowCursor : Qt::PointingHandCursor);
    if (shown == m_shown && hidden == m_hidden)
        return;
    m_shown = shown;
    m_hidden = hidden;
    updateGeometry();
    update();
}

void CopyField::setNoticeShown(bool shown)
{
    if (shown == m_noticeShown)
        return;
    m_noticeShown = shown;
    setAccessibleDescription(shown ? m_notice : QString());
    m_animation->stop();
    m_animation->setStartValue(m_progress);
    m_animation->setEndValue(shown ? 1.0 : 0.0);
    m_animation->start();
}

QString CopyField::wrappable() const
{
    // A zero-width space after each hyphen lets the line break there; the value itself, its
    // accessible name and what is copied keep none.
    QString text = m_shown;
    return text.replace(u'-', QStringLiteral("-\u200b"));
}

QFont CopyField::valueFont(int width) const
{
    // Asterisks have nowhere to break: they get smaller until the row fits.
    QFont shrunk = font();
    const int room = width - 2 * kInset;
    while (m_hidden && shrunk.pointSizeF() > 5 && QFontMetrics(shrunk).horizontalAdvance(m_shown) > room)
        shrunk.setPointSizeF(shrunk.pointSizeF() - 0.25);
    return shrunk;
}

QFont CopyField::noticeFont() const
{
    QFont notice = SystemFont::of(12, QFont::ExtraBold);
    notice.setPointSizeF(qMin(notice.pointSizeF(), font().pointSizeF() * 1.15));
    return notice;
}

int CopyField::heightForWidth(int width) const
{
    const QFontMetrics metrics(valueFont(width));
    const QRect bounds = metrics.boundingRect(QRect(0, 0, qMax(1, width - 2 * kInset), 10000), kTextFlags, wrappable());
    return qMax(bounds.height(), QFontMetrics(noticeFont()).height()) + 2 * kInset;
}

QSize CopyField::sizeHint() const
{
    // A field given a fixed width (the card's) wraps within it.
    const int width = qMin(fontMetrics().horizontalAdvance(m_shown) + 2 * kInset, maximumWidth());
    return { width, heightForWidth(width) };
}

QSize CopyField::minimumSizeHint() const
{
    return { 0, fontMetrics().height() + 2 * kInset };
}

void CopyField::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (hasFocus() && m_showFocusRing) {
        painter.setPen(QPen(SystemColors::blue(palette()), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 3, 3);
    }
    const QRect text = rect().adjusted(kInset, kInset, -kInset, -kInset);
    painter.setClipRect(text);
    painter.setPen(palette().color(QPalette::WindowText));
    if (m_progress < 1.0) {
        painter.setOpacity(1.0 - m_progress);
        painter.setFont(valueFont(width()));
        painter.drawText(text, kTextFlags, wrappable());
    }
    if (m_progress > 0.0) {
        // Down from above the top edge to the value's first line.
        const QFont notice = noticeFont();
        const int drop = qRound((1.0 - m_progress) * QFontMetrics(notice).height());
        painter.setOpacity(m_progress);
        painter.setFont(notice);
        painter.drawText(text.translated(0, -drop), Qt::AlignLeft | Qt::AlignTop, m_notice);
    }
}

void CopyField::focusInEvent(QFocusEvent *event)
{
    m_showFocusRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
        || event->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void CopyField::mousePressEvent(QMouseEvent *event)
{
    m_showFocusRing = false;
    QAbstractButton::mousePressEvent(event);
}

void CopyField::keyPressEvent(QKeyEvent *event)
{
    if (!m_showFocusRing) {
        m_showFocusRing = true;
        update();
    }
    // Space is the button's own; Enter presses it too, as it does a link.
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CopyField::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_notice = qtTrId("HasCopied");
        if (m_noticeShown)
            setAccessibleDescription(m_notice);
        update();
    }
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QAbstractButton::changeEvent(event);
}
