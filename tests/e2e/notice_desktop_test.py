"""The notice on real desktops: every monitor (one wide X screen split with xrandr --setmonitor),
monitors coming and going, HiDPI, the desktop's screen saver held off over D-Bus, the preview in
the window a screen-saver daemon names, and input answered while a picture loads."""

import os
import subprocess
import sys
import textwrap
import unittest

from harness import RUMO, Session, still_running_after, wait_exit, wait_for, xlib

BLUE = (0, 0, 200)


def spawn_with(s, argv, **extra):
    """Starts a process of the session with extra environment variables."""
    env = dict(s.env)
    env.update(extra)
    process = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    s.processes.append(process)
    return process


def monitor(s, name, x, width, output="none"):
    """Defines a monitor on the 768-pixel-high screen."""
    result = s._run(["xrandr", "--setmonitor", name, f"{width}/270x768/200+{x}+0", output])
    assert result.returncode == 0, result.stderr


def blank_blue_notice(s):
    """A notice with nothing drawn but its blue background."""
    s.set("Config", "Where", "")
    s.set("Config", "Screen", 4)
    s.set("Config", "ColorR", BLUE[0])
    s.set("Config", "ColorG", BLUE[1])
    s.set("Config", "ColorB", BLUE[2])


def raw_rgb(s, png, crop=None):
    """(width, height, bytes) of a PNG (or its crop "WxH+X+Y") as 8-bit RGB."""
    args = ["convert", png] + (["-crop", crop, "+repage"] if crop else []) + ["-depth", "8"]
    size = s._run(args + ["-format", "%w %h", "info:"]).stdout.split()
    data = subprocess.run(args + ["rgb:-"], capture_output=True, check=True).stdout
    return int(size[0]), int(size[1]), data


def colours_in(s, png, crop=None):
    _, _, data = raw_rgb(s, png, crop)
    return {data[i:i + 3] for i in range(0, len(data), 3)}


def all_blue(s, png, crop=None):
    return colours_in(s, png, crop) == {bytes(BLUE)}


class TwoMonitors(unittest.TestCase):
    def test_both_covered_and_input_on_either_counts_for_the_password(self):
        with Session(size="2048x768") as s:
            monitor(s, "left", 0, 1024, "screen")
            monitor(s, "right", 1024, 1024)
            s.set("Config", "Passcheck", 1)
            s.set("Config", "Password", "abc")
            s.set("Config", "Where", "会議室")
            notice = s.rumo("-s")
            windows = wait_for(lambda: len(s.visible_windows(notice)) == 2
                               and s.visible_windows(notice), what="a window on each monitor")
            self.assertEqual(sorted(s.geometry(w) for w in windows),
                             [(0, 0, 1024, 768), (1024, 0, 1024, 768)])
            # The notice activates its primary window once that window is exposed, which can come
            # after both are mapped: the user arrives once it has settled.
            left = next(w for w in windows if s.geometry(w)[0] == 0)
            right = next(w for w in windows if s.geometry(w)[0] == 1024)
            wait_for(lambda: s.active_window() == left, what="the primary window active")
            # A click on the second monitor is the notice's own: no loss of the keyboard.
            s.xdotool("mousemove", 1500, 400)
            s.xdotool("click", "1")
            self.assertTrue(still_running_after(notice, 1.5))
            s.xdotool("type", "ab")
            s.xdotool("mousemove", 300, 400)
            s.xdotool("click", "1")
            s.xdotool("type", "c")
            self.assertTrue(still_running_after(notice, 0.5))
            s.xdotool("key", "Return")
            self.assertEqual(wait_exit(notice), 0)

    def test_monitors_added_and_removed_leave_no_desktop_visible(self):
        with Session(size="2048x768") as s:
            monitor(s, "left", 0, 1024, "screen")
            blank_blue_notice(s)
            s.set("Config", "Esc", 1)
            notice = s.rumo("-s")
            s.wait_window(notice)
            shot = os.path.join(s.root, "shot.png")
            wait_for(lambda: all_blue(s, s.screenshot(shot), "1024x768+0+0"),
                     what="the first monitor covered")
            monitor(s, "right", 1024, 1024)
            wait_for(lambda: len(s.visible_windows(notice)) == 2, what="a window on the new one")
            wait_for(lambda: all_blue(s, s.screenshot(shot)), what="both monitors covered")
            # A click on the window going away; the notice keeps the keyboard.
            s.xdotool("mousemove", 1500, 400)
            s.xdotool("click", "1")
            self.assertEqual(s._run(["xrandr", "--delmonitor", "right"]).returncode, 0)
            wait_for(lambda: len(s.visible_windows(notice)) == 1, what="the second window gone")
            self.assertTrue(all_blue(s, s.screenshot(shot), "1024x768+0+0"))
            self.assertIsNone(notice.poll())
            s.xdotool("key", "Escape")  # the remaining window still has the keyboard
            self.assertEqual(wait_exit(notice), 0)


class HighResolution(unittest.TestCase):
    def test_destination_edges_are_drawn_at_device_pixels(self):
        with Session() as s:
            s.set("Config", "Where", "会議室")
            s.set("Config", "Mojimove", 3)  # standing still
            notice = spawn_with(s, [RUMO, "-s"], QT_SCALE_FACTOR="2")
            s.wait_window(notice)
            shot = os.path.join(s.root, "shot.png")

            def mixed_blocks():
                width, height, data = raw_rgb(s, s.screenshot(shot))
                inked = mixed = 0
                for y in range(0, height - 1, 2):
                    for x in range(0, width - 1, 2):
                        at = lambda dx, dy: data[3 * ((y + dy) * width + x + dx):][:3]
                        corner = at(0, 0)
                        inked += corner != b"\0\0\0"
                        mixed += corner != at(1, 0) or corner != at(0, 1) or corner != at(1, 1)
                return inked > 1000 and mixed > 500
            # Enlarged from half the resolution, every aligned 2x2 block would be one colour.
            wait_for(mixed_blocks, what="the destination drawn at the device resolution")


class DesktopScreenSaver(unittest.TestCase):
    SERVICE = textwrap.dedent("""
        import sys, dbus, dbus.service
        from dbus.mainloop.glib import DBusGMainLoop
        from gi.repository import GLib
        DBusGMainLoop(set_as_default=True)
        log = open(sys.argv[1], "a", buffering=1)
        bus = dbus.SessionBus()
        class ScreenSaver(dbus.service.Object):
            @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss",
                                 out_signature="u")
            def Inhibit(self, application, reason):
                log.write(f"Inhibit {application} {reason}\\n")
                return 4242
            @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
            def UnInhibit(self, cookie):
                log.write(f"UnInhibit {cookie}\\n")
        REQUEST = "/org/freedesktop/portal/desktop/request/1_1/t"
        class Request(dbus.service.Object):
            @dbus.service.method("org.freedesktop.portal.Request")
            def Close(self):
                log.write("Close request\\n")
        class Portal(dbus.service.Object):
            @dbus.service.method("org.freedesktop.portal.Inhibit", in_signature="sua{sv}",
                                 out_signature="o")
            def Inhibit(self, window, flags, options):
                log.write(f"Portal {flags} {options['reason']}\\n")
                Request(bus, REQUEST)
                return REQUEST
        names = [dbus.service.BusName(name, bus) for name in
                 ("org.freedesktop.ScreenSaver", "org.freedesktop.portal.Desktop")]
        ScreenSaver(bus, "/org/freedesktop/ScreenSaver")
        Portal(bus, "/org/freedesktop/portal/desktop")
        log.write("ready\\n")
        GLib.MainLoop().run()
    """)

    def test_inhibited_while_the_notice_shows_and_released_at_its_end(self):
        with Session() as s:
            log = os.path.join(s.root, "calls.log")
            script = os.path.join(s.root, "screensaver.py")
            with open(script, "w") as f:
                f.write(self.SERVICE)
            s.spawn(["/usr/bin/python3", script, log])

            def read():
                if not os.path.exists(log):
                    return ""
                with open(log, encoding="utf-8") as f:
                    return f.read()
            wait_for(lambda: "ready" in read(), what="the fake screen-saver service")
            notice = s.rumo("-s")
            window = s.wait_window(notice)
            wait_for(lambda: "Inhibit rumo 離席中の表示" in read(), what="Inhibit")
            # 8: the portal's flag for idle.
            wait_for(lambda: "Portal 8 離席中の表示" in read(), what="the portal's Inhibit")
            self.assertNotIn("UnInhibit", read())
            self.assertNotIn("Close", read())
            s.xdotool("key", "--window", window, "a")
            self.assertEqual(wait_exit(notice), 0)
            self.assertIn("UnInhibit 4242", read())
            self.assertIn("Close request", read())

    def test_no_service_no_failure(self):
        with Session() as s:
            notice = s.rumo("-s")
            window = s.wait_window(notice)
            self.assertTrue(still_running_after(notice, 1.0))
            s.xdotool("key", "--window", window, "a")
            self.assertEqual(wait_exit(notice), 0)

    def test_a_bus_that_never_answers_neither_freezes_the_notice_nor_holds_its_end(self):
        with Session() as s:
            address = os.path.join(s.root, "silent-bus")
            s.spawn([sys.executable, "-c", SILENT_BUS, address])
            wait_for(lambda: os.path.exists(address), what="the silent bus")
            s.set("Config", "Esc", 1)
            notice = spawn_with(s, [RUMO, "-s"], DBUS_SESSION_BUS_ADDRESS="unix:path=" + address)
            window = s.wait_window(notice)
            s.xdotool("key", "--window", window, "Escape")
            # Frozen, the notice ignored Esc for minutes; the bound only leaves room for a slow
            # machine.
            self.assertEqual(wait_exit(notice, timeout=10), 0)


# A stopped or overloaded bus daemon: connections are accepted and never answered.
SILENT_BUS = textwrap.dedent("""
    import os, socket, sys
    server = socket.socket(socket.AF_UNIX)
    server.bind(sys.argv[1] + ".tmp")
    server.listen(64)
    os.rename(sys.argv[1] + ".tmp", sys.argv[1])
    held = []
    while True:
        held.append(server.accept()[0])
""")


class AsTheScreenSaver(unittest.TestCase):
    def test_draws_into_the_window_named_in_the_environment(self):
        with Session() as s:
            blank_blue_notice(s)
            x11 = xlib()
            display = x11.XOpenDisplay(s.display.encode())
            try:
                host = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display),
                                               0, 0, 400, 300, 0, 0, 0)
                x11.XMapWindow(display, host)
                x11.XSync(display, 0)
                # As XScreenSaver runs a saver: the window in hexadecimal, --root given.
                preview = spawn_with(s, [RUMO, "-p", "--root"],
                                     XSCREENSAVER_WINDOW=hex(host))
                shot = os.path.join(s.root, "host.png")
                wait_for(lambda: preview.poll() is None and
                         all_blue(s, s.screenshot(shot, window=host)),
                         what="the notice drawn into the host window")
                x11.XDestroyWindow(display, host)
                x11.XSync(display, 0)
                self.assertEqual(wait_exit(preview), 0)
            finally:
                x11.XCloseDisplay(display)


class SlowPicture(unittest.TestCase):
    def test_esc_is_answered_while_a_picture_loads(self):
        with Session() as s:
            blank_blue_notice(s)
            picture = os.path.join(s.root, "red.bmp")
            subprocess.run(["convert", "-size", "200x200", "xc:red", picture], check=True)
            s.set("Config", "Esc", 1)
            s.set("Config", "Bitshow", 1)
            s.set("Config", "Bitmap", picture)
            notice = spawn_with(s, [RUMO, "-s"],
                                RUMO_TEST_PICTURE_DELAY_MS="60000")
            window = s.wait_window(notice)
            shot = os.path.join(s.root, "shot.png")
            # The background is drawn, the picture not yet: the decode takes a minute.
            wait_for(lambda: all_blue(s, s.screenshot(shot)), what="the notice drawn")
            s.xdotool("key", "--window", window, "Escape")
            self.assertEqual(wait_exit(notice, timeout=30), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
