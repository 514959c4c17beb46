"""A minimal StatusNotifierWatcher for the tests: it reports a host as present (as KDE Plasma and
GNOME's tray extension do), so Qt shows its tray icon as a StatusNotifierItem, and it lists the
items that register. Run with Debian's /usr/bin/python3 (python3-gi)."""

from gi.repository import Gio, GLib

NAME = "org.kde.StatusNotifierWatcher"
PATH = "/StatusNotifierWatcher"
INTERFACE = Gio.DBusNodeInfo.new_for_xml(f"""
<node><interface name="{NAME}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>""").interfaces[0]

items = []


def call(connection, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        (service,) = parameters.unpack()
        # An item names its bus name, or only its object path on the caller's connection.
        item = sender + service if service.startswith("/") else service
        items.append(item)
        connection.emit_signal(None, PATH, NAME, "StatusNotifierItemRegistered",
                               GLib.Variant("(s)", (item,)))
    invocation.return_value(None)


def get_property(connection, sender, path, interface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", items),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0)}[name]


def bus_acquired(connection, name):
    connection.register_object(PATH, INTERFACE, call, get_property, None)


loop = GLib.MainLoop()
Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, bus_acquired, None,
                 lambda *_: loop.quit())
loop.run()
