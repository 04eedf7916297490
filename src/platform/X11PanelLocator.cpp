// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11PanelLocator.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {
struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};
template<typename T> using Reply = std::unique_ptr<T, FreeDeleter>;
} // namespace

std::optional<QRect> X11PanelLocator::stripOf(const QRect &window, QPoint globalPosition, const QRect &screen)
{
    if (!window.contains(globalPosition))
        return std::nullopt;
    const bool horizontal = window.width() >= window.height();
    const int thickness = horizontal ? window.height() : window.width();
    const int screenSide = horizontal ? screen.height() : screen.width();
    if (thickness * 4 > screenSide)
        return std::nullopt;
    if (horizontal)
        return QRect(globalPosition.x(), window.top(), 1, window.height());
    return QRect(window.left(), globalPosition.y(), window.width(), 1);
}

std::optional<QRect> X11PanelLocator::panelStripAt(QPoint nativePosition)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    // The X server counts device pixels; Qt's screens are in logical ones.
    const qreal ratio = qGuiApp->devicePixelRatio();
    QScreen *screen = QGuiApplication::screenAt(QPointF(nativePosition / ratio).toPoint());
    if (!screen)
        return std::nullopt;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const xcb_screen_t *root = xcb_setup_roots_iterator(setup).data;
    if (!root)
        return std::nullopt;
    // The root's child under the point is the panel's top-level (or its frame).
    const Reply<xcb_translate_coordinates_reply_t> under(xcb_translate_coordinates_reply(connection,
        xcb_translate_coordinates(connection, root->root, root->root, static_cast<int16_t>(nativePosition.x()),
            static_cast<int16_t>(nativePosition.y())),
        nullptr));
    if (!under || under->child == XCB_NONE)
        return std::nullopt;
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, under->child), nullptr));
    if (!geometry)
        return std::nullopt;
    const QRectF window(geometry->x, geometry->y, geometry->width + 2 * geometry->border_width,
        geometry->height + 2 * geometry->border_width);
    const auto toLogical
        = [ratio](const QRectF &rect) { return QRectF(rect.topLeft() / ratio, rect.size() / ratio).toAlignedRect(); };
    return stripOf(toLogical(window), QPointF(nativePosition / ratio).toPoint(), screen->geometry());
}
