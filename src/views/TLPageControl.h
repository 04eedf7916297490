// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>

// One page dot of the section switcher: 6 px across, lit in `selectedColor` when its page is
// selected, grey otherwise. A flat button, so Tab reaches it and Space presses it; the focus
// shows as a ring around the dot.
class TLPageControl : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(bool isSelected READ isSelected WRITE setSelected NOTIFY isSelectedChanged)

public:
    static constexpr int kDot = 6;

    explicit TLPageControl(QWidget *parent = nullptr);

    bool isSelected() const { return m_isSelected; }
    void setSelected(bool selected);
    // Defaults to the scheme's purple.
    void setSelectedColor(const QColor &colour);

    QSize sizeHint() const override { return { 14, 11 }; }

signals:
    void isSelectedChanged(bool isSelected);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_isSelected = false;
    // The ring shows for focus that came by keyboard, not for the window's first focus.
    bool m_focusRing = false;
    QColor m_selectedColor;
};
