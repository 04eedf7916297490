#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads Tavlo's dashboard as a screen reader does. Exit status 2 when AT-SPI cannot be used.
#   atspi-dashboard.py dump          every object: role, name, description, x, y, w, h (tabs)
#   atspi-dashboard.py press NAME    presses the button called NAME
#   atspi-dashboard.py figures       waits for two refreshes of the resource panel and prints,
#                                    one "key<TAB>value" a line, the figures it read after the
#                                    second one, /proc/stat's deltas between the two, and what
#                                    free -b and df -B1 / say right after it
import re
import subprocess
import sys
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError):
    sys.exit(2)


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "tavlo":
            # Names change every second: always ask the application, never a cache.
            app.set_cache_mask(Atspi.Cache.NONE)
            return app
    return None


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def objects():
    app = application()
    return list(walk(app)) if app else []


def percent(text):
    match = re.search(r"(-?\d+(?:\.\d+)?)%", text or "")
    return float(match.group(1)) if match else None


PREFIXES = (("user", "CPU User:"), ("system", "CPU System:"), ("idle", "CPU Idle:"), ("memory", "Memory Used"),
            ("disk", "Disk Used"))
figure_nodes = {}


def panel_figures():
    # The tree is walked once; later polls only ask the five figures for their names.
    if len(figure_nodes) < len(PREFIXES):
        for node in objects():
            name = node.get_name() or ""
            for key, prefix in PREFIXES:
                if name.startswith(prefix):
                    figure_nodes[key] = (node, prefix)
    figures = {}
    for key, (node, prefix) in figure_nodes.items():
        name = node.get_name() or ""
        figures[key] = percent(name) if name.startswith(prefix) else None
    return figures


def stat():
    with open("/proc/stat") as f:
        fields = [int(v) for v in f.readline().split()[1:]]
    user, nice, system, idle, iowait, irq, softirq, steal = (fields + [0] * 8)[:8]
    return {"user": user, "nice": nice, "system": system + irq + softirq + steal, "idle": idle + iowait}


def wait_for_refresh(previous, limit=5.0):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        figures = panel_figures()
        if figures.get("user") is not None and figures != previous:
            return figures
        time.sleep(0.01)
    return None


def main():
    if application() is None:
        print("tavlo is not on the accessibility bus", file=sys.stderr)
        return 1
    command = sys.argv[1] if len(sys.argv) > 1 else "dump"
    if command == "dump":
        for node in objects():
            extents = node.get_extents(Atspi.CoordType.SCREEN)
            description = (node.get_description() or "").replace("\t", " ")
            print(f"{node.get_role_name()}\t{node.get_name()}\t{description}\t"
                  f"{extents.x}\t{extents.y}\t{extents.width}\t{extents.height}")
        return 0
    if command == "press":
        for node in objects():
            if node.get_name() == sys.argv[2] and node.get_role() == Atspi.Role.PUSH_BUTTON:
                actions = node.get_action_iface()
                for i in range(actions.get_n_actions()):
                    if actions.get_action_name(i) == "Press":
                        return 0 if actions.do_action(i) else 1
        return 1
    if command == "figures":
        first = wait_for_refresh(panel_figures())
        before = stat()
        second = wait_for_refresh(first) if first else None
        after = stat()
        if second is None:
            print("the panel did not refresh", file=sys.stderr)
            return 1
        free = subprocess.run(["free", "-b"], capture_output=True, text=True).stdout
        df = subprocess.run(["df", "-B1", "/"], capture_output=True, text=True).stdout
        mem = next(line.split() for line in free.splitlines() if line.startswith("Mem:"))
        total, available = int(mem[1]), int(mem[6])
        disk = df.splitlines()[1].split()
        used, avail = int(disk[2]), int(disk[3])
        ticks = {key: after[key] - before[key] for key in after}
        elapsed = sum(ticks.values()) or 1
        for key, value in second.items():
            print(f"app_{key}\t{value}")
        print(f"free_memory\t{(total - available) * 100 / total}")
        print(f"df_disk\t{used * 100 / (used + avail)}")
        for key in ("user", "system", "idle"):
            print(f"stat_{key}\t{ticks[key] * 100 / elapsed}")
        return 0
    return 1


sys.exit(main())
