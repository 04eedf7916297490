#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the windows a screen reader finds for one application, one line each:
#   <name>\t<x>\t<y>\t<width>\t<height>\t<showing 0|1>
# Usage: atspi-windows.py <application name>. Exit status 2 when AT-SPI cannot be used.
import sys

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError):
    sys.exit(2)

wanted = sys.argv[1]
desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is None or app.get_name() != wanted:
        continue
    for j in range(app.get_child_count()):
        window = app.get_child_at_index(j)
        if window is None:
            continue
        extents = window.get_extents(Atspi.CoordType.SCREEN)
        showing = window.get_state_set().contains(Atspi.StateType.SHOWING)
        print(f"{window.get_name()}\t{extents.x}\t{extents.y}\t{extents.width}\t{extents.height}\t{int(showing)}")
