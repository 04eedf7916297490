// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

// The dashboard's window: frameless, on top, placed against the panel item. It is a tool
// window rather than a Qt::Popup because Qt leaves popups out of the accessibility tree,
// and screen readers must reach the dashboard; closing on an outside click is therefore
// done by OutsideClickMonitor (and, on Wayland compositors with layer surfaces, by the
// LayerShellPlacer that shows it there).
class PopoverWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize contentSize { 350, 693 };

    explicit PopoverWindow(QWidget *parent = nullptr);

    // Takes ownership of the dashboard; a previous content widget is deleted.
    void setContent(QWidget *content);
    QWidget *content() const { return m_content; }

    // Shows the window against `anchor` (global coordinates): the item's rectangle, or the
    // click position as a 1 x 1 rectangle.
    void showAt(const QRect &anchor);

    // Where a window of `size` goes for an item at `anchor`: on the side of the item away
    // from the nearest screen edge (the panel's), centred on it, kept inside `available`.
    static QRect placement(const QRect &anchor, QSize size, const QRect &screen, const QRect &available);

Q_SIGNALS:
    void hidden();
    void deactivated();

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    QPointer<QWidget> m_content;
};
