#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads Tavlo as a screen reader does. Exit status 2 when AT-SPI cannot be used, 1 when Tavlo
# or what was asked for is not there.
#   atspi.py objects WINDOW   each named object of the showing window WINDOW: role, name,
#                             description, x, y, width, height
#   atspi.py press NAME       presses the push button called NAME
#   atspi.py figures          after two refreshes of the resource panel, "key<TAB>value" lines: its
#                             figures, /proc/stat's shares between the two and what free and df say
import re, subprocess, sys, time

try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError):
    sys.exit(2)


def application():
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        if app.get_name() == "tavlo":
            app.set_cache_mask(Atspi.Cache.NONE)  # names change every second: never a cache
            return app
    sys.exit(1)


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c is not None]


def walk(node, depth=0):
    yield node
    for child in children(node) if depth < 40 else []:
        yield from walk(child, depth + 1)


def figures():
    prefixes = {"user": "CPU User:", "system": "CPU System:", "idle": "CPU Idle:", "memory": "Memory Used",
                "disk": "Disk Used"}
    nodes = {}

    def read():
        if len(nodes) < len(prefixes):  # the tree is walked until it has all five
            nodes.update({k: n for n in walk(application()) for k, p in prefixes.items()
                          if (n.get_name() or "").startswith(p)})
        found = {key: re.search(r"(-?\d+(?:\.\d+)?)%", n.get_name() or "") for key, n in nodes.items()}
        return {key: float(m[1]) if m else None for key, m in found.items()}

    def stat():
        with open("/proc/stat") as f:
            v = ([int(x) for x in f.readline().split()[1:]] + [0] * 8)[:8]
        return {"user": v[0], "nice": v[1], "system": v[2] + sum(v[5:8]), "idle": v[3] + v[4]}

    def refresh(previous):
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            now = read()
            if now.get("user") is not None and now != previous:
                # A refresh's labels reach the tree one by one: let the rest arrive.
                time.sleep(0.2)
                return read()
            time.sleep(0.01)
        sys.exit("the panel did not refresh")

    first = refresh(read())
    before = stat()
    second, after = refresh(first), stat()
    out = lambda *a: subprocess.run(a, capture_output=True, text=True).stdout.splitlines()
    mem = next(line.split() for line in out("free", "-b") if line.startswith("Mem:"))
    disk = out("df", "-B1", "/")[1].split()
    ticks = {key: after[key] - before[key] for key in after}
    rows = [(f"app_{key}", value) for key, value in second.items()]
    rows += [("free_memory", (int(mem[1]) - int(mem[6])) * 100 / int(mem[1])),
             ("df_disk", int(disk[2]) * 100 / (int(disk[2]) + int(disk[3])))]
    rows += [(f"stat_{key}", ticks[key] * 100 / (sum(ticks.values()) or 1)) for key in ("user", "system", "idle")]
    print("\n".join(f"{k}\t{v}" for k, v in rows))


def main(command, argument=None):
    if command == "objects":
        roots = [w for w in children(application())
                 if w.get_name() == argument and w.get_state_set().contains(Atspi.StateType.SHOWING)]
        for node in (n for root in roots for n in walk(root) if n.get_name()):
            e = node.get_extents(Atspi.CoordType.SCREEN)
            fields = (node.get_role_name(), node.get_name(), node.get_description() or "", e.x, e.y, e.width, e.height)
            print("\t".join(str(f).replace("\t", " ") for f in fields))
        return 0 if roots else 1
    if command == "press":
        for node in walk(application()):
            if node.get_name() == argument and node.get_role() == Atspi.Role.PUSH_BUTTON:
                actions = node.get_action_iface()
                names = [actions.get_action_name(i) for i in range(actions.get_n_actions())]
                return 0 if "Press" in names and actions.do_action(names.index("Press")) else 1
        return 1
    figures()
    return 0


sys.exit(main(*sys.argv[1:]))
