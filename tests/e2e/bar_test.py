"""The resident bar end to end: its notification icon, menus, notice launch, exit and position."""

import ctypes
import os
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import RUMO, Session, main, still_running_after, wait_exit, wait_for, xlib  # noqa: E402


def session_processes(session, argv):
    """Pids of this session's processes (detached ones too) whose command line is exactly argv."""
    wanted = [a.encode() for a in argv]
    return session.session_processes(lambda cmdline: cmdline == wanted)


def kill_all(pids):
    for pid in pids:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("message", _ClientMessage), ("pad", ctypes.c_long * 24)]


def send_delete_window(display, window):
    """Sends WM_DELETE_WINDOW, what a window manager sends when its close box is clicked."""
    x11 = xlib()
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    connection = x11.XOpenDisplay(display.encode())
    assert connection, "cannot open the display"
    try:
        event = _Event()
        event.message.type = 33  # ClientMessage
        event.message.window = window
        event.message.message_type = x11.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        event.message.format = 32
        event.message.data[0] = x11.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        event.message.data[1] = 0  # CurrentTime
        assert x11.XSendEvent(connection, window, 0, 0, ctypes.byref(event))
        x11.XFlush(connection)
    finally:
        x11.XCloseDisplay(connection)


class PlainWindow:
    """A window of the test's own, mapped until closed; with a strut, a panel along the bottom
    edge of the screen that reserves `strut` pixels of it, as desktops' panels do."""

    def __init__(self, display, x, y, width, height, strut=None):
        self.x11 = x11 = xlib()
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                        ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                        ctypes.c_void_p, ctypes.c_int]
        self.connection = x11.XOpenDisplay(display.encode())
        assert self.connection, "cannot open the display"
        self.window = x11.XCreateSimpleWindow(self.connection,
                                              x11.XDefaultRootWindow(self.connection),
                                              x, y, width, height, 0, 0, 0xFFFFFF)
        if strut is not None:
            atom = lambda name: x11.XInternAtom(self.connection, name, 0)
            dock = (ctypes.c_ulong * 1)(atom(b"_NET_WM_WINDOW_TYPE_DOCK"))
            x11.XChangeProperty(self.connection, self.window, atom(b"_NET_WM_WINDOW_TYPE"),
                                4, 32, 0, dock, 1)  # XA_ATOM, PropModeReplace
            # left, right, top, bottom, then the start and end of each along its edge
            reserved = (ctypes.c_ulong * 12)(0, 0, 0, strut, 0, 0, 0, 0, 0, 0, x, x + width - 1)
            x11.XChangeProperty(self.connection, self.window, atom(b"_NET_WM_STRUT_PARTIAL"),
                                6, 32, 0, reserved, 12)  # XA_CARDINAL
        x11.XMapWindow(self.connection, self.window)
        x11.XFlush(self.connection)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.x11.XCloseDisplay(self.connection)


class BarSession(Session):
    def icon(self, process):
        """The notification icon: the process's small window inside trayer at the bottom."""
        def find():
            for window in self.visible_windows(process):
                x, y, width, height = self.geometry(window)
                if y > 700 and width <= 64:
                    return (window, x + width // 2, y + height // 2)
            return None
        return wait_for(find, what="the notification icon")

    def bar(self, process):
        """The bar: the process's wide window (the icon is small, and may show before it docks)."""
        def find():
            for window in self.visible_windows(process):
                if self.geometry(window)[2] > 64:
                    return window
            return None
        return wait_for(find, what="the destination bar")

    def close_box(self, window):
        """Asks the window to close, as the window manager does for its close box."""
        send_delete_window(self.display, window)

    def open_menu(self, process, button):
        _, x, y = self.icon(process)
        before = set(self.visible_windows(process))
        self.xdotool("mousemove", x, y, "click", button)
        return wait_for(lambda: set(self.visible_windows(process)) - before,
                        what="a popup menu")


class IconTest(unittest.TestCase):
    def test_left_click_menu_chooses_the_destination(self):
        with BarSession(tray=True) as s:
            s.set("Config", "Place1", "会議室")
            s.set("Config", "Place3", "外出中  ")
            resident = s.rumo()
            s.bar(resident)
            s.open_menu(resident, 1)
            # The second item is Place3's, shown trimmed; choosing it writes the stored text.
            s.xdotool("key", "Down", "Down", "Return")
            wait_for(lambda: s.get("Config", "Where") == "外出中  ", what="Where written")
            self.assertIsNone(resident.poll())

    def test_right_click_on_the_destination_list_opens_the_main_menu(self):
        with BarSession(tray=True) as s:
            resident = s.rumo()
            bar = s.bar(resident)
            x, y, w, h = s.geometry(bar)
            before = set(s.visible_windows(resident))
            # The list covers most of the bar; a right click on it is one on the bar.
            s.xdotool("mousemove", x + w // 3, y + h - 4, "click", 3)
            wait_for(lambda: set(s.visible_windows(resident)) - before, what="the main menu")
            s.xdotool("key", "Up", "Return")  # the last item, "RUMO?の終了"
            wait_exit(resident)

    def test_main_menu_starts_the_notice_as_a_separate_process(self):
        with BarSession(tray=True) as s:
            resident = s.rumo()
            s.bar(resident)
            notice = []
            try:
                s.open_menu(resident, 3)
                s.xdotool("key", "Down", "Return")  # "RUMO?の起動"
                notice = wait_for(lambda: session_processes(s, [RUMO, "-s"]),
                                  what="the notice process")
                self.assertIsNone(resident.poll())
            finally:
                kill_all(notice)

    def test_main_menu_opens_the_properties_dialog(self):
        with BarSession(tray=True) as s:
            resident = s.rumo()
            s.bar(resident)
            s.open_menu(resident, 3)
            s.xdotool("key", "Down", "Down", "Down", "Down", "Return")  # "ﾌﾟﾛﾊﾟﾃｨ"

            def dialog():
                for window in s.visible_windows(resident):
                    if s.geometry(window)[3] > 300:
                        return window
                return None
            window = wait_for(dialog, what="the properties dialog")
            x, y, w, h = s.geometry(window)
            s.xdotool("mousemove", x + w // 2, y + h // 2)
            wait_for(lambda: s.active_window() == window, what="the dialog to be active")
            # The tab bar has the focus: two tabs right is "メモ", whose first edit is the name.
            s.xdotool("key", "Right", "Right", "Tab", "ctrl+a")
            s.xdotool("type", "--delay", "20", "Suzuki")
            s.xdotool("key", "Return")
            wait_for(lambda: s.get("Config", "Name") == "Suzuki", what="Name written")
            wait_for(lambda: dialog() is None, what="the dialog closed")
            self.assertIsNone(resident.poll())

    def test_exit_ends_the_process_and_removes_the_icon(self):
        with BarSession(tray=True) as s:
            resident = s.rumo()
            s.bar(resident)
            s.bar(resident)
            s.icon(resident)
            s.open_menu(resident, 3)
            s.xdotool("key", "Up", "Return")  # the last item, "RUMO?の終了"
            wait_exit(resident)
            self.assertEqual(s.get("Config", "Endflg"), "1")
            self.assertEqual(s.visible_windows(resident), [])

    def test_second_start_exits_at_once_and_restart_keeps_the_place(self):
        with BarSession(tray=True) as s:
            s.set("Config", "Left", 150)
            s.set("Config", "Top", 120)
            first = s.rumo()
            bar = s.bar(first)
            placed = s.geometry(bar)
            second = s.rumo()
            wait_exit(second)
            self.assertIsNone(first.poll())

            # A drag (here a move by the window manager) is kept...
            s.xdotool("windowmove", bar, 300, 200)
            wait_for(lambda: s.get("Config", "Left") not in ("", "150"), what="Left written")
            moved = wait_for(lambda: s.geometry(bar) if s.geometry(bar) != placed else None,
                             what="the bar moved")
            s.open_menu(first, 3)
            s.xdotool("key", "Up", "Return")
            wait_exit(first)

            # ...and the bar comes back exactly there.
            again = s.rumo()
            self.assertEqual(s.geometry(s.bar(again))[:2], moved[:2])
            self.assertEqual(s.geometry(s.bar(again))[2:], placed[2:])


    def test_close_box_hides_and_a_second_start_or_a_double_click_brings_the_bar_back(self):
        with BarSession(tray=True) as s:
            resident = s.rumo()
            bar = s.bar(resident)
            s.close_box(bar)
            wait_for(lambda: bar not in s.visible_windows(resident), what="the bar hidden")
            # A second start shows the running bar and ends.
            self.assertEqual(wait_exit(s.rumo()), 0)
            wait_for(lambda: bar in s.visible_windows(resident), what="the bar shown again")
            s.close_box(bar)
            wait_for(lambda: bar not in s.visible_windows(resident), what="the bar hidden")
            _, x, y = s.icon(resident)
            s.xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, 1)
            wait_for(lambda: bar in s.visible_windows(resident), what="the bar shown again")


class ActivationTest(unittest.TestCase):
    def test_a_second_start_hands_its_startup_id_to_the_bar_which_comes_forward(self):
        with BarSession(tray=True) as s:
            resident = s.rumo()
            bar = s.bar(resident)
            with PlainWindow(s.display, 400, 300, 200, 100) as other:
                wait_for(lambda: s.xdotool("windowactivate", other.window) == "" and
                         s.active_window() == other.window, what="the other window active")
                env = dict(s.env, DESKTOP_STARTUP_ID="e2e-launcher-1-host-rumo-0")
                second = subprocess.Popen([RUMO], env=env, start_new_session=True)
                s.processes.append(second)
                self.assertEqual(wait_exit(second), 0)
                wait_for(lambda: "e2e-launcher-1-host-rumo-0" in
                         s._run(["xprop", "-id", str(bar), "_NET_STARTUP_ID"]).stdout,
                         what="the launch's startup id on the bar")
                wait_for(lambda: s.active_window() == bar, what="the bar in front")


class SilentBusTest(unittest.TestCase):
    def test_a_bus_that_never_answers_leaves_the_bar_shown_and_answering(self):
        with BarSession(tray=True) as s, tempfile.TemporaryDirectory() as folder:
            # A bus that takes every connection and never says a word.
            path = os.path.join(folder, "bus")
            silent = socket.socket(socket.AF_UNIX)
            silent.bind(path)
            silent.listen(64)
            held = []
            keep = threading.Thread(target=lambda: [held.append(silent.accept()) for _ in
                                                    range(64)], daemon=True)
            keep.start()
            env = dict(s.env, DBUS_SESSION_BUS_ADDRESS="unix:path=" + path)
            resident = subprocess.Popen([RUMO], env=env, start_new_session=True)
            s.processes.append(resident)
            try:
                bar = s.bar(resident)
                # It answers the mouse: a right click on the bar opens its main menu.
                before = set(s.visible_windows(resident))
                x, y, width, height = s.geometry(bar)
                s.xdotool("mousemove", x + width // 2, y + height // 2, "click", 3)
                wait_for(lambda: set(s.visible_windows(resident)) - before, what="the main menu")
                # The icon went to the notification area that needs no bus.
                s.icon(resident)
            finally:
                silent.close()


class DestinationListTest(unittest.TestCase):
    """Picking from the bar's own list, opened with a click, as a user does."""

    def open_list(self, s, resident):
        bar = s.bar(resident)
        x, y, w, h = s.geometry(bar)
        before = set(s.visible_windows(resident))
        s.xdotool("mousemove", x + w // 3, y + h - 4, "click", 1)
        popup = wait_for(lambda: set(s.visible_windows(resident)) - before, what="the open list")
        return popup.pop()

    def start(self, s):
        s.set("Config", "Place1", "会議室A")
        s.set("Config", "Place2", "食堂")
        s.set("Config", "Where", "会議室A")
        return s.rumo()

    def test_a_click_in_the_open_list_writes_the_destination(self):
        with BarSession(tray=True) as s:
            resident = self.start(s)
            popup = self.open_list(s, resident)
            x, y, w, h = s.geometry(popup)
            s.xdotool("mousemove", x + w // 2, y + h * 3 // 4, "click", 1)  # the second of two
            wait_for(lambda: s.get("Config", "Where") == "食堂", what="Where written")

    def test_down_and_return_in_the_open_list_write_the_destination(self):
        with BarSession(tray=True) as s:
            resident = self.start(s)
            self.open_list(s, resident)
            s.xdotool("key", "Down", "Return")
            wait_for(lambda: s.get("Config", "Where") == "食堂", what="Where written")


HACKS = "/usr/libexec/xscreensaver"


def first_hack():
    """The first screen saver the bar lists: executable hacks by name, without the helpers."""
    if not os.path.isdir(HACKS):
        return None
    for name in sorted(os.listdir(HACKS)):
        path = os.path.join(HACKS, name)
        if (os.path.isfile(path) and os.access(path, os.X_OK)
                and not name.startswith("xscreensaver-")):
            return name
    return None


def hosted_hacks(session, program):
    """Pids of `program` running in this session, drawing into a window it was given."""
    return session.session_processes(lambda cmdline: len(cmdline) == 3 and
                             cmdline[:2] == [program.encode(), b"-window-id"])


class ScreenSaverTest(unittest.TestCase):
    @unittest.skipUnless(first_hack(), "no XScreenSaver hacks installed")
    def test_choose_and_start_a_screen_saver_until_a_key_ends_it(self):
        hack = first_hack()
        program = os.path.join(HACKS, hack)
        with BarSession(tray=True) as s:
            resident = s.rumo()
            bar = s.bar(resident)
            started = []
            try:
                # "ｽｸﾘｰﾝｾｲﾊﾞｰの選択", its first entry.
                s.open_menu(resident, 3)
                s.xdotool("key", "Down", "Down", "Down", "Right", "Return")
                wait_for(lambda: s.get("Config", "Scrfile") == hack, what="Scrfile written")
                # "ｽｸﾘｰﾝｾｲﾊﾞｰの起動", from the bar this time (a second right click on the icon
                # this soon would count as a double click).
                x, y, w, h = s.geometry(bar)
                before = set(s.visible_windows(resident))
                s.xdotool("mousemove", x + w // 3, y + h - 4, "click", 3)
                wait_for(lambda: set(s.visible_windows(resident)) - before, what="the main menu")
                s.xdotool("key", "Down", "Down", "Return")
                started = wait_for(lambda: hosted_hacks(s, program), what="the screen saver")
                # Any key ends it; the bar keeps running.
                s.xdotool("key", "space")
                wait_for(lambda: not hosted_hacks(s, program), what="the screen saver ended")
                self.assertIsNone(resident.poll())
            finally:
                kill_all(started)


class NoTrayTest(unittest.TestCase):
    def test_close_box_and_second_start_never_strand_the_bar(self):
        with BarSession(tray=False) as s:
            first = s.rumo()
            bar = s.wait_window(first, what="the bar")
            s.close_box(bar)
            # Without an icon the close box only iconifies the bar; a second start restores it.
            wait_for(lambda: not s.visible_windows(first), what="the bar iconified")
            self.assertIsNone(first.poll())
            second = s.rumo()
            wait_exit(second)
            wait_for(lambda: s.visible_windows(first), what="the bar shown again")
            self.assertIsNone(first.poll())


if __name__ == "__main__":
    main()
