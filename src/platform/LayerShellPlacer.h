// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Shows a window as a layer surface (the wlr-layer-shell protocol of wlroots compositors,
// KDE Plasma and others) where the Wayland compositor offers them: the one way a Wayland
// client may put a window of its own against the panel. Elsewhere (X11, GNOME) nothing here
// is used and the window is shown as usual.
//
// Qt 6.4 knows no layer surfaces. A window with Qt::BypassWindowManagerHint, while
// QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT is set, gets a wl_surface from Qt but no shell role;
// that role is given here, before Qt draws into the surface.
//
// Below the window goes a transparent layer surface over the whole screen: a press on it is a
// click outside, which the compositor would not report otherwise, and the pointer's arrival
// on it, still where the panel item was clicked, tells where the window belongs. While the
// window shows, the rest of the screen (the panel too) answers no clicks but that one, as
// with a popup menu. The window takes the keyboard on demand, so Escape reaches it.
class LayerShellPlacer
{
public:
    // Where a layer surface of `size` goes for a click at `anchor` on a screen of `screen`:
    // the two screen edges it is anchored to and its margins from them. Vertically it sits
    // against the nearer of the top and bottom edges (the compositor keeps it clear of the
    // panel, which reserves its strip); horizontally its centre is on the anchor's, kept on
    // the screen.
    struct Placement
    {
        Qt::Edges edges;
        QMargins margins;
    };
    static Placement placement(const QRect &anchor, QSize size, const QRect &screen);

    // Whether the session is Wayland and its compositor offers layer surfaces. Asks once.
    static bool isAvailable();

    // Prepares `window`, before it is shown the first time, to be shown through show().
    static void prepare(QWidget *window);

    // Shows `window` (prepared) as a layer surface, against the panel where the pointer is
    // (it appears a moment later, once the pointer has been found), or where `anchor`, in
    // global coordinates, says when no pointer tells. False when the compositor refused the
    // catcher below it; the caller shows the window some other way then.
    static bool show(QWidget *window, const QRect &anchor);
};
