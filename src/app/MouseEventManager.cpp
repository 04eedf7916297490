// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MouseEventManager.h"

#include "platform/OutsideClickMonitor.h"

#include <QWidget>
#include <utility>

MouseEventManager::MouseEventManager(QWidget *window, Qt::MouseButtons mask, Handler handler)
    : m_window(window)
    , m_mask(mask)
    , m_handler(std::move(handler))
{ }

MouseEventManager::~MouseEventManager()
{
    stop();
}

void MouseEventManager::start()
{
    stop();
    m_manager = std::make_unique<OutsideClickMonitor>(m_window.data(), m_mask);
    // The monitor reports from its own queued call, after the event was handled; stop()
    // disconnects it, so a report still queued then goes nowhere.
    QObject::connect(m_manager.get(), &OutsideClickMonitor::outsideClick, m_manager.get(),
        [this](Qt::MouseButton button, QPoint position) {
            std::optional<Click> click;
            if (button != Qt::NoButton)
                click = Click { button, position };
            if (m_handler)
                m_handler(click);
        });
}

void MouseEventManager::stop()
{
    // deleteLater() drops the queued reports with it; the grab is released right away.
    if (OutsideClickMonitor *monitor = m_manager.release()) {
        monitor->release();
        monitor->disconnect();
        monitor->deleteLater();
    }
}
