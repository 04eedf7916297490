// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class OutsideClickMonitor;
class QWidget;

// Watches for the user clicking anywhere outside `window` while it is shown, and runs the
// handler for each such click. Clicks of buttons outside the mask are swallowed but not
// reported; leaving the window for another application is reported without a click.
class MouseEventManager
{
public:
    struct Click
    {
        Qt::MouseButton button;
        QPoint globalPosition;
    };
    using Handler = std::function<void(const std::optional<Click> &)>;

    MouseEventManager(QWidget *window, Qt::MouseButtons mask, Handler handler);
    ~MouseEventManager();
    MouseEventManager(const MouseEventManager &) = delete;
    MouseEventManager &operator=(const MouseEventManager &) = delete;

    // Installs the monitor. One still installed (the window closed by itself and is opened
    // again) is removed first, so there is never more than one.
    void start();
    void stop();
    bool isMonitoring() const { return m_manager != nullptr; }
    Qt::MouseButtons mask() const { return m_mask; }

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<OutsideClickMonitor> m_manager;
    Qt::MouseButtons m_mask;
    Handler m_handler;
};
