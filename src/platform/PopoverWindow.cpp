// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PopoverWindow.h"

#include "LayerShellPlacer.h"
#include "TavloConfig.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// Gap between the item and the window, as a popover's arrow would leave.
constexpr int anchorGap = 4;
constexpr int fadeMs = 120;
// How far from the top or bottom edge an item still counts as in a horizontal panel.
constexpr int panelReach = 96;
} // namespace

PopoverWindow::PopoverWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral(TAVLO_DISPLAY_NAME));
    setAccessibleName(QStringLiteral(TAVLO_DISPLAY_NAME));
    setFixedSize(contentSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setContent(new QWidget);
    LayerShellPlacer::prepare(this);
}

void PopoverWindow::setContent(QWidget *content)
{
    if (m_content == content)
        return;
    delete m_content;
    m_content = content;
    if (content)
        layout()->addWidget(content);
}

QRect PopoverWindow::placement(const QRect &anchor, QSize size, const QRect &screen, const QRect &available)
{
    const QPoint centre = anchor.center();
    enum class Edge
    {
        Top,
        Bottom,
        Left,
        Right
    };
    Edge edge = Edge::Top;
    if (!available.contains(centre)) {
        // The window manager keeps the panel out of the work area: the item is in that strip.
        if (centre.y() < available.top())
            edge = Edge::Top;
        else if (centre.y() > available.bottom())
            edge = Edge::Bottom;
        else
            edge = centre.x() < available.left() ? Edge::Left : Edge::Right;
    } else {
        // No work area to go by: the nearest screen edge, where panels along the top or the
        // bottom win over side docks for an item near a corner (a tray in the corner is
        // close to both edges, and horizontal panels are by far the more common).
        const int toTop = centre.y() - screen.top();
        const int toBottom = screen.bottom() - centre.y();
        const int toLeft = centre.x() - screen.left();
        const int toRight = screen.right() - centre.x();
        const int vertical = std::min(toTop, toBottom);
        const int horizontal = std::min(toLeft, toRight);
        if (vertical <= panelReach || vertical <= horizontal)
            edge = toTop <= toBottom ? Edge::Top : Edge::Bottom;
        else
            edge = toLeft <= toRight ? Edge::Left : Edge::Right;
    }

    QRect rect(QPoint(0, 0), size);
    switch (edge) {
    case Edge::Top:
    case Edge::Bottom:
        rect.moveLeft(centre.x() - size.width() / 2);
        if (edge == Edge::Top)
            rect.moveTop(anchor.bottom() + 1 + anchorGap);
        else
            rect.moveBottom(anchor.top() - 1 - anchorGap);
        break;
    case Edge::Left:
    case Edge::Right:
        rect.moveTop(centre.y() - size.height() / 2);
        if (edge == Edge::Left)
            rect.moveLeft(anchor.right() + 1 + anchorGap);
        else
            rect.moveRight(anchor.left() - 1 - anchorGap);
        break;
    }
    // Keep clear of the panels; a screen smaller than the window shows its top-left part.
    rect.moveLeft(std::max(available.left(), std::min(rect.left(), available.right() + 1 - size.width())));
    rect.moveTop(std::max(available.top(), std::min(rect.top(), available.bottom() + 1 - size.height())));
    return rect;
}

void PopoverWindow::showAt(const QRect &anchor)
{
    const QRect at = anchor.isValid() ? anchor : QRect(QCursor::pos(), QSize(1, 1));
    // A Wayland client cannot place its windows, except as a layer surface where the
    // compositor has them; elsewhere the compositor puts the window where it likes.
    if (LayerShellPlacer::isAvailable()) {
        if (LayerShellPlacer::show(this, at))
            return;
        // Refused: an ordinary window from now on.
        setWindowFlag(Qt::BypassWindowManagerHint, false);
    }
    QScreen *screen = QGuiApplication::screenAt(at.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(placement(at, size(), screen->geometry(), screen->availableGeometry()));
    // A short fade in on X11, where a compositor may honour window opacity. Wayland has no
    // window opacity for clients, and Qt warns on every attempt to set it.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        show();
        raise();
        activateWindow();
        return;
    }
    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(fadeMs);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    setWindowOpacity(0.0);
    show();
    raise();
    activateWindow();
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void PopoverWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    Q_EMIT hidden();
}

void PopoverWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool PopoverWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        Q_EMIT deactivated();
    return QWidget::event(event);
}
