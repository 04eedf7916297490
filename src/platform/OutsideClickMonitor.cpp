// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutsideClickMonitor.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
// The click that opened the window is often still held: the panel owns the pointer until
// the button is released, and a grab asked for meanwhile is refused.
constexpr int retryMs = 50;
constexpr int maxAttempts = 40;
} // namespace

OutsideClickMonitor::OutsideClickMonitor(QWidget *window, Qt::MouseButtons buttons, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_buttons(buttons)
    , m_retry(new QTimer(this))
{
    m_retry->setInterval(retryMs);
    connect(m_retry, &QTimer::timeout, this, &OutsideClickMonitor::tryGrab);
    if (!window)
        return;
    window->installEventFilter(this);
    if (window->windowHandle())
        window->windowHandle()->installEventFilter(this);
    tryGrab();
}

OutsideClickMonitor::~OutsideClickMonitor()
{
    release();
}

void OutsideClickMonitor::tryGrab()
{
    QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
    if (!handle || !handle->isExposed() || !QGuiApplication::platformName().startsWith(QLatin1String("xcb"))) {
        // Not mapped yet: try again shortly, the window is on its way.
        if (handle && !handle->isExposed() && ++m_attempts < maxAttempts)
            m_retry->start();
        return;
    }
    m_grabbed = handle->setMouseGrabEnabled(true);
    if (m_grabbed || ++m_attempts >= maxAttempts)
        m_retry->stop();
    else
        m_retry->start();
}

void OutsideClickMonitor::release()
{
    m_retry->stop();
    if (m_window) {
        m_window->removeEventFilter(this);
        if (QWindow *handle = m_window->windowHandle()) {
            handle->removeEventFilter(this);
            if (m_grabbed)
                handle->setMouseGrabEnabled(false);
        }
    }
    m_grabbed = false;
}

void OutsideClickMonitor::report(Qt::MouseButton button, QPoint globalPosition)
{
    // Reported after the event has been handled: whoever listens usually hides the window
    // and removes this monitor, neither of which may happen inside the event's delivery.
    QMetaObject::invokeMethod(
        this, [this, button, globalPosition] { Q_EMIT outsideClick(button, globalPosition); }, Qt::QueuedConnection);
}

bool OutsideClickMonitor::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (!watched->isWindowType())
            break;
        auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *window = static_cast<QWindow *>(watched);
        const QPoint local = mouse->position().toPoint();
        if (QRect(QPoint(0, 0), window->size()).contains(local))
            break;
        if (m_buttons & mouse->button())
            report(mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::Expose:
    case QEvent::Show:
        if (!m_grabbed && m_attempts < maxAttempts)
            m_retry->start();
        break;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        if (watched == m_window)
            report(Qt::NoButton, QPoint());
        break;
    default:
        break;
    }
    return false;
}
