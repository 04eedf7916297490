#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints what a screen reader finds in one window of an application, one object a line:
#   <role>\t<name>\t<x>\t<y>\t<width>\t<height>
# Usage: atspi-controls.py <application name> <window name>. Exit status 2 when AT-SPI cannot
# be used, 3 when no showing window has that name.
import sys

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError):
    sys.exit(2)


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    name = node.get_name() or ""
    if name:
        extents = node.get_extents(Atspi.CoordType.SCREEN)
        print(f"{node.get_role_name()}\t{name}\t{extents.x}\t{extents.y}\t{extents.width}\t{extents.height}")
    for i in range(node.get_child_count()):
        walk(node.get_child_at_index(i), depth + 1)


wanted_app, wanted_window = sys.argv[1], sys.argv[2]
found = False
desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is None or app.get_name() != wanted_app:
        continue
    for j in range(app.get_child_count()):
        window = app.get_child_at_index(j)
        if window is None or window.get_name() != wanted_window:
            continue
        if not window.get_state_set().contains(Atspi.StateType.SHOWING):
            continue
        found = True
        walk(window)
sys.exit(0 if found else 3)
