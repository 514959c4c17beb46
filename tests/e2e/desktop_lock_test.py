"""The notice and the desktop's own lock on one X11 desktop. XScreenSaver 6, without its systemd
helper, neither blanks over the notice nor is kept from locking; a lock asked of logind (as
`loginctl lock-session` does, with xss-lock starting xsecurelock) locks too; after unlocking, the
password notice is there again with its keyboard.

Lockers refuse to run as root or ask for the user's password, so the desktop of these tests
belongs to a user of its own, made here when missing (the tests need root for that, and skip
without it). logind cannot run here: a stand-in answers its two calls on a system bus of the
test's own, and the real xss-lock and xsecurelock do the rest."""

import os
import pwd
import secrets
import shutil
import subprocess
import tempfile
import unittest

from harness import RUMO, TIMEOUT, wait_for, still_running_after

USER = "rumo-e2e"
IDLE_TIMEOUT_S = 60


def missing_reason(*programs):
    if os.geteuid() != 0:
        return "needs root to make the desktop's user"
    for program in ("setpriv", "useradd", "chpasswd", *programs):
        if shutil.which(program) is None:
            return f"{program} is not installed"
    return None


XSCREENSAVER = ("xscreensaver", "xscreensaver-command")
LOGIND_LOCKERS = ("xss-lock", "xsecurelock", "dbus-daemon", "dbus-send")

STAND_IN_LOGIND = """
import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib
DBusGMainLoop(set_as_default=True)
bus = dbus.SystemBus()
name = dbus.service.BusName("org.freedesktop.login1", bus)
PATH = "/org/freedesktop/login1/session/c1"
class Session(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.login1.Session")
    def Lock(self): pass
    @dbus.service.signal("org.freedesktop.login1.Session")
    def Unlock(self): pass
session = Session(bus, PATH)
class Manager(dbus.service.Object):
    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid): return PATH
    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="s", out_signature="o")
    def GetSession(self, session_id): return PATH
    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="s")
    def LockSession(self, session_id): session.Lock()
Manager(bus, "/org/freedesktop/login1")
GLib.MainLoop().run()
"""

SYSTEM_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
    <allow receive_type="signal"/>
  </policy>
</busconfig>
"""


class UserDesktop:
    """Xvfb, a session bus, openbox and XScreenSaver, all run as the test's user."""

    def __init__(self):
        try:
            pwd.getpwnam(USER)
        except KeyError:
            subprocess.run(["useradd", "--no-create-home", "--shell", "/usr/sbin/nologin", USER],
                           check=True)
        self.password = secrets.token_hex(8)
        subprocess.run(["chpasswd"], input=f"{USER}:{self.password}", text=True, check=True)
        entry = pwd.getpwnam(USER)
        self.uid, self.gid = entry.pw_uid, entry.pw_gid
        self.processes = []
        self.home = tempfile.mkdtemp(prefix="rumo-xss-")
        os.chown(self.home, self.uid, self.gid)
        self.env = {"HOME": self.home, "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                    "LANG": "ja_JP.UTF-8", "QT_QPA_PLATFORM": "xcb",
                    "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
                    "XDG_RUNTIME_DIR": os.path.join(self.home, "runtime"),
                    "XDG_CACHE_HOME": os.path.join(self.home, "cache")}
        for sub in ("config/Zelkar", "runtime", "cache"):
            self.run_as_user(["mkdir", "-p", "-m", "700", os.path.join(self.home, sub)])

    def as_user(self, argv):
        return ["setpriv", f"--reuid={self.uid}", f"--regid={self.gid}", "--clear-groups",
                "--", *argv]

    def run_as_user(self, argv, **kwargs):
        return subprocess.run(self.as_user(argv), env=self.env, capture_output=True, text=True,
                              timeout=TIMEOUT, **kwargs)

    def spawn(self, argv):
        process = subprocess.Popen(self.as_user(argv), env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def start(self):
        read_end, write_end = os.pipe()
        self.processes.append(subprocess.Popen(
            self.as_user(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                          "-nolisten", "tcp"]),
            pass_fds=(write_end,), env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.env["DISPLAY"] = ":" + pipe.readline().strip()
        bus = self.run_as_user(["dbus-daemon", "--session", "--fork", "--print-address"])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.strip()
        self.spawn(["openbox", "--sm-disable"])
        wait_for(lambda: "window id" in self.run_as_user(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]).stdout, what="openbox")

    def write(self, relative, text):
        path = os.path.join(self.home, relative)
        with open(path, "w") as f:
            f.write(text)
        os.chown(path, self.uid, self.gid)
        return path

    def start_logind_stand_in(self):
        """A system bus of the test's own, with the stand-in logind on it."""
        socket = os.path.join(self.home, "system_bus_socket")
        config = self.write("system-bus.conf", SYSTEM_BUS_CONFIG.format(socket=socket))
        self.spawn(["dbus-daemon", f"--config-file={config}", "--nofork", "--nopidfile"])
        wait_for(lambda: os.path.exists(socket), what="the system bus")
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = f"unix:path={socket}"
        self.spawn(["/usr/bin/python3", "-c", STAND_IN_LOGIND])
        wait_for(lambda: "org.freedesktop.login1" in self.run_as_user(
            ["dbus-send", "--system", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"]).stdout,
            what="the stand-in logind")

    def start_xscreensaver(self):
        with open(os.path.join(self.home, ".xscreensaver"), "w") as f:
            f.write(f"timeout: 0:0{IDLE_TIMEOUT_S // 60}:00\nlock: False\nmode: blank\n"
                    "lockTimeout: 0:00:00\nsplash: False\n")
        os.chown(os.path.join(self.home, ".xscreensaver"), self.uid, self.gid)
        self.spawn(["xscreensaver", "-no-splash"])
        wait_for(lambda: self.run_as_user(["xscreensaver-command", "-time"]).returncode == 0,
                 what="the XScreenSaver daemon")

    def close(self):
        # Everything this user runs was started by the test: the desktop and what Qt started.
        subprocess.run(["pkill", "-KILL", "-u", USER])
        for process in self.processes:
            process.wait(timeout=TIMEOUT)
        wait_for(lambda: subprocess.run(["pgrep", "-u", USER], capture_output=True).returncode,
                 what="the user's processes to end")
        shutil.rmtree(self.home, ignore_errors=True)

    def saver_state(self):
        """XScreenSaver's state from its status on the root window: LOCK, BLANK or None."""
        out = self.run_as_user(["xprop", "-root", "-notype", "-f", "_SCREENSAVER_STATUS", "32a",
                                "_SCREENSAVER_STATUS"]).stdout
        return out.split("=", 1)[1].split(",")[0].strip() if "=" in out else None

    def keyboard_free(self):
        """True when no client holds the keyboard (xdotool's own grab succeeds)."""
        # `xdotool key` works whatever the grabs; a grab of our own tells whether one is held.
        probe = self.run_as_user(["python3", "-c", GRAB_PROBE])
        return probe.stdout.strip() == "free"

    def xdotool(self, *args):
        return self.run_as_user(["xdotool", *map(str, args)])


GRAB_PROBE = """
import ctypes, ctypes.util
x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_int, ctypes.c_ulong]
d = x.XOpenDisplay(None)
print("free" if x.XGrabKeyboard(d, x.XDefaultRootWindow(d), 0, 1, 1, 0) == 0 else "held")
"""


def type_password_until_it_ends(desktop, notice):
    """Types the notice's password until the notice ends; returns its status. A locker lets the
    keyboard go a moment after it says it is unlocked, so each attempt starts afresh with Enter,
    as a user retyping would."""
    def password_accepted():
        desktop.xdotool("key", "Return")
        desktop.xdotool("type", "abc")
        desktop.xdotool("key", "Return")
        return not still_running_after(notice, 1.0)
    wait_for(password_accepted, what="the notice to take the password")
    return notice.returncode


@unittest.skipIf(missing_reason(*XSCREENSAVER), missing_reason(*XSCREENSAVER))
class XScreenSaverWithoutItsHelper(unittest.TestCase):
    def test_no_blanking_over_the_notice_and_locking_still_works(self):
        desktop = UserDesktop()
        try:
            desktop.start()
            desktop.start_xscreensaver()
            desktop.write("config/Zelkar/rumo.conf", "[Config]\nPasscheck=1\nPassword=abc\n")
            notice = desktop.spawn([RUMO, "-s"])
            wait_for(lambda: not desktop.keyboard_free(), what="the notice to hold the keyboard")

            # Past the daemon's idle time, nobody touching anything: no blanking.
            self.assertTrue(still_running_after(notice, IDLE_TIMEOUT_S + 15))
            self.assertNotIn(desktop.saver_state(), ("BLANK", "LOCK"))

            # The user locks the session: the locker gets the screen...
            desktop.run_as_user(["xscreensaver-command", "-lock"])
            wait_for(lambda: desktop.saver_state() == "LOCK", what="the session locked")
            self.assertIsNone(notice.poll())
            # ...and after unlocking the notice is there again, holding the keyboard.
            desktop.xdotool("key", "space")
            wait_for(lambda: desktop.xdotool("search", "--onlyvisible", "--classname",
                                             "xscreensaver").stdout.strip(),
                     what="the unlock dialog")
            desktop.xdotool("type", "--delay", "50", desktop.password)
            desktop.xdotool("key", "Return")
            wait_for(lambda: desktop.saver_state() not in ("BLANK", "LOCK"),
                     what="the session unlocked")
            self.assertIsNone(notice.poll())

            self.assertEqual(type_password_until_it_ends(desktop, notice), 0)
        finally:
            desktop.close()


@unittest.skipIf(missing_reason(*LOGIND_LOCKERS), missing_reason(*LOGIND_LOCKERS))
class LockThroughLogind(unittest.TestCase):
    def test_xss_lock_with_xsecurelock_locks_over_the_notice(self):
        desktop = UserDesktop()
        try:
            desktop.start()
            desktop.start_logind_stand_in()
            desktop.write("config/Zelkar/rumo.conf", "[Config]\nPasscheck=1\nPassword=abc\n")
            notice = desktop.spawn([RUMO, "-s"])
            wait_for(lambda: not desktop.keyboard_free(), what="the notice to hold the keyboard")
            locker = "XSECURELOCK_SAVER=saver_blank exec xsecurelock"
            desktop.spawn(["xss-lock", "--", "sh", "-c", locker])
            wait_for(lambda: desktop.run_as_user(["pgrep", "-x", "xss-lock"]).returncode == 0,
                     what="xss-lock")

            # What `loginctl lock-session` asks of logind.
            desktop.run_as_user(["dbus-send", "--system", "--print-reply",
                                 "--dest=org.freedesktop.login1", "/org/freedesktop/login1",
                                 "org.freedesktop.login1.Manager.LockSession", "string:c1"])
            wait_for(lambda: desktop.run_as_user(["pgrep", "-x", "xsecurelock"]).returncode == 0,
                     what="the locker started")
            self.assertTrue(still_running_after(notice, 2.0))
            self.assertEqual(desktop.run_as_user(["pgrep", "-x", "xsecurelock"]).returncode, 0,
                             "the locker could not take the screen")

            def unlocked():
                desktop.xdotool("key", "Return")
                desktop.xdotool("type", "--delay", "30", desktop.password)
                desktop.xdotool("key", "Return")
                return desktop.run_as_user(["pgrep", "-x", "xsecurelock"]).returncode != 0
            wait_for(unlocked, what="the session unlocked")
            self.assertIsNone(notice.poll())

            self.assertEqual(type_password_until_it_ends(desktop, notice), 0)
        finally:
            desktop.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
