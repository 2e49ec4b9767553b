# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
"""A stand-in for the XDG desktop portal's Settings interface, on the session
bus of DBUS_SESSION_BUS_ADDRESS, answering org.freedesktop.appearance
color-scheme as told.

Usage: portal_stand_in.py MODE
MODE: dark (1), light (0), prefer-light (2), unknown (7), wrong-type (the
int32 1), silent (never answers), read-only (an older portal: ReadOne is
unknown, Read answers 1 inside two variants).
Prints "ready" once it owns the portal's name.
"""
import sys

from gi.repository import Gio, GLib

INTERFACE = """
<node>
  <interface name="org.freedesktop.portal.Settings">
    <method name="Read">
      <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <method name="ReadOne">
      <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <signal name="SettingChanged">
      <arg type="s" name="namespace"/><arg type="s" name="key"/><arg type="v" name="value"/>
    </signal>
  </interface>
</node>
"""
ANSWERS = {
    "dark": GLib.Variant("u", 1),
    "light": GLib.Variant("u", 0),
    "prefer-light": GLib.Variant("u", 2),
    "unknown": GLib.Variant("u", 7),
    "wrong-type": GLib.Variant("i", 1),
}
mode = sys.argv[1]
held = []  # the calls a silent portal never answers


def on_call(connection, sender, path, interface, method, parameters, invocation):
    if tuple(parameters.unpack()) != ("org.freedesktop.appearance", "color-scheme"):
        invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound", "Requested setting not found")
    elif mode == "silent":
        held.append(invocation)
    elif mode == "read-only" and method == "ReadOne":
        invocation.return_dbus_error("org.freedesktop.DBus.Error.UnknownMethod", "No such method ReadOne")
    elif mode == "read-only":
        invocation.return_value(GLib.Variant("(v)", (GLib.Variant("v", GLib.Variant("u", 1)),)))
    else:
        invocation.return_value(GLib.Variant("(v)", (ANSWERS[mode],)))


def on_bus(connection, name):
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    connection.register_object("/org/freedesktop/portal/desktop", node.interfaces[0], on_call, None, None)


def on_name(connection, name):
    print("ready", flush=True)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                 on_bus, on_name, lambda *_: sys.exit("lost the portal's name"))
GLib.MainLoop().run()
