#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A stand-in for the desktop portal's Settings interface on a private session bus.
#   mock_portal.py <initial color-scheme>
# It answers Read for org.freedesktop.appearance color-scheme the way portal versions before 2 do
# (a variant inside a variant), and org.tavlo.Test.SetScheme(u) changes the value and emits
# SettingChanged. Prints "ready" once it owns its name.
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

SETTINGS = "org.freedesktop.portal.Settings"


class Portal(dbus.service.Object):
    def __init__(self, bus, scheme):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.scheme = scheme

    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, group, key):
        if (group, key) != ("org.freedesktop.appearance", "color-scheme"):
            raise dbus.exceptions.DBusException("no such setting", name="org.freedesktop.portal.Error.NotFound")
        return dbus.UInt32(self.scheme, variant_level=1)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, group, key, value):
        pass

    @dbus.service.method("org.tavlo.Test", in_signature="u")
    def SetScheme(self, scheme):
        self.scheme = scheme
        self.SettingChanged("org.freedesktop.appearance", "color-scheme", dbus.UInt32(scheme))


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
    portal = Portal(bus, int(sys.argv[1]))
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, portal


if __name__ == "__main__":
    main()
