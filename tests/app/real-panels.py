#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Tavlo inside a real desktop panel, in a private headless session, as a user sees it.

    real-panels.py PANEL --app BUILD/src/app/tavlo [--shots DIR]

A line per check; exit status 77 when the panel or a tool is missing or not run as root.
"""
import argparse, contextlib, json, os, re, shutil, signal, socket, struct, subprocess, sys, tempfile, time

TOP = 30  # every panel is a strip this high along the top (or bottom) edge
SCREEN = (1280, 800)
DOWN_RATE, UP_RATE = 3_000_000, 150_000  # bytes per second into and out of Tavlo's link
VARYING = False  # bench/app/panel-cpu's traffic: a new rate every second
PANEL_TROUBLE = re.compile(r"error|warn|critical|fail|unknown|not found|invalid|refus|reject", re.I)
PANEL_NOISE = re.compile(r"StatusNotifier|dbusmenu|org\.kde|tavlo|IconThemePath|UnknownProperty|IconPixmap", re.I)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


def colour(dark):
    return "#202020" if dark else "#e8e8e8"


# Each panel writes its configuration into the session's home and gives its command line.
def xfce(home, dark):
    prop = '<property name="{}" type="{}" value="{}"/>'.format
    write(f"{home}/config/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml",
          '<?xml version="1.0" encoding="UTF-8"?>\n<channel name="xfce4-panel" version="1.0">'
          + prop("configver", "int", 2) + '<property name="panels" type="array"><value type="int" value="1"/>'
          '<property name="panel-1" type="empty">' + prop("position", "string", "p=6;x=0;y=0")
          + prop("length", "uint", 100) + prop("position-locked", "bool", "true") + prop("size", "uint", TOP)
          + prop("background-style", "uint", 1) + '<property name="background-rgba" type="array">'
          + f'<value type="double" value="{0.16 if dark else 0.91}"/>' * 3 + '<value type="double" value="1"/>'
          '</property><property name="plugin-ids" type="array"><value type="int" value="1"/></property></property>'
          '</property><property name="plugins" type="empty">' + prop("plugin-1", "string", "systray")
          + "</property></channel>\n")
    return ["xfce4-panel", "--disable-wm-check"]


def tint2(home, dark):
    write(f"{home}/tint2rc", f"rounded = 0\nborder_width = 0\nbackground_color = {colour(dark)} 100\n"
          f"border_color = #000000 0\npanel_items = S\npanel_position = top center horizontal\n"
          f"panel_size = 100% {TOP}\npanel_background_id = 1\nsystray_padding = 4 4 4\nsystray_icon_size = 22\n")
    return ["tint2", "-c", f"{home}/tint2rc"]


def lxqt(home, dark):
    write(f"{home}/config/lxqt/panel.conf", f"[General]\n__userfile__=true\n[panel1]\nplugins=statusnotifier\n"
          f"position=Top\npanelSize={TOP}\niconSize=22\nbackground-color={colour(dark)}\nfont-color=#808080\n"
          "[statusnotifier]\ntype=statusnotifier\n")
    return ["lxqt-panel"]


def waybar(home, dark, position="top", modules="modules-right"):
    write(f"{home}/config/waybar/config", f'{{"layer": "top", "position": "{position}", "height": {TOP}, '
          f'"{modules}": ["tray"], "tray": {{"icon-size": 22, "spacing": 4}}}}\n')
    write(f"{home}/config/waybar/style.css", f"window#waybar {{ background: {colour(dark)}; }}\n")
    return ["waybar"]


def gnome(home, dark):
    """The settings to make. An extension of the test's own lets it take screenshots and ask the shell
    where things are (both refused to clients outside unsafe mode)."""
    folder = f"{home}/data/gnome-shell/extensions/tavlo-test@tavlo.org"
    write(f"{folder}/metadata.json",
          '{"uuid": "tavlo-test@tavlo.org", "name": "t", "description": "t", "shell-version": ["43"]}\n')
    write(f"{folder}/extension.js",
          "function init() {}\nfunction enable() { global.context.unsafe_mode = true; }\nfunction disable() {}\n")
    return [["org.gnome.shell", "enabled-extensions", "['ubuntu-appindicators@ubuntu.com', 'tavlo-test@tavlo.org']"],
            ["org.gnome.desktop.interface", "color-scheme", "prefer-dark" if dark else "default"]]


# MATE's applets by their id in the panel's layout: the D-Bus factory that makes them, and its program.
MATE_APPLETS = {"NotificationArea": ("NotificationAreaAppletFactory", "/usr/lib/mate-panel/notification-area-applet"),
                "IndicatorAppletComplete": ("IndicatorAppletCompleteFactory",
                                            "/usr/lib/mate-indicator-applet/mate-indicator-applet-complete")}
AYATANA_SERVICE = "/usr/libexec/ayatana-indicator-application/ayatana-indicator-application-service"


def mate(home, dark, applet):
    """mate-panel keeps its layout in dconf (the session's own here) and runs each applet as a program of its
    own, started by hand (with, for the indicator applet, Ayatana's service, the StatusNotifierWatcher there)
    before the panel asks D-Bus for it, so that its output joins the panel's log."""
    factory, program = MATE_APPLETS[applet]
    # MATE's settings daemon turns button images on (the notification area hides an item's picture beside
    # a label otherwise); GTK's theme underlines the indicator applet's menu bar, in the panel's colour.
    write(f"{home}/config/gtk-3.0/settings.ini", "[Settings]\ngtk-button-images=true\n"
          f"gtk-application-prefer-dark-theme={'true' if dark else 'false'}\n")
    write(f"{home}/config/gtk-3.0/gtk.css", "menubar { box-shadow: none; }\n")
    top, item = "org.mate.panel.toplevel{}:/org/mate/panel/toplevels/top/{}", "org.mate.panel.object:/org/mate/panel/objects/tray/"
    settings = [("org.mate.panel", "toplevel-id-list", "['top']"), ("org.mate.panel", "object-id-list", "['tray']"),
                (top.format("", ""), "size", str(TOP)), (top.format(".background", "background/"), "type", "color"),
                (top.format(".background", "background/"), "color", colour(dark)), (item, "object-type", "applet"),
                (item, "applet-iid", f"{factory}::{applet}"), (item, "toplevel-id", "top"), (item, "locked", "true")]
    wait = "gdbus wait --session --timeout 10"
    script = "".join(f"gsettings set {schema} {key} \"{value}\"\n" for schema, key, value in settings)
    if applet == "IndicatorAppletComplete":
        script += f"{AYATANA_SERVICE} & s=$!\n{wait} org.kde.StatusNotifierWatcher\n"
    script += (f"{program} & a=$!\n{wait} org.mate.panel.applet.{factory}\nmate-panel & p=$!\n"
               "trap 'kill $p $a $s 2>/dev/null' TERM\nwait\n")
    return ["sh", "-c", script]


# How each panel runs: its configuration, what it needs, its kind of session, the themes run; `label`
# when the host shows the picture at the panel's size with the label beside it (the label read), `picture`
# to read the picture too, `menu` when a click opens the item's menu, whose first entry opens the dashboard.
X11, SWAY, MATE = ["Xvfb", "xdotool"], ["sway", "waybar", "grim", "wtype"], ["mate-panel", "Xvfb", "xdotool", "gsettings", "gdbus"]
PANELS = {
    "xfce": dict(config=xfce, needs=["xfce4-panel"] + X11),
    "tint2": dict(config=tint2, needs=["tint2"] + X11),
    "lxqt": dict(config=lxqt, needs=["lxqt-panel"] + X11),
    "waybar": dict(config=waybar, needs=SWAY, kind="sway"),
    # The item in the middle, where a dashboard pushed into a corner would be far from it.
    "waybar-bottom": dict(config=lambda h, d: waybar(h, d, "bottom", "modules-center"), needs=SWAY, kind="sway",
                          themes=["light"], bottom=True, late=True),
    "gnome": dict(config=gnome, needs=["gnome-shell", "gdbus"], kind="gnome", label=True),
    "mate-notification": dict(config=lambda h, d: mate(h, d, "NotificationArea"), label=True, picture=True,
                              needs=MATE + [MATE_APPLETS["NotificationArea"][1]]),
    "mate-indicator": dict(config=lambda h, d: mate(h, d, "IndicatorAppletComplete"), label=True, picture=True,
                           menu=True, needs=MATE + [MATE_APPLETS["IndicatorAppletComplete"][1], AYATANA_SERVICE])}


class VirtualPointer:
    """A pointer for a headless sway's seat, which has none, through the compositor's virtual-pointer
    protocol spoken on the socket directly (Debian ships no client for it); sway's seat commands then
    move it and click."""

    def __init__(self, path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.sock.settimeout(10)
        # wl_display.get_registry (new object 2), then wl_display.sync (3): done when all globals are in.
        self.send(1, 1, struct.pack("<I", 2))
        self.send(1, 0, struct.pack("<I", 3))
        names, buf, synced = {}, b"", False
        while not synced:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise ConnectionError("the compositor hung up")
            buf += chunk
            while len(buf) >= max(8, struct.unpack_from("<I", buf, 4)[0] >> 16 if len(buf) >= 8 else 8):
                obj, word = struct.unpack_from("<II", buf)
                body, buf = buf[8:max(8, word >> 16)], buf[max(8, word >> 16):]
                if obj == 2 and word & 0xFFFF == 0:  # wl_registry.global: name, interface, version
                    name, length = struct.unpack_from("<II", body)
                    names[body[8:7 + length].decode()] = name
                synced = synced or obj == 3
        for interface, new in (("wl_seat", 4), ("zwlr_virtual_pointer_manager_v1", 5)):
            text = interface.encode() + b"\0"
            self.send(2, 0, struct.pack("<II", names[interface], len(text)) + text + b"\0" * (-len(text) % 4)
                      + struct.pack("<II", 1, new))
        self.send(5, 0, struct.pack("<II", 4, 6))  # create_virtual_pointer(seat 4) as object 6

    def send(self, obj, opcode, args):
        self.sock.sendall(struct.pack("<II", obj, (8 + len(args)) << 16 | opcode) + args)


class Session:
    def __init__(self, args, theme):
        self.args, self.theme, self.panel, self.dark = args, theme, args.panel, theme == "dark"
        self.setup = PANELS[args.panel]
        self.kind, self.cursor, self.clicked = self.setup.get("kind", "x11"), None, 0
        self.bar = SCREEN[1] - TOP if self.setup.get("bottom") else 0  # the strip's top edge
        self.home = tempfile.mkdtemp(prefix="tavlo-panels-")
        self.procs, self.results = [], []
        pid = os.getpid()
        self.ns, self.link, self.net = f"tavlo-pn{pid}", f"tvpn{pid % 100000}", f"10.{200 + pid % 50}.{pid // 50 % 250}"
        # sway and GNOME Shell refuse to run as root: the Wayland sessions run as nobody.
        self.user = [] if self.kind == "x11" else ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]

    def spawn(self, argv, log=None, **kw):
        out = open(os.path.join(self.home, log), "a") if log else subprocess.DEVNULL
        self.procs.append(subprocess.Popen(argv, env=self.env, stdout=out, stderr=subprocess.STDOUT, **kw))
        return self.procs[-1]

    def run(self, argv, **kw):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30, **kw)

    def own(self):
        if self.user:
            subprocess.run(["chown", "-R", "65534:65534", self.home], check=True)

    def bus(self, name):
        self.procs.append(subprocess.Popen(self.user + ["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                                        f"--address=unix:path={self.home}/{name}"],
                                           env=self.env, stdout=subprocess.PIPE))
        return self.procs[-1].stdout.readline().decode().strip()

    def check(self, name, ok, detail=""):
        self.results.append(bool(ok))
        print(f"{self.panel}/{self.theme}: {'ok  ' if ok else 'FAIL'} {name} {detail}".rstrip(), flush=True)
        if not ok:
            # What the panel and Tavlo said last, so that a failure in CI tells why.
            # Which side lost the item: the watcher's list, and the items on the bus.
            watched = self.run(self.user + ["gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher",
                                            "--object-path", "/StatusNotifierWatcher", "--method",
                                            "org.freedesktop.DBus.Properties.Get", "org.kde.StatusNotifierWatcher",
                                            "RegisteredStatusNotifierItems"])
            items = re.findall(r"org\.kde\.\w+-[\w.-]+", self.run(self.user + ["gdbus", "call", "--session", "--dest",
                "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus", "--method",
                "org.freedesktop.DBus.ListNames"]).stdout)
            print(f"  watcher holds: {(watched.stdout or watched.stderr).strip()}\n  on the bus: {items}", flush=True)
            for log in ("panel.log", "tavlo.log"):
                with contextlib.suppress(OSError), open(os.path.join(self.home, log), errors="replace") as f:
                    print(f"  last of {log}:", *(l.rstrip() for l in f.readlines()[-12:]), sep="\n    ", flush=True)

    def wait(self, what, timeout=20):
        end = time.monotonic() + timeout
        while not (value := what()) and time.monotonic() < end:
            time.sleep(0.2)
        return value or None

    # The session: display, bus, network, panel.
    def start(self):
        h = self.home
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM", "SWAYSOCK")}
        self.env.update(HOME=h, XDG_CONFIG_HOME=f"{h}/config", XDG_DATA_HOME=f"{h}/data", XDG_RUNTIME_DIR=f"{h}/run",
                        XDG_CACHE_HOME=f"{h}/cache", LANG="C.UTF-8", NO_AT_BRIDGE="1", GTK_A11Y="none")
        for folder in ("run", "config", "cache"):
            os.makedirs(f"{h}/{folder}", mode=0o700)
        self.own()
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus("bus")
        if self.kind == "gnome":
            # The shell asks logind for the session on the system bus: a mock on a bus of our own.
            self.env["DBUS_SYSTEM_BUS_ADDRESS"] = self.bus("system")
            self.spawn(self.user + ["python3", "-m", "dbusmock", "--system", "--template", "logind"])
            for setting in gnome(h, self.dark):
                self.own()
                self.run(self.user + ["gsettings", "set", *setting])
            self.spawn(self.user + ["gnome-shell", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                                    f"{SCREEN[0]}x{SCREEN[1]}"], log="panel.log")
            self.env.update(WAYLAND_DISPLAY="wayland-0", QT_QPA_PLATFORM="wayland")
            self.wait(lambda: os.path.exists(f"{h}/run/wayland-0") and self.shell("1") == 1, 60)
        elif self.kind == "sway":
            # A `late` bar starts after Tavlo, as at a login where Tavlo comes first (test()).
            bar = "" if self.setup.get("late") else f"bar swaybar_command {' '.join(self.setup['config'](h, self.dark))}\n"
            write(f"{h}/sway.conf", f"output HEADLESS-1 resolution {SCREEN[0]}x{SCREEN[1]}\n{bar}")
            self.env.update(WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
            self.own()
            self.spawn(self.user + ["sway", "-c", f"{h}/sway.conf"], log="panel.log")
            found = lambda prefix: self.wait(lambda: next((f for f in os.listdir(f"{h}/run") if f.startswith(prefix)
                                                           and not f.endswith(".lock")), None))
            self.env.update(WAYLAND_DISPLAY=found("wayland-"), QT_QPA_PLATFORM="wayland",
                            SWAYSOCK=f"{h}/run/{found('sway-ipc')}")
            self.pointer = VirtualPointer(f"{h}/run/{self.env['WAYLAND_DISPLAY']}")
            # A keyboard for the whole session: without one the seat's keyboard comes and goes with
            # each wtype, and every client sees its focus vanish.
            self.spawn(self.user + ["wtype", "-s", "600000"])
        else:
            r, w = os.pipe()
            self.spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                        "-nolisten", "tcp"], pass_fds=(w,))
            os.close(w)
            self.env.update(DISPLAY=":" + os.read(r, 16).decode().strip(), QT_QPA_PLATFORM="xcb")
            self.spawn(self.setup["config"](h, self.dark), log="panel.log")
        if self.panel != "tint2" and not self.setup.get("late"):  # the host is up once it owns the watcher's name
            self.run(self.user + ["gdbus", "wait", "--session", "--timeout", "20", "org.kde.StatusNotifierWatcher"])
        self.network()

    def shell(self, script):
        out = self.run(self.user + ["gdbus", "call", "--session", "--dest", "org.gnome.Shell", "--object-path",
                                    "/org/gnome/Shell", "--method", "org.gnome.Shell.Eval", script]).stdout
        m = re.match(r"\(true, '(.*)'\)", out.strip())
        # Eval answers with JSON of the result; a JSON text made in the shell comes back quoted.
        value = json.loads(m[1]) if m else None
        return json.loads(value) if isinstance(value, str) and value[:1] in "[{" else value

    def network(self):
        for a in (f"netns add {self.ns}", f"link add {self.link} netns {self.ns} type veth peer name {self.link}p",
                  f"addr add {self.net}.2/24 dev {self.link}p", f"link set {self.link}p up",
                  f"-n {self.ns} addr add {self.net}.1/24 dev {self.link}", f"-n {self.ns} link set {self.link} up"):
            subprocess.run(["ip", *a.split()], check=True, capture_output=True)
        # The sampler counts wired cards only: in the namespace's sysfs the veth becomes one.
        self.fake = f"{self.home}/sysnet"
        os.makedirs(f"{self.fake}/device")
        for name, text in (("type", "1"), ("ifindex", "2"), ("uevent", f"INTERFACE={self.link}")):
            write(f"{self.fake}/{name}", text + "\n")
        # UDP both ways, paced: no acknowledgements to blur the two directions.
        pace = ("import socket,sys,time\ns=socket.socket(socket.AF_INET,socket.SOCK_DGRAM)\n"
                "base=int(sys.argv[2]);vary=sys.argv[3]=='1';chunk=b'x'*1000;t0=time.monotonic();cur=-1\n"
                "while True:\n now=time.monotonic();sec=int(now-t0)\n"
                " if sec!=cur: cur=sec;t=now;n=0;rate=base*(1+sec*7%11)//4 if vary else base\n"
                " s.sendto(chunk,(sys.argv[1],47900));n+=1028\n"
                " d=n/rate-(time.monotonic()-t)\n if d>0: time.sleep(d)\n")
        sink = "import socket\ns=socket.socket(socket.AF_INET,socket.SOCK_DGRAM)\ns.bind(('0.0.0.0',47900))\n" \
               "while True: s.recv(4096)\n"
        inside, vary = ["ip", "netns", "exec", self.ns], "1" if VARYING else "0"
        for prefix, program, *rest in (([], sink), (inside, sink), ([], pace, f"{self.net}.1", str(DOWN_RATE), vary),
                                       (inside, pace, f"{self.net}.2", str(UP_RATE), vary)):
            self.spawn(prefix + ["python3", "-c", program] + rest)

    def start_tavlo(self):
        script = f'mount --bind "{self.fake}" /sys/class/net/{self.link} 2>/dev/null || ' \
                 f'mount --bind "{self.fake}" "$(readlink -f /sys/class/net/{self.link})"; exec {" ".join(self.user)} "$0"'
        self.tavlo = self.spawn(["ip", "netns", "exec", self.ns, "sh", "-c", script, self.args.app], log="tavlo.log")

    def counters(self):
        out = subprocess.run(["ip", "netns", "exec", self.ns, "cat", "/proc/net/dev"], capture_output=True,
                             text=True).stdout
        fields = next(l for l in out.splitlines() if l.strip().startswith(self.link + ":")).split(":")[1].split()
        return int(fields[0]), int(fields[8])

    # Looking at the screen.
    def screenshot(self):
        shot = f"{self.home}/shot.png"
        if self.kind == "gnome":
            self.run(self.user + ["gdbus", "call", "--session", "--dest", "org.gnome.Shell.Screenshot", "--object-path",
                                  "/org/gnome/Shell/Screenshot", "--method", "org.gnome.Shell.Screenshot.Screenshot",
                                  "false", "false", shot])
        else:
            self.run(["grim", shot] if self.kind == "sway" else ["import", "-window", "root", shot])
        return shot

    def panel_item(self):
        """The item's box in the panel strip."""
        if self.kind == "gnome":
            # The top bar holds more than the tray; the shell says where the indicator is.
            box = self.shell("JSON.stringify(Object.keys(Main.panel.statusArea).filter(k => k.startsWith("
                             "'appindicator')).map(k => Main.panel.statusArea[k]).map(a => "
                             "[...a.get_transformed_position(), ...a.get_transformed_size()].map(Math.round)))")
            return tuple(box[-1]) if box and None not in box[-1] and box[-1][2] > 0 else None
        # The tray is the panel's only plug-in: what differs from the strip's corners is the item.
        x, y, w, h = self.trimmed((0, self.bar, SCREEN[0], TOP))
        return (x, y, w, h) if 8 <= min(w, h) and w < SCREEN[0] // 2 else None

    def trimmed(self, area, cursor=None):
        """What differs from the corners' colour in `area` of the screen, as (x, y, w, h); the
        pointer, which a headless sway draws into the screen, painted over first."""
        ax, ay, aw, ah = area
        shot, cover = self.screenshot(), []
        if cursor:
            x, y = cursor
            colour = self.run(["convert", shot, "-format", f"%[pixel:p{{{ax if x > SCREEN[0] // 2 else ax + aw - 1},"
                               f"{ay if y > SCREEN[1] // 2 else ay + ah - 1}}}]", "info:"]).stdout.strip()
            cover = ["-fill", colour, "-draw", f"rectangle {x - 8},{y - 8} {x + 32},{y + 32}"]
        found = self.run(["convert", shot, *cover, "-crop", f"{aw}x{ah}+{ax}+{ay}",
                          "+repage", "-fuzz", "3%", "-format", "%@", "info:"]).stdout.strip()
        w, h, x, y = map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", found or "0x0+0+0").groups())
        return x + ax, y + ay, w, h

    def ocr(self, box, picture):
        """The item's text, from its label (or its picture, right of the markers), enlarged to a few sizes."""
        x, y, w, h = box
        if self.setup.get("label") and not picture:
            x, w = x + h, w - h
        else:
            w = min(w, h)
            x, w = x + w // 4, w - w // 4
        # (The picture read in black and white: the host's scaling blurs its strokes.)
        shot, big = self.screenshot(), f"{self.home}/ocr.png"
        for scale in ("600%", "400%", "800%"):
            self.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-colorspace",
                      "gray", "-resize", scale, "-normalize"] + (["-threshold", "55%"] if picture else []) + [big])
            if float(self.run(["convert", big, "-format", "%[fx:mean]", "info:"]).stdout or 1) < 0.5:
                self.run(["convert", big, "-negate", big])
            self.run(["convert", big, "-bordercolor", "white", "-border", "40", big])
            text = self.run(["tesseract", big, "stdout", "--psm", "6", "-c",
                             "tessedit_char_whitelist=0123456789.KMGb/s "]).stdout
            if len(re.findall(r"\d\s?[KMG]", text)) == 2:
                break
        return text

    def rates_read(self, box, picture):
        """Reads the item until it shows the link's true rates (once two ticks have passed; small
        type misreads now and then): whether it did, and the last reading."""
        end = time.monotonic() + 20
        while True:
            box = self.panel_item() or box
            before, t0 = self.counters(), time.monotonic()
            text = self.ocr(box, picture)
            down, up = [(b - a) / (time.monotonic() - t0) for a, b in zip(before, self.counters())]
            if legible(text, up, down) or time.monotonic() > end:
                return legible(text, up, down), f"OCR {text.split()} true up {up:.0f} B/s down {down:.0f} B/s"

    def click(self, x, y):
        # Tavlo ignores a click on the item just after an outside click closed the dashboard.
        time.sleep(max(0.0, self.clicked + 0.6 - time.monotonic()))
        self.clicked = time.monotonic()
        if self.setup.get("menu") and y <= TOP and not self.dashboard():
            self.run(["xdotool", "mousemove", str(x), str(y), "click", "1"])
            menu = self.wait(lambda: self.run(["xdotool", "search", "--onlyvisible", "--name",
                                               "^Indicator Applet Complete$"]).stdout.split(), 5)
            if menu:
                v = dict(l.split("=") for l in self.run(["xdotool", "getwindowgeometry", "--shell", menu[0]]).stdout.split())
                self.run(["xdotool", "mousemove", str(int(v["X"]) + 30), str(int(v["Y"]) + 14), "click", "1"])
        elif self.kind == "x11":
            self.run(["xdotool", "mousemove", str(x), str(y), "click", "1"])
        elif self.kind == "sway":
            self.cursor = (x, y)
            for command in (["set", str(x), str(y)], ["press", "button1"], ["release", "button1"]):
                self.run(["swaymsg", "seat", "-", "cursor"] + command)
        elif y <= TOP:
            # GNOME's headless shell has no pointer: on the item, the click is what the shell sends for one.
            self.run(self.user + ["dbus-send", "--print-reply", "--session",
                                  f"--dest=org.kde.StatusNotifierItem-{self.tavlo.pid}-1", "/StatusNotifierItem",
                                  "org.kde.StatusNotifierItem.Activate", f"int32:{x}", f"int32:{y}"])
        else:
            return False
        return True

    def dashboard(self):
        if self.kind == "gnome":
            found = self.shell("JSON.stringify(global.get_window_actors().map(a => a.meta_window).filter(w => "
                               "w.get_title() == 'Tavlo' && w.showing_on_its_workspace()).map(w => { const r = "
                               "w.get_frame_rect(); return [r.x, r.y, r.width, r.height]; }))")
            return tuple(found[0]) if found and found[0][2] > 0 else None
        if self.kind == "sway":
            # A layer surface, which sway's tree leaves out: on the empty desktop, the dashboard is all
            # that stands out beside the panel's strip.
            box = self.trimmed((0, TOP if self.bar == 0 else 0, SCREEN[0], SCREEN[1] - TOP), self.cursor)
            return box if min(box[2:]) > 100 else None
        ids = self.run(["xdotool", "search", "--onlyvisible", "--name", "^Tavlo$"]).stdout.split()
        if not ids:
            return None
        v = dict(l.split("=") for l in self.run(["xdotool", "getwindowgeometry", "--shell", ids[0]]).stdout.split())
        return int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"])

    def toggles(self, x, y, opens):
        """Clicks at (x, y): the dashboard once open (or True once closed); None without a pointer there."""
        if self.click(x, y):
            return self.wait(self.dashboard, 10) if opens else self.wait(lambda: not self.dashboard(), 5)

    # The checks.
    def test(self):
        self.start()
        names = lambda: self.run(self.user + ["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                                              "--object-path", "/org/freedesktop/DBus", "--method",
                                              "org.freedesktop.DBus.ListNames"]).stdout.count("':")
        before = names()
        self.start_tavlo()
        if self.setup.get("late"):
            # Tavlo on the bus finds no watcher yet; the bar that brings one comes after.
            self.wait(lambda: names() > before, 10)
            self.spawn(self.user + self.setup["config"](self.home, self.dark), log="panel.log")
        box = self.wait(self.panel_item, 25)
        self.check("item shown", box, str(box))
        if not box:
            return
        for picture in (False, True) if self.setup.get("picture") else (False,):
            # MATE's picture shows the same rates as its label: a host that hid it or kept an old one would not.
            self.check("picture legible" if picture else "legible", *self.rates_read(box, picture))
        x, y, w, h = box = self.panel_item() or box
        if self.args.shots:
            width = max(120, w + 20)
            left = max(0, min(SCREEN[0] - width, x + w // 2 - width // 2))
            self.run(["convert", self.screenshot(), "-crop", f"{width}x{TOP}+{left}+{self.bar}", "+repage",
                      "-filter", "point", "-resize", "400%", f"{self.args.shots}/{self.panel}-{self.theme}.png"])
        cx, cy = x + w // 2, y + h // 2
        window = self.toggles(cx, cy, True)
        if self.kind == "sway":
            # A layer surface against the panel's edge, centred on the item as far as the screen allows.
            dx, dy, dw, dh = window or (0, 0, 0, 0)
            gap = dy - TOP if self.bar == 0 else self.bar - (dy + dh)
            off = dx + dw // 2 - min(max(cx, dw // 2), SCREEN[0] - dw // 2)
            placed = window and 0 <= gap <= 8 and abs(off) <= 200
        else:  # GNOME lets no client place a window
            placed = window and (self.kind == "gnome" or abs(window[1] - TOP) <= 12
                                 and window[0] <= cx <= window[0] + window[2])
        self.check("click opens it against the item", placed, f"item {box} dashboard {window}")
        if self.args.shots and window:
            self.run(["convert", self.screenshot(), "-resize", "50%", f"{self.args.shots}/{self.panel}-{self.theme}-open.png"])
        self.check("second click closes", self.toggles(cx, cy, False))
        opened = self.toggles(cx, cy, True)
        # Halfway down the screen, on the side the dashboard leaves free.
        free = 20 if opened and opened[0] + opened[2] // 2 > SCREEN[0] // 2 else SCREEN[0] - 20
        # The pointer grab that sees outside clicks comes once the window is exposed, a moment after
        # it shows; a click before that lands on the desktop, as it would for a user, who clicks
        # again. Without the grab no click would ever close it.
        for _ in range(3):
            closed = self.toggles(free, SCREEN[1] // 2, False)
            if closed is None or closed:
                break
        if closed is None:
            print(f"{self.panel}/{self.theme}: n/a  outside click (no pointer in a headless GNOME Shell)")
        else:
            self.check("outside click closes", opened and closed, f"opened {opened} closed {closed}")
        if self.kind == "sway":
            opened = self.toggles(cx, cy, True)
            self.run(self.user + ["wtype", "-k", "Escape"])
            self.check("Escape closes", opened and self.wait(lambda: not self.dashboard(), 5))
        icons = lambda: [f for f in os.listdir(f"{self.home}/run") if f.startswith("tavlo-icons")]
        before = icons()
        self.tavlo.send_signal(signal.SIGTERM)
        status = self.tavlo.wait(10)
        self.check("SIGTERM ends with status 0, icons removed", status == 0 and not icons(), f"status {status} {before}")
        self.wait(lambda: not self.panel_item(), 5)  # what the panel logs as the item goes
        with open(f"{self.home}/tavlo.log", errors="replace") as f:
            own = [l.strip() for l in f if l.strip()]
        with open(f"{self.home}/panel.log", errors="replace") as f:
            panel = [l.strip() for l in f if PANEL_NOISE.search(l.replace(self.home, "")) and PANEL_TROUBLE.search(l)]
        self.check("no log lines about the item", not own and not panel, " | ".join(own + panel)[:600])

    def stop(self):
        for p in reversed(self.procs):
            p.terminate()
        for p in reversed(self.procs):
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        subprocess.run(["ip", "netns", "del", self.ns], capture_output=True)
        subprocess.run(["ip", "link", "del", self.link + "p"], capture_output=True)
        if not os.environ.get("TAVLO_PANELS_KEEP"):
            shutil.rmtree(self.home, ignore_errors=True)


def legible(text, up, down):
    """Both rates read as the item's compact form shows them (whole numbers and a unit)."""
    found = re.findall(r"(\d+(?:[.,]\d+)?)\s*([KMG])", text.replace("O", "0"))
    for (number, unit), rate in zip(found, (up, down)):
        size, want = next(((s, u) for u, s in (("G", 1 << 30), ("M", 1 << 20), ("K", 1 << 10))
                           if rate >= 1000 * s / 1024), (1, ""))
        if unit != want or abs(float(number.replace(",", ".")) - rate / size) > max(0.15 * rate / size, 0.6):
            return False
    return len(found) == 2


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("panel", choices=sorted(PANELS))
    parser.add_argument("--app", required=True)
    parser.add_argument("--shots")
    args = parser.parse_args()
    missing = [p for p in PANELS[args.panel]["needs"] + ["tesseract", "convert", "ip", "dbus-daemon"] if not shutil.which(p)]
    if missing or os.geteuid() != 0:
        print(f"skipped: {'needs root' if not missing else 'not installed: ' + ' '.join(missing)}")
        return 77
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)
    ok = True
    for theme in PANELS[args.panel].get("themes", ["light", "dark"]):
        session = Session(args, theme)
        try:
            session.test()
        finally:
            session.stop()
        ok = ok and bool(session.results) and all(session.results)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
