#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Finds what a screen reader finds: the first showing object of an application whose name
# begins with a prefix, and prints its place on screen as "<x> <y> <width> <height>".
# Usage: atspi-find.py <application name> <name prefix>. Exit status 1 when nothing matches,
# 2 when AT-SPI cannot be used.
import sys

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError):
    sys.exit(2)

wanted, prefix = sys.argv[1], sys.argv[2]


def find(node, depth=0):
    if node is None or depth > 40:
        return None
    name = node.get_name() or ""
    if name.startswith(prefix) and node.get_state_set().contains(Atspi.StateType.SHOWING):
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), depth + 1)
        if found is not None:
            return found
    return None


desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is None or app.get_name() != wanted:
        continue
    node = find(app)
    if node is not None:
        extents = node.get_extents(Atspi.CoordType.SCREEN)
        print(f"{extents.x} {extents.y} {extents.width} {extents.height}")
        sys.exit(0)
sys.exit(1)
