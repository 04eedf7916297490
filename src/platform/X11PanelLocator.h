// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

// StatusNotifierItem hosts tell only where the user clicked, not where the item is. On X11
// the panel is the top-level window under that point; its edge, not the click, is where
// the dashboard has to start. Elsewhere (Wayland) nothing can be asked and the answer is
// absent.
class X11PanelLocator
{
public:
    // The strip of the panel window across the point (in the X server's device pixels, as
    // hosts pass it): the panel's full thickness, one pixel along it, in Qt's logical
    // coordinates. Absent when no X11 display is used or the window under the point does
    // not look like a panel (thicker than a quarter of the screen).
    static std::optional<QRect> panelStripAt(QPoint nativePosition);

    // The same decision for a window rectangle already known; used by the above.
    static std::optional<QRect> stripOf(const QRect &window, QPoint globalPosition, const QRect &screen);
};
