// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

class QVariantAnimation;

// A value of the hardware card that copies itself when pressed: a button without chrome that
// shows the value, or a row of asterisks while it is hidden. While a copy is pending the
// "HasCopied" notice slides in from the top and takes the value's place, which fades; then
// they trade places again. Click, Space or Enter presses it. Long values without blanks (a
// UUID) break after their hyphens; the asterisks shrink to stay on one line.
class CopyField : public QAbstractButton
{
    Q_OBJECT

public:
    CopyField(qreal fontSize, QWidget *parent = nullptr);

    // The text stands this far in from the field's edges, leaving room for the focus ring.
    static constexpr int kInset = 2;

    // label: what the value is, for screen readers ("Serial Number"); hidden values are
    // announced with hiddenWord instead of the asterisks.
    void setValue(
        const QString &value, bool hidden, const QString &mask, const QString &label, const QString &hiddenWord);
    QString shownText() const { return m_shown; }
    bool isHidden() const { return m_hidden; }

    void setNoticeShown(bool shown);
    bool isNoticeShown() const { return m_noticeShown; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString wrappable() const;
    QFont valueFont(int width) const;
    QFont noticeFont() const;

    QString m_shown;
    QString m_notice;
    bool m_hidden = true;
    bool m_noticeShown = false;
    // The ring shows where the keyboard is, not which field a window's opening focused.
    bool m_showFocusRing = false;
    qreal m_progress = 0.0;
    QVariantAnimation *m_animation;
};
