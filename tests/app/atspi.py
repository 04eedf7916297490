#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads Tavlo as a screen reader does. Exit status 2 when AT-SPI cannot be used, 1 when Tavlo
# or what was asked for is not there.
#   atspi.py objects [WINDOW] each named object (of the showing window WINDOW only): role, name,
#                             description, x, y, width, height
#   atspi.py press NAME       presses the push button called NAME
#   atspi.py figures          waits for two refreshes of the resource panel and prints, one
#                             "key<TAB>value" a line, the figures read after the second one,
#                             /proc/stat's shares between the two and what free and df say then
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
    for app in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count())):
        if app is not None and app.get_name() == "tavlo":
            app.set_cache_mask(Atspi.Cache.NONE)  # names change every second: never a cache
            return app
    sys.exit(1)


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]


def walk(node, depth=0):
    yield node
    if depth < 40:
        for child in children(node):
            yield from walk(child, depth + 1)


def tabs(*fields):
    print("\t".join(str(f).replace("\t", " ") for f in fields))


def box(node):
    e = node.get_extents(Atspi.CoordType.SCREEN)
    return e.x, e.y, e.width, e.height


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def figures():
    prefixes = {"user": "CPU User:", "system": "CPU System:", "idle": "CPU Idle:", "memory": "Memory Used",
                "disk": "Disk Used"}
    nodes = {}

    def read():
        if len(nodes) < len(prefixes):  # the tree is walked until it has all five
            nodes.update({key: node for node in walk(application()) for key, prefix in prefixes.items()
                          if (node.get_name() or "").startswith(prefix)})
        found = {}
        for key, node in nodes.items():
            match = re.search(r"(-?\d+(?:\.\d+)?)%", node.get_name() or "")
            found[key] = float(match.group(1)) if match else None
        return found

    def stat():
        with open("/proc/stat") as f:
            user, nice, system, idle, iowait, irq, softirq, steal = ([int(v) for v in f.readline().split()[1:]]
                                                                     + [0] * 8)[:8]
        return {"user": user, "nice": nice, "system": system + irq + softirq + steal, "idle": idle + iowait}

    def refresh(previous):
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            now = read()
            if now.get("user") is not None and now != previous:
                # The labels of one refresh reach the tree one by one: let the rest arrive, so
                # that the next change found is the next refresh, a second later.
                time.sleep(0.2)
                return read()
            time.sleep(0.01)
        sys.exit("the panel did not refresh")

    first = refresh(read())
    before = stat()
    second = refresh(first)
    after = stat()
    mem = next(line.split() for line in subprocess.run(["free", "-b"], capture_output=True, text=True)
               .stdout.splitlines() if line.startswith("Mem:"))
    disk = subprocess.run(["df", "-B1", "/"], capture_output=True, text=True).stdout.splitlines()[1].split()
    ticks = {key: after[key] - before[key] for key in after}
    for key, value in second.items():
        tabs(f"app_{key}", value)
    tabs("free_memory", (int(mem[1]) - int(mem[6])) * 100 / int(mem[1]))
    tabs("df_disk", int(disk[2]) * 100 / (int(disk[2]) + int(disk[3])))
    for key in ("user", "system", "idle"):
        tabs(f"stat_{key}", ticks[key] * 100 / (sum(ticks.values()) or 1))


def main(command, *arguments):
    if command == "objects":
        roots = [w for w in children(application()) if w.get_name() == arguments[0] and showing(w)] \
            if arguments else [application()]
        for node in (n for root in roots for n in walk(root)):
            if node.get_name():
                tabs(node.get_role_name(), node.get_name(), node.get_description() or "", *box(node))
        return 0 if roots else 1
    elif command == "press":
        for node in walk(application()):
            if node.get_name() == arguments[0] and node.get_role() == Atspi.Role.PUSH_BUTTON:
                actions = node.get_action_iface()
                for i in range(actions.get_n_actions()):
                    if actions.get_action_name(i) == "Press":
                        return 0 if actions.do_action(i) else 1
        return 1
    elif command == "figures":
        figures()
    return 0


sys.exit(main(*sys.argv[1:]))
