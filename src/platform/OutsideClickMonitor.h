// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QTimer;
class QWidget;

// Tells when the user clicks outside a window of ours or leaves it for another
// application. On X11 it grabs the pointer for the window, as a popup menu does, so the
// first press anywhere else reaches us (and is spent closing the window, as a popup's is).
// Where no grab can be had (Wayland) leaving the window is what tells.
class OutsideClickMonitor : public QObject
{
    Q_OBJECT

public:
    OutsideClickMonitor(QWidget *window, Qt::MouseButtons buttons, QObject *parent = nullptr);
    ~OutsideClickMonitor() override;

    bool hasGrab() const { return m_grabbed; }
    // Lets go of the pointer and stops watching; the object itself may go later.
    void release();

Q_SIGNALS:
    // button is Qt::NoButton when the window was left or hidden rather than clicked past.
    void outsideClick(Qt::MouseButton button, QPoint globalPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tryGrab();
    void report(Qt::MouseButton button, QPoint globalPosition);

    QPointer<QWidget> m_window;
    Qt::MouseButtons m_buttons;
    QTimer *m_retry;
    int m_attempts = 0;
    bool m_grabbed = false;
};
