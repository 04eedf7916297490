#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Tavlo inside a real desktop panel, in a private headless session.

    real-panels.py PANEL --app BUILD/src/app/tavlo [--shots DIR] [--themes light,dark]

For each theme of the panel: starts the display (Xvfb, or headless sway for Wayland), a
private session bus and the panel, then Tavlo in a network namespace of its own whose link
carries steady traffic both ways. Checks, as a user would see them: the item appears, both
rates read back by OCR from a screenshot match the link's own counters, a click opens the
dashboard against the item, a second click and an outside click close it, neither Tavlo
nor the panel logs a line about the item, and SIGTERM ends Tavlo with status 0 and its
icon folder gone. Exit status 77 when the panel or a tool is not installed, 0 when all
holds; a line per check on standard output.
"""
import argparse, json, os, re, shutil, signal, subprocess, sys, tempfile, time

TOP = 30  # every panel is configured along the top edge, this high
SCREEN = (1280, 800)
DOWN_RATE, UP_RATE = 3_000_000, 150_000  # bytes per second into and out of Tavlo's link
VARYING = False  # the benchmark's traffic: a new rate every second
PANEL_TROUBLE = re.compile(r"error|warn|critical|fail|unknown|not found|invalid|refus|reject", re.I)
PANEL_NOISE = re.compile(r"StatusNotifier|dbusmenu|org\.kde|tavlo|IconThemePath|UnknownProperty|IconPixmap", re.I)


def xfce(theme, home):
    rgba = "0.16" if theme == "dark" else "0.91"
    conf = os.path.join(home, "config/xfce4/xfconf/xfce-perchannel-xml")
    os.makedirs(conf)
    with open(os.path.join(conf, "xfce4-panel.xml"), "w") as f:
        f.write(f"""<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array"><value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="{TOP}"/>
      <property name="background-style" type="uint" value="1"/>
      <property name="background-rgba" type="array">
        <value type="double" value="{rgba}"/><value type="double" value="{rgba}"/>
        <value type="double" value="{rgba}"/><value type="double" value="1"/></property>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property></property>
  <property name="plugins" type="empty"><property name="plugin-1" type="string" value="systray"/></property>
</channel>
""")
    return ["xfce4-panel", "--disable-wm-check"]


def tint2(theme, home):
    path = os.path.join(home, "tint2rc")
    colour = "#202020" if theme == "dark" else "#e8e8e8"
    with open(path, "w") as f:
        f.write(f"rounded = 0\nborder_width = 0\nbackground_color = {colour} 100\nborder_color = #000000 0\n"
                f"panel_items = S\npanel_position = top center horizontal\npanel_size = 100% {TOP}\n"
                "panel_background_id = 1\nsystray_padding = 4 4 4\nsystray_icon_size = 22\n")
    return ["tint2", "-c", path]


def lxqt(theme, home):
    os.makedirs(os.path.join(home, "config/lxqt"))
    colour = "#202020" if theme == "dark" else "#e8e8e8"
    with open(os.path.join(home, "config/lxqt/panel.conf"), "w") as f:
        f.write(f"[General]\n__userfile__=true\n[panel1]\nplugins=statusnotifier\nposition=Top\n"
                f"panelSize={TOP}\niconSize=22\nbackground-color={colour}\nfont-color=#808080\n"
                "[statusnotifier]\ntype=statusnotifier\n")
    return ["lxqt-panel"]


def waybar(theme, home):
    os.makedirs(os.path.join(home, "config/waybar"))
    colour = "#202020" if theme == "dark" else "#e8e8e8"
    with open(os.path.join(home, "config/waybar/config"), "w") as f:
        f.write(f'{{"layer": "top", "position": "top", "height": {TOP}, "modules-right": ["tray"],'
                ' "tray": {"icon-size": 22, "spacing": 4}}\n')
    with open(os.path.join(home, "config/waybar/style.css"), "w") as f:
        f.write(f"window#waybar {{ background: {colour}; }}\n")
    return ["waybar"]


def gnome(theme, home):
    # An extension of the test's own lets it take screenshots and ask the shell where things
    # are (both refused to clients outside unsafe mode).
    folder = os.path.join(home, "data/gnome-shell/extensions/tavlo-test@tavlo.org")
    os.makedirs(folder)
    with open(os.path.join(folder, "metadata.json"), "w") as f:
        f.write('{"uuid": "tavlo-test@tavlo.org", "name": "t", "description": "t", "shell-version": ["43"]}\n')
    with open(os.path.join(folder, "extension.js"), "w") as f:
        f.write("function init() {}\nfunction enable() { global.context.unsafe_mode = true; }\nfunction disable() {}\n")
    scheme = "prefer-dark" if theme == "dark" else "default"
    return [["gsettings", "set", "org.gnome.shell", "enabled-extensions",
             "['ubuntu-appindicators@ubuntu.com', 'tavlo-test@tavlo.org']"],
            ["gsettings", "set", "org.gnome.desktop.interface", "color-scheme", scheme]]


PANELS = {"xfce": xfce, "tint2": tint2, "lxqt": lxqt, "waybar": waybar, "gnome": gnome}
PROGRAMS = {"xfce": ["xfce4-panel"], "tint2": ["tint2"], "lxqt": ["lxqt-panel"], "waybar": ["sway", "waybar", "grim"],
            "gnome": ["gnome-shell", "gdbus"]}


class Session:
    def __init__(self, args, theme):
        self.args, self.theme, self.panel = args, theme, args.panel
        self.wayland = args.panel in ("waybar", "gnome")
        self.gnome = args.panel == "gnome"
        self.home = tempfile.mkdtemp(prefix="tavlo-panels-")
        self.procs, self.results = [], []
        self.ns = f"tavlo-pn{os.getpid()}"
        # sway and GNOME Shell refuse to run as root: the Wayland sessions run as nobody.
        self.user = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] if self.wayland else []
        self.link = f"tvpn{os.getpid() % 100000}"
        self.net = f"10.{200 + os.getpid() % 50}.{os.getpid() // 50 % 250}"

    def spawn(self, argv, log=None, **kw):
        out = open(os.path.join(self.home, log), "w") if log else subprocess.DEVNULL
        p = subprocess.Popen(argv, env=self.env, stdout=out, stderr=subprocess.STDOUT, **kw)
        self.procs.append(p)
        return p

    def run(self, argv, **kw):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30, **kw)

    def check(self, name, ok, detail=""):
        self.results.append(ok)
        print(f"{self.panel}/{self.theme}: {'ok  ' if ok else 'FAIL'} {name} {detail}".rstrip(), flush=True)

    def wait(self, what, timeout=20):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = what()
            if value:
                return value
            time.sleep(0.2)
        return None

    # The session: display, bus, network, panel.
    def start(self):
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=f"{self.home}/config", LANG="C.UTF-8",
                        XDG_DATA_HOME=f"{self.home}/data",
                        XDG_RUNTIME_DIR=f"{self.home}/run", XDG_CACHE_HOME=f"{self.home}/cache",
                        NO_AT_BRIDGE="1", GTK_A11Y="none")
        os.makedirs(f"{self.home}/run", mode=0o700)
        for folder in ("config", "cache"):
            os.makedirs(f"{self.home}/{folder}", exist_ok=True)
        if self.user:
            subprocess.run(["chown", "-R", "65534:65534", self.home], check=True)
        for k in ("WAYLAND_DISPLAY", "DISPLAY", "QT_QPA_PLATFORM", "SWAYSOCK"):
            self.env.pop(k, None)
        bus = subprocess.Popen(self.user + ["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                f"--address=unix:path={self.home}/bus"], env=self.env, stdout=subprocess.PIPE)
        self.procs.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        if self.gnome:
            self.start_gnome()
        elif self.wayland:
            with open(f"{self.home}/sway.conf", "w") as f:
                f.write(f"output HEADLESS-1 resolution {SCREEN[0]}x{SCREEN[1]}\nbar swaybar_command {' '.join(PANELS['waybar'](self.theme, self.home))}\n")
            self.env.update(WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
            subprocess.run(["chown", "-R", "65534:65534", self.home], check=True)
            self.spawn(self.user + ["sway", "-c", f"{self.home}/sway.conf"], log="panel.log")
            sock = self.wait(lambda: [f for f in os.listdir(f"{self.home}/run") if f.startswith("wayland-")
                                      and not f.endswith(".lock")])
            self.env.update(WAYLAND_DISPLAY=sock[0], QT_QPA_PLATFORM="wayland")
            self.env["SWAYSOCK"] = self.wait(lambda: next((f"{self.home}/run/{f}" for f in
                                                          os.listdir(f"{self.home}/run") if f.startswith("sway-ipc")), None))
        else:
            r, w = os.pipe()
            self.spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                        "-nolisten", "tcp"], pass_fds=(w,))
            os.close(w)
            self.env["DISPLAY"] = ":" + os.read(r, 16).decode().strip()
            self.env["QT_QPA_PLATFORM"] = "xcb"
            self.spawn(PANELS[self.panel](self.theme, self.home), log="panel.log")
        self.network()

    def start_gnome(self):
        # The shell asks logind for the session on the system bus: a mock on a bus of our own.
        system = subprocess.Popen(self.user + ["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                               f"--address=unix:path={self.home}/system"], env=self.env,
                                  stdout=subprocess.PIPE)
        self.procs.append(system)
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = system.stdout.readline().decode().strip()
        self.spawn(self.user + ["python3", "-m", "dbusmock", "--system", "--template", "logind"])
        for command in gnome(self.theme, self.home):
            subprocess.run(["chown", "-R", "65534:65534", self.home], check=True)
            self.run(self.user + command)
        self.spawn(self.user + ["gnome-shell", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                                f"{SCREEN[0]}x{SCREEN[1]}"], log="panel.log")
        self.env.update(WAYLAND_DISPLAY="wayland-0", QT_QPA_PLATFORM="wayland")
        self.wait(lambda: os.path.exists(f"{self.home}/run/wayland-0"), 30)
        self.wait(lambda: self.shell("1") == 1, 30)

    def shell(self, script):
        out = self.run(self.user + ["gdbus", "call", "--session", "--dest", "org.gnome.Shell", "--object-path",
                                    "/org/gnome/Shell", "--method", "org.gnome.Shell.Eval", script]).stdout
        m = re.match(r"\(true, '(.*)'\)", out.strip())
        if not m:
            return None
        # Eval answers with JSON of the result; a JSON text made in the shell comes back quoted.
        value = json.loads(m[1])
        return json.loads(value) if isinstance(value, str) and value[:1] in "[{" else value

    def network(self):
        ip = lambda *a: subprocess.run(["ip", *a], check=True, capture_output=True)
        ip("netns", "add", self.ns)
        ip("link", "add", self.link, "netns", self.ns, "type", "veth", "peer", "name", self.link + "p")
        ip("addr", "add", f"{self.net}.2/24", "dev", self.link + "p")
        ip("link", "set", self.link + "p", "up")
        ip("-n", self.ns, "addr", "add", f"{self.net}.1/24", "dev", self.link)
        ip("-n", self.ns, "link", "set", self.link, "up")
        # The sampler counts wired cards only: in the namespace's sysfs the veth becomes one.
        self.fake = f"{self.home}/sysnet"
        os.makedirs(f"{self.fake}/device")
        for name, text in (("type", "1"), ("ifindex", "2"), ("uevent", f"INTERFACE={self.link}")):
            with open(f"{self.fake}/{name}", "w") as f:
                f.write(text + "\n")
        # UDP both ways, paced: no acknowledgements to blur the two directions.
        pace = ("import socket,sys,time\ns=socket.socket(socket.AF_INET,socket.SOCK_DGRAM)\n"
                "base=int(sys.argv[2]);vary=sys.argv[3]=='1';chunk=b'x'*1000;t0=time.monotonic();cur=-1\n"
                "while True:\n now=time.monotonic();sec=int(now-t0)\n"
                " if sec!=cur: cur=sec;t=now;n=0;rate=base*(1+sec*7%11)//4 if vary else base\n"
                " s.sendto(chunk,(sys.argv[1],47900));n+=1028\n"
                " d=n/rate-(time.monotonic()-t)\n if d>0: time.sleep(d)\n")
        sink = ("import socket\ns=socket.socket(socket.AF_INET,socket.SOCK_DGRAM)\n"
                "s.bind(('0.0.0.0',47900))\nwhile True: s.recv(4096)\n")
        self.spawn(["ip", "netns", "exec", self.ns, "python3", "-c", sink])
        self.spawn(["python3", "-c", sink])
        vary = "1" if VARYING else "0"
        self.spawn(["python3", "-c", pace, f"{self.net}.1", str(DOWN_RATE), vary])
        self.spawn(["ip", "netns", "exec", self.ns, "python3", "-c", pace, f"{self.net}.2", str(UP_RATE), vary])

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
    def screenshot(self, path):
        if self.gnome:
            shot = f"{self.home}/gnome-shot.png"
            self.run(self.user + ["gdbus", "call", "--session", "--dest", "org.gnome.Shell.Screenshot", "--object-path",
                                  "/org/gnome/Shell/Screenshot", "--method", "org.gnome.Shell.Screenshot.Screenshot",
                                  "false", "false", shot])
            shutil.copy(shot, path)
        elif self.wayland:
            self.run(["grim", path])
        else:
            self.run(["import", "-window", "root", path])
        return path

    def panel_item(self):
        """The item's box in the panel strip: what differs from the strip's own colour."""
        if self.gnome:
            # The top bar holds more than the tray; the shell says where the indicator is.
            box = self.shell("JSON.stringify(Object.keys(Main.panel.statusArea).filter(k => k.startsWith("
                             "'appindicator')).map(k => Main.panel.statusArea[k]).map(a => "
                             "[...a.get_transformed_position(), ...a.get_transformed_size()].map(Math.round)))")
            return tuple(box[-1]) if box else None
        shot = self.screenshot(f"{self.home}/strip.png")
        out = self.run(["convert", shot, "-crop", f"{SCREEN[0]}x{TOP}+0+0", "+repage", "txt:-"]).stdout
        pixels = {}
        for m in re.finditer(r"^(\d+),(\d+): \(\s*([\d.]+),\s*([\d.]+),\s*([\d.]+)", out, re.M):
            pixels[(int(m[1]), int(m[2]))] = tuple(float(v) for v in m.group(3, 4, 5))
        if not pixels:
            return None
        colours = {}
        for c in pixels.values():
            colours[c] = colours.get(c, 0) + 1
        back = max(colours, key=colours.get)
        scale = 255 if max(back) <= 255 else 65535
        # The tray is the panel's only plug-in: anything else in the strip is the item.
        odd = [p for p, c in pixels.items() if max(abs(a - b) for a, b in zip(c, back)) > 0.03 * scale]
        if len(odd) < 30:
            return None
        xs, ys = [p[0] for p in odd], [p[1] for p in odd]
        return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1

    def ocr(self, box, name):
        """The item's text, from the text part (right of the markers) enlarged to a few sizes."""
        x, y, w, h = box
        if self.gnome:
            # GNOME draws the picture at 16 pixels beside the label, which carries the exact
            # rates: the label is what is read there.
            x, w = x + h, w - h
        else:
            w = min(w, h)  # the picture, without a label beside it
            x, w = x + w // 4, w - w // 4
        shot = self.screenshot(f"{self.home}/ocr.png")
        texts = []
        for scale in ("600%", "400%", "800%"):
            big = f"{self.home}/{name}"
            self.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-colorspace",
                      "gray", "-resize", scale, "-normalize", big])
            if float(self.run(["convert", big, "-format", "%[fx:mean]", "info:"]).stdout or 1) < 0.5:
                self.run(["convert", big, "-negate", big])
            self.run(["convert", big, "-bordercolor", "white", "-border", "40", big])
            texts.append(self.run(["tesseract", big, "stdout", "--psm", "6", "-c",
                                   "tessedit_char_whitelist=0123456789.KMGb/s "]).stdout)
            if len(re.findall(r"\d\s?[KMG]", texts[-1])) == 2:
                break
        return texts[-1]

    def click(self, x, y):
        if not self.wayland:
            self.run(["xdotool", "mousemove", str(x), str(y), "click", "1"])
            return True
        # Headless compositors have no pointer, and Debian ships no virtual-pointer client: on the item,
        # the click is what waybar sends for one; elsewhere there is nothing to click with.
        if y > TOP:
            return False
        self.run(self.user + ["dbus-send", "--print-reply", "--session", f"--dest=org.kde.StatusNotifierItem-{self.tavlo.pid}-1",
                              "/StatusNotifierItem", "org.kde.StatusNotifierItem.Activate", f"int32:{x}", f"int32:{y}"])
        return True

    def dashboard(self):
        if self.gnome:
            found = self.shell("JSON.stringify(global.get_window_actors().map(a => a.meta_window).filter(w => "
                               "w.get_title() == 'Tavlo' && w.showing_on_its_workspace()).map(w => { const r = "
                               "w.get_frame_rect(); return [r.x, r.y, r.width, r.height]; }))")
            return tuple(found[0]) if found and found[0][2] > 0 else None
        if self.wayland:
            nodes = [json.loads(self.run(["swaymsg", "-t", "get_tree"]).stdout or "{}")]
            while nodes:
                node = nodes.pop()
                if node.get("name") == "Tavlo" and node.get("visible"):
                    r = node["rect"]
                    return r["x"], r["y"], r["width"], r["height"]
                nodes += node.get("nodes", []) + node.get("floating_nodes", [])
            return None
        ids = self.run(["xdotool", "search", "--onlyvisible", "--name", "^Tavlo$"]).stdout.split()
        if not ids:
            return None
        g = self.run(["xdotool", "getwindowgeometry", "--shell", ids[0]]).stdout
        v = dict(l.split("=") for l in g.split())
        return int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"])

    # The checks.
    def test(self):
        self.start()
        time.sleep(1.5)  # the panel's first layout
        self.start_tavlo()
        box = self.wait(self.panel_item, 25)
        self.check("item shown", box is not None, str(box))
        if not box:
            return
        time.sleep(3)  # rates after the second tick, then steady
        box = self.panel_item() or box
        before, t0 = self.counters(), time.monotonic()
        text = self.ocr(box, f"ocr-{self.theme}.png")
        after, t1 = self.counters(), time.monotonic()
        down, up = [(b - a) / (t1 - t0) for a, b in zip(before, after)]
        self.check("legible", legible(text, up, down), f"OCR {text.split()} true up {up:.0f} B/s down {down:.0f} B/s")
        if self.args.shots:
            x, y, w, h = box
            out = f"{self.args.shots}/{self.panel}-{self.theme}.png"
            width = max(120, w + 20)
            left = max(0, min(SCREEN[0] - width, x + w // 2 - width // 2))
            self.run(["convert", self.screenshot(f"{self.home}/s.png"), "-crop", f"{width}x{TOP}+{left}+0",
                      "+repage", "-filter", "point", "-resize", "400%", out])
        cx, cy = x0, y0 = box[0] + box[2] // 2, box[1] + box[3] // 2
        self.click(cx, cy)
        window = self.wait(self.dashboard, 10)
        placed = window is not None and abs(window[1] - TOP) <= 12 and window[0] <= cx <= window[0] + window[2]
        self.check("click opens it against the item", placed or (self.wayland and window is not None),
                   f"item {box} dashboard {window}")
        time.sleep(0.6)
        self.click(x0, y0)
        self.check("second click closes", self.wait(lambda: self.dashboard() is None, 5) is not None)
        time.sleep(0.6)
        self.click(x0, y0)
        opened = self.wait(self.dashboard, 10) is not None
        time.sleep(0.6)
        if self.click(SCREEN[0] // 2, SCREEN[1] - 50):
            self.check("outside click closes", opened and self.wait(lambda: self.dashboard() is None, 5) is not None)
        else:
            print(f"{self.panel}/{self.theme}: n/a  outside click (no pointer in a headless compositor)")
        icons = [f for f in os.listdir(f"{self.home}/run") if f.startswith("tavlo-icons")]
        self.tavlo.send_signal(signal.SIGTERM)
        status = self.tavlo.wait(10)
        left = [f for f in os.listdir(f"{self.home}/run") if f.startswith("tavlo-icons")]
        self.check("SIGTERM ends with status 0, icons removed", status == 0 and not left, f"status {status} {icons}")
        time.sleep(0.5)
        self.logs()

    def logs(self):
        with open(f"{self.home}/tavlo.log", errors="replace") as f:
            own = [l.strip() for l in f if l.strip()]
        with open(f"{self.home}/panel.log", errors="replace") as f:
            panel = [l.strip() for l in f if PANEL_NOISE.search(l.replace(self.home, "")) and PANEL_TROUBLE.search(l)]
        self.check("no log lines about the item", not own and not panel, " | ".join(own + panel)[:600])

    def stop(self):
        for p in reversed(self.procs):
            if p.poll() is None:
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


def compact(rate):
    """The compact text the item shows for a rate in bytes per second."""
    for unit, size in (("G", 1 << 30), ("M", 1 << 20), ("K", 1 << 10)):
        if rate >= 1000 * size / 1024:
            return rate / size, unit
    return rate, ""


def legible(text, up, down):
    found = re.findall(r"(\d+(?:[.,]\d)?)\s*([KMG])", text.replace("O", "0"))
    if len(found) != 2:
        return False
    for (number, unit), rate in zip(found, (up, down)):
        value, want = compact(rate)
        # The picture shows whole numbers.
        if unit != want or abs(float(number.replace(",", ".")) - value) > max(0.15 * value, 0.6):
            return False
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("panel", choices=sorted(PANELS))
    parser.add_argument("--app", required=True)
    parser.add_argument("--shots")
    parser.add_argument("--themes", default="light,dark")
    args = parser.parse_args()
    missing = [p for p in PROGRAMS[args.panel] + ["tesseract", "convert", "ip", "dbus-daemon"]
               + ([] if args.panel in ("waybar", "gnome") else ["Xvfb", "xdotool"]) if not shutil.which(p)]
    if missing or os.geteuid() != 0:
        print(f"skipped: {'needs root' if not missing else 'not installed: ' + ' '.join(missing)}")
        return 77
    if args.shots:
        os.makedirs(args.shots, exist_ok=True)
    ok = True
    for theme in args.themes.split(","):
        session = Session(args, theme)
        try:
            session.test()
        finally:
            session.stop()
        ok = ok and bool(session.results) and all(session.results)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
