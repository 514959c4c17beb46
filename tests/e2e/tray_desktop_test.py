"""The resident program on a desktop as users have it: a tray shown through StatusNotifierItem
(KDE Plasma, GNOME with its tray extension), and a bar whose stored place lies off the screen.
Run with Debian's /usr/bin/python3, which has the gi module."""

import os
import sys
import unittest

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.dirname(__file__))
from bar_test import PlainWindow, send_delete_window  # noqa: E402
from harness import BUILD_DIR, Session, main, wait_exit, wait_for  # noqa: E402

WATCHER = os.path.join(os.path.dirname(__file__), "sni_watcher.py")


class DesktopSession(Session):
    @property
    def env(self):
        # The build's icon folder as the desktop's theme: the icon is then found by its name.
        env = super().env
        env["XDG_DATA_DIRS"] = os.pathsep.join([BUILD_DIR, "/usr/local/share", "/usr/share"])
        return env

    def connect_bus(self):
        self.connection = Gio.DBusConnection.new_for_address_sync(
            self.bus_address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def call(self, name, path, interface, method, args=None, reply=None):
        return self.connection.call_sync(name, path, interface, method, args,
                                         GLib.VariantType(reply) if reply else None,
                                         Gio.DBusCallFlags.NONE, 10000, None).unpack()

    def prop(self, name, path, interface, key):
        return self.call(name, path, "org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", (interface, key)), "(v)")[0]

    def start_watcher(self):
        self.spawn([sys.executable, WATCHER])
        self.connect_bus()
        wait_for(lambda: self.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus", "NameHasOwner",
                                   GLib.Variant("(s)", ("org.kde.StatusNotifierWatcher",)),
                                   "(b)")[0], what="the watcher on the bus")

    def registered_items(self):
        return self.prop("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                         "org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")

    def bar(self, process):
        return wait_for(lambda: next((w for w in self.visible_windows(process)
                                      if self.geometry(w)[2] > 64), None), what="the bar")

    def window_sizes(self, pid):
        """Sizes of the process's mapped windows; one that goes away meanwhile is left out."""
        sizes = []
        out = self._run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)]).stdout
        for window in map(int, out.split()):
            try:
                sizes.append(self.geometry(window)[2:])
            except KeyError:
                pass
        return sizes

    def frame_extents(self, window):
        """(left, right, top, bottom) of the window manager's frame around the window."""
        out = self._run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"]).stdout
        if "=" not in out:
            return None
        return tuple(int(v) for v in out.split("=")[1].split(","))


def labels(layout):
    """Every label of a com.canonical.dbusmenu layout (id, properties, children)."""
    _, properties, children = layout
    found = [properties["label"]] if "label" in properties else []
    for child in children:
        found += labels(child)
    return found


def item_with_label(layout, label):
    node_id, properties, children = layout
    if properties.get("label") == label:
        return node_id
    for child in children:
        found = item_with_label(child, label)
        if found is not None:
            return found
    return None


class StatusNotifierTest(unittest.TestCase):
    def test_icon_registers_exports_its_menu_and_a_second_start_shows_the_bar(self):
        with DesktopSession() as s:
            s.start_watcher()
            resident = s.rumo()
            item = wait_for(lambda: s.registered_items(), what="the icon registered")[0]
            service, _, path = item.partition("/")
            path = "/" + path if path else "/StatusNotifierItem"
            iface = "org.kde.StatusNotifierItem"
            self.assertEqual(s.prop(service, path, iface, "ToolTip")[2], "RUMO?")
            # Named by its theme name, so the desktop draws it at the size it needs.
            self.assertEqual(s.prop(service, path, iface, "IconName"), "rumo")
            menu = s.prop(service, path, iface, "Menu")
            self.assertNotEqual(menu, "/NO_DBUSMENU")

            dbusmenu = "com.canonical.dbusmenu"
            s.call(service, menu, dbusmenu, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)")
            layout = wait_for(lambda: (lambda l: l if "RUMO?の終了" in labels(l) else None)(
                s.call(service, menu, dbusmenu, "GetLayout", GLib.Variant("(iias)", (0, -1, [])),
                       "(u(ia{sv}av))")[1]), what="the exported menu")
            # What a double click and the left button give elsewhere comes first.
            top = [properties.get("label") for _, properties, _ in layout[2]]
            self.assertEqual([label for label in top if label][:3], ["バーを表示", "行先", "RUMO?の起動"])
            self.assertIn("ﾌﾟﾛﾊﾟﾃｨ", labels(layout))
            # 行先 holds the return-time quick picks, as the left button's menu does elsewhere.
            destinations = next(c for c in layout[2] if c[1].get("label") == "行先")
            self.assertIn("30分後", labels(destinations))

            # The close box hides the bar; with no double click on such desktops, starting the
            # program again is the way back.
            bar = s.bar(resident)
            send_delete_window(s.display, bar)
            wait_for(lambda: bar not in s.visible_windows(resident), what="the bar hidden")
            self.assertEqual(wait_exit(s.rumo()), 0)
            wait_for(lambda: bar in s.visible_windows(resident), what="the bar shown again")
            wait_for(lambda: s.active_window() == bar, what="the bar in front")

            # The exported menu's items work: "RUMO?の終了" ends the program.
            exit_id = item_with_label(layout, "RUMO?の終了")
            s.call(service, menu, dbusmenu, "Event",
                   GLib.Variant("(isvu)", (exit_id, "clicked", GLib.Variant("i", 0), 0)))
            self.assertEqual(wait_exit(resident), 0)


def ids(layout):
    """(id, label) of every item of a layout, in order."""
    node_id, properties, children = layout
    found = [(node_id, properties.get("label"))]
    for child in children:
        found += ids(child)
    return found


class ExportedMenuProtocolTest(unittest.TestCase):
    def test_opening_the_menu_changes_nothing_a_desktop_reads(self):
        with DesktopSession() as s:
            s.start_watcher()
            s.set("Config", "Place1", "会議室")
            s.rumo()
            item = wait_for(lambda: s.registered_items(), what="the icon registered")[0]
            service, _, path = item.partition("/")
            path = "/" + path if path else "/StatusNotifierItem"
            menu = s.prop(service, path, "org.kde.StatusNotifierItem", "Menu")
            dbusmenu = "com.canonical.dbusmenu"
            layout = lambda: s.call(service, menu, dbusmenu, "GetLayout",  # noqa: E731
                                    GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")
            wait_for(lambda: "RUMO?の終了" in labels(layout()[1]), what="the exported menu")

            changes = []
            for signal in ("LayoutUpdated", "ItemsPropertiesUpdated"):
                s.connection.signal_subscribe(service, dbusmenu, signal, menu, None,
                                              Gio.DBusSignalFlags.NONE,
                                              lambda *args: changes.append(args[4]), None)
            # What a panel does on a click: announce the opening, then read the layout.
            for _ in range(3):
                s.call(service, menu, dbusmenu, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)")
                first, second = layout(), layout()
                self.assertEqual(ids(first[1]), ids(second[1]))
                self.assertEqual(first[0], second[0])  # the revision
            # A call answered after them orders any signal sent meanwhile before its reply.
            layout()
            context = GLib.MainContext.default()
            while context.iteration(False):
                pass
            self.assertEqual(changes, [])


class MenuActionTest(unittest.TestCase):
    def test_choosing_the_destination_stores_it_and_starts_the_notice(self):
        with DesktopSession() as s:
            s.set("Config", "Place1", "会議室")
            s.set("Config", "Where", "会議室")
            asking = s.rumo("--ask-where")
            window = s.wait_window(asking, what="the window asking where")
            x, y, width, height = s.geometry(window)
            s.xdotool("mousemove", x + width // 2, y + height // 2)
            # The stored destination is offered, selected; typing replaces it.
            s.xdotool("windowactivate", "--sync", window)
            s.xdotool("type", "--delay", 30, "lunch")
            s.xdotool("key", "Return")
            wait_for(lambda: s.get("Config", "Where") == "lunch", what="Where written")
            # The notice is a process of its own, as when the bar starts it.
            notice = wait_for(lambda: s.session_processes(
                lambda cmdline: cmdline[1:] == [b"-s"]), what="the notice started")[0]
            wait_for(lambda: (1024, 768) in s.window_sizes(notice), what="the notice shown")
            self.assertEqual(wait_exit(asking), 0)


class PlacementTest(unittest.TestCase):
    def test_a_stored_place_off_the_screen_shows_the_bar_wholly_inside(self):
        with DesktopSession(size="1024x768") as s:
            s.set("Config", "Left", 5000)
            s.set("Config", "Top", 5000)
            resident = s.rumo()
            bar = s.bar(resident)

            def inside():
                x, y, width, height = s.geometry(bar)
                extents = s.frame_extents(bar)
                if extents is None:
                    return False
                left, right, top, bottom = extents
                return (x - left >= 0 and y - top >= 0 and x + width + right <= 1024
                        and y + height + bottom <= 768)
            wait_for(inside, what="the bar and its frame inside the screen")
            # Nothing was moved by the user: the stored place stays as it was.
            self.assertEqual((s.get("Config", "Left"), s.get("Config", "Top")), ("5000", "5000"))

    def test_a_bottom_panel_keeps_the_whole_bar_above_it_and_the_bar_is_a_tool_window(self):
        with DesktopSession(size="1440x900", tray=True) as s:
            # A panel reserves the bottom 32 pixels of the 900: the work area ends at 868.
            with PlainWindow(s.display, 0, 868, 1440, 32, strut=32):
                work_area = lambda: s._run(["xprop", "-root", "_NET_WORKAREA"]).stdout
                wait_for(lambda: "0, 0, 1440, 868" in work_area(), what="the panel's strut")
                s.set("Config", "Left", 100)
                s.set("Config", "Top", 842)
                bar = s.bar(s.rumo())

                def above_the_panel():
                    x, y, width, height = s.geometry(bar)
                    extents = s.frame_extents(bar)
                    return extents is not None and y + height + extents[3] <= 868 and \
                        y - extents[2] >= 0
                wait_for(above_the_panel, what="the bar's frame above the panel")
                self.assertEqual((s.get("Config", "Left"), s.get("Config", "Top")), ("100", "842"))
                # Only the close box, its icon being in the tray: neither maximising nor iconifying.
                actions = s._run(["xprop", "-id", str(bar), "_NET_WM_ALLOWED_ACTIONS"]).stdout
                self.assertIn("_NET_WM_ACTION_CLOSE", actions)
                for action in ("MAXIMIZE_HORZ", "MAXIMIZE_VERT", "MINIMIZE", "RESIZE"):
                    self.assertNotIn("_NET_WM_ACTION_" + action, actions)


if __name__ == "__main__":
    main()
