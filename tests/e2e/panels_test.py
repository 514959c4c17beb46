"""The icon and the bar on the panels users have, started here as they ship: lxqt-panel (LXQt,
whose menu importer is as strict as KDE Plasma's) and xfce4-panel (Xfce), both showing the icon
through StatusNotifierItem. Run with Debian's /usr/bin/python3, which has the gi module."""

import os
import shutil
import sys
import unittest

from gi.repository import GLib

sys.path.insert(0, os.path.dirname(__file__))
from bar_test import send_delete_window  # noqa: E402
from harness import main, wait_exit, wait_for  # noqa: E402
from tray_desktop_test import DesktopSession, item_with_label  # noqa: E402

LXQT_PANEL = """[General]
__userfile__=true
panels=panel1
[panel1]
plugins=taskbar,statusnotifier
position=Bottom
desktop=0
[taskbar]
type=taskbar
[statusnotifier]
alignment=Right
type=statusnotifier
"""

XFCE_PANEL = """<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=10;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
"""


class PanelSession(DesktopSession):
    def start_panel(self, program):
        """Starts the panel with a bottom panel of its own holding the notification area."""
        if program == "lxqt-panel":
            folder = os.path.join(self.root, "config", "lxqt")
            os.makedirs(folder)
            with open(os.path.join(folder, "panel.conf"), "w") as f:
                f.write(LXQT_PANEL)
        else:
            folder = os.path.join(self.root, "config", "xfce4", "xfconf", "xfce-perchannel-xml")
            os.makedirs(folder)
            with open(os.path.join(folder, "xfce4-panel.xml"), "w") as f:
                f.write(XFCE_PANEL)
        self.panel = self.spawn([program])
        self.connect_bus()
        wait_for(lambda: self.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus", "NameHasOwner",
                                   GLib.Variant("(s)", ("org.kde.StatusNotifierWatcher",)),
                                   "(b)")[0], what=f"{program}'s notification area")
        return wait_for(lambda: self.panel_window(), what=f"{program} shown")

    def panel_window(self):
        for window in self.visible_windows(self.panel):
            x, y, width, height = self.geometry(window)
            if width > 500:
                return (x, y, width, height)
        return None

    def popups(self, resident):
        """The mapped windows that are not the program's: a menu the panel draws is a new one
        (Xfce's plugins are processes of their own, so its owner need not be the panel)."""
        everything = self._run(["xdotool", "search", "--onlyvisible", "--class", ""]).stdout
        return set(map(int, everything.split())) - set(self.visible_windows(resident))

    def open_icon_menu(self, resident, at):
        before = self.popups(resident)
        self.xdotool("mousemove", *at, "click", 3)
        # The icon's tooltip is a new window too, one line high; the menu has eight lines. A
        # panel that cannot read the menu maps an empty window it never draws.
        wait_for(lambda: [w for w in self.popups(resident) - before if self.drawn_menu(w)],
                 what="the icon's menu drawn by the panel")

    def drawn_menu(self, window):
        try:
            x, y, width, height = self.geometry(window)
        except KeyError:  # gone meanwhile
            return False
        if height < 100:
            return False
        shot = self.screenshot(os.path.join(self.root, "menu.png"))
        # Inside the right margin, clear of the items' texts and arrows: the menu's background.
        return sum(self.pixel(shot, x + width - 4, y + height // 2)) > 3 * 128

    def exported_menu(self):
        item = wait_for(lambda: self.registered_items(), what="the icon registered")[0]
        service, _, path = item.partition("/")
        path = "/" + path if path else "/StatusNotifierItem"
        menu = self.prop(service, path, "org.kde.StatusNotifierItem", "Menu")
        return service, menu

    def layout(self, service, menu):
        return self.call(service, menu, "com.canonical.dbusmenu", "GetLayout",
                         GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]


def destinations(layout):
    """(label, ticked) of each destination of the exported 行先 submenu (the items before the
    separator; the return time's choices follow it)."""
    for node_id, properties, children in layout[2]:
        if properties.get("label") == "行先":
            items = []
            for _, p, _ in children:
                if p.get("type") == "separator":
                    break
                items.append((p.get("label"), p.get("toggle-state", 0) == 1))
            return items
    return None


def needs(program):
    return unittest.skipUnless(shutil.which(program),
                               f"{program} is not installed (scripts/install-deps.sh installs it)")


class LxqtPanelTest(unittest.TestCase):
    @needs("lxqt-panel")
    def test_the_right_click_menu_opens_and_follows_where_set_elsewhere(self):
        with PanelSession() as s:
            x, y, width, height = s.start_panel("lxqt-panel")
            s.set("Config", "Place1", "会議室")
            resident = s.rumo()
            bar = s.bar(resident)
            # A tool window: no button in the panel's task bar.
            self.assertIn("_NET_WM_STATE_SKIP_TASKBAR",
                          s._run(["xprop", "-id", str(bar), "_NET_WM_STATE"]).stdout)
            service, menu = s.exported_menu()
            # The statusnotifier area sits at the right end of this panel, our icon alone in it.
            s.open_icon_menu(resident, (x + width - height // 2, y + height // 2))
            s.xdotool("key", "Escape")

            # Another process sets a destination that is none of the places: the running bar's
            # menu shows it, ticked, with no opening needed.
            self.assertEqual(wait_exit(s.rumo("--where", "出張")), 0)
            wait_for(lambda: destinations(s.layout(service, menu)) ==
                     [("会議室", False), ("出張", True)], what="the destination set elsewhere")
            self.assertIsNone(resident.poll())


class XfcePanelTest(unittest.TestCase):
    @needs("xfce4-panel")
    def test_the_closed_bar_comes_back_from_the_icon(self):
        with PanelSession() as s:
            x, y, width, height = s.start_panel("xfce4-panel")
            s.set("Config", "Place1", "会議室")
            s.set("Config", "Where", "会議室")
            resident = s.rumo()
            bar = s.bar(resident)
            service, menu = s.exported_menu()
            self.assertEqual(destinations(s.layout(service, menu)), [("会議室", True)])
            icon = (x + height // 2, y + height // 2)  # the notification area alone, at the left

            # Through the menu's first item, "バーを表示".
            send_delete_window(s.display, bar)
            wait_for(lambda: bar not in s.visible_windows(resident), what="the bar hidden")
            s.open_icon_menu(resident, icon)
            s.xdotool("key", "Down", "Return")
            wait_for(lambda: bar in s.visible_windows(resident), what="the bar shown again")

            # Through the middle button.
            send_delete_window(s.display, bar)
            wait_for(lambda: bar not in s.visible_windows(resident), what="the bar hidden")
            s.xdotool("mousemove", *icon, "click", 2)
            wait_for(lambda: bar in s.visible_windows(resident), what="the bar shown again")

            # The exported menu's destination items choose the destination.
            s.set("Config", "Place2", "食堂")
            wait_for(lambda: destinations(s.layout(service, menu)) ==
                     [("会議室", True), ("食堂", False)], what="the new place in the menu")
            lunch = item_with_label(s.layout(service, menu), "食堂")
            s.call(service, menu, "com.canonical.dbusmenu", "Event",
                   GLib.Variant("(isvu)", (lunch, "clicked", GLib.Variant("i", 0), 0)))
            wait_for(lambda: s.get("Config", "Where") == "食堂", what="Where written")


if __name__ == "__main__":
    main()
