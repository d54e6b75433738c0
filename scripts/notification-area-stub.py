#!/usr/bin/python3
"""A stand-in notification area on the session bus, for measuring the program hidden in the tray
on a desktop-less machine.

It registers org.kde.StatusNotifierWatcher with a host, so Qt shows the program's tray icon
through it. When an icon registers, it writes "registered <service>" to standard output, and
after --activate-after seconds activates the icon once, as a click on it would (the program
then hides its window to the tray). Runs until terminated.

    notification-area-stub.py [--activate-after SECONDS]
"""
import argparse
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, activate_after):
        super().__init__(bus, "/StatusNotifierWatcher")
        self._bus = bus
        self._items = []
        self._activate_after = activate_after

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = "/StatusNotifierItem"
        if service.startswith("/"):
            service, path = sender, service
        self._items.append(service)
        self.StatusNotifierItemRegistered(service)
        print("registered", service, flush=True)
        if self._activate_after >= 0:
            GLib.timeout_add(int(self._activate_after * 1000), self._activate, service, path)

    def _activate(self, service, path):
        try:
            item = self._bus.get_object(service, path)
            item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)
            print("activated", service, flush=True)
        except dbus.DBusException as error:
            print("activation failed:", error, file=sys.stderr, flush=True)
        return False

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    # Qt reads the properties through an interface built from this description.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface != WATCHER:
            return {}
        return {
            "IsStatusNotifierHostRegistered": True,
            "ProtocolVersion": dbus.Int32(0),
            "RegisteredStatusNotifierItems": dbus.Array(self._items, signature="s"),
        }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--activate-after", type=float, default=-1)
    args = parser.parse_args()
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    watcher = Watcher(bus, args.activate_after)
    print("watching", flush=True)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()
    del watcher, name


if __name__ == "__main__":
    main()
