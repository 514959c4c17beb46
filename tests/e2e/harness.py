"""End-to-end test harness: the real binaries on a private X display.

Each Session starts its own Xvfb (a free display picked by Xvfb itself), optionally a window
manager (openbox) and a notification-area host (trayer), its own D-Bus session bus, and gives the
program its own settings and runtime folders. Everything it starts is killed when the session ends,
detached processes included, and the session waits until none is left. Waits poll for a
condition with a generous time-out; nothing relies on fixed sleeps.
"""

import ctypes
import ctypes.util
import os
import shutil
import signal
import stat
import subprocess
import tempfile
import time
import unittest

BUILD_DIR = os.environ.get("RUMO_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
RUMO = os.path.join(BUILD_DIR, "rumo")
SETTINGS_TOOL = os.path.join(BUILD_DIR, "rumo-settings")
TIMEOUT = float(os.environ.get("E2E_TIMEOUT", "60"))


def wait_for(condition, timeout=TIMEOUT, interval=0.05, what="condition"):
    """Polls condition() until it returns something truthy; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class Session:
    def __init__(self, window_manager=True, tray=False, size="1024x768"):
        self.size = size
        self.window_manager = window_manager
        self.tray = tray
        self.processes = []
        self.root = tempfile.mkdtemp(prefix="rumo-e2e-")
        self.display = None
        self.bus = None
        self.bus_address = None

    # --- life cycle -----------------------------------------------------------------------
    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        for sub in ("config", "runtime", "home", "data", "cache"):
            os.makedirs(os.path.join(self.root, sub), mode=0o700, exist_ok=True)
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.size + "x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        self.processes.append(xvfb)
        self.display = ":" + _read_line(read_end, xvfb, "Xvfb")
        # A bus of the session's own: without one, libdbus in the programs under test launches a
        # daemon on demand that would outlive the test run.
        read_end, write_end = os.pipe()
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile",
             f"--print-address={write_end}"],
            pass_fds=(write_end,), env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        self.processes.append(bus)
        self.bus = bus
        self.bus_address = _read_line(read_end, bus, "the session bus")
        if self.window_manager:
            self.spawn(["openbox", "--sm-disable"])
            wait_for(self._window_manager_ready, what="openbox")
            self._wait_until_windows_are_managed()
        if self.tray:
            self.spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                        "pixel", "--width", "200", "--height", "32", "--SetDockType", "true"])
            wait_for(lambda: self._run(["xprop", "-root", "_NET_SUPPORTED"]).returncode == 0
                     and self.tray_ready(), what="trayer")

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except (ProcessLookupError, PermissionError):
                    process.kill()
            try:
                process.wait(timeout=TIMEOUT)
            except subprocess.TimeoutExpired:
                pass
        self.processes.clear()
        # Detached processes (the program starts its notice that way) left their process group;
        # a session is over only when nothing started from it is left.
        try:
            for pid in self.session_processes():
                _kill(pid)
            wait_for(lambda: not self.session_processes(), what="the session's processes to end")
        finally:
            shutil.rmtree(self.root, ignore_errors=True)

    def session_processes(self, matches=lambda cmdline: True):
        """Pids of the live processes started in this session, detached ones and those started
        on their behalf included, for which matches(command line as a list of bytes) holds."""
        marker = ("RUMO_E2E_SESSION=" + self.root).encode()
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/environ", "rb") as f:
                    if marker not in f.read().split(b"\0"):
                        continue
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    cmdline = f.read().split(b"\0")[:-1]
            except OSError:
                continue
            if cmdline and matches(cmdline):  # a zombie has no command line left
                found.append(int(pid))
        return found

    # --- environment ----------------------------------------------------------------------
    @property
    def env(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display or "",
            "XDG_CONFIG_HOME": os.path.join(self.root, "config"),
            "XDG_RUNTIME_DIR": os.path.join(self.root, "runtime"),
            # The single-instance guard's folder depends on the user alone; sessions of one user
            # name their own so that they never meet.
            "RUMO_INSTANCE_FOLDER": os.path.join(self.root, "runtime"),
            "XDG_DATA_HOME": os.path.join(self.root, "data"),
            "XDG_CACHE_HOME": os.path.join(self.root, "cache"),
            "HOME": os.path.join(self.root, "home"),
            "QT_QPA_PLATFORM": "xcb",
            "LANG": "ja_JP.UTF-8",
            "RUMO_E2E_SESSION": self.root,
        })
        # The interface's language follows these before LANG; the tests read Japanese texts.
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            env.pop(name, None)
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        else:
            env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("SESSION_MANAGER", None)
        return env

    def spawn(self, argv, **kwargs):
        """Starts a process in its own process group; it is killed when the session ends."""
        process = subprocess.Popen(argv, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def _run(self, argv, timeout=TIMEOUT):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout)

    # --- the program ----------------------------------------------------------------------
    def rumo(self, *args, program=RUMO):
        return self.spawn([program, *args])

    def set(self, section, key, value):
        command = "set-int" if isinstance(value, int) else "set"
        result = self._run([SETTINGS_TOOL, command, section, key, str(value)])
        assert result.returncode == 0, result.stderr

    def get(self, section, key):
        return self._run([SETTINGS_TOOL, "get", section, key]).stdout.rstrip("\n")

    def settings_path(self):
        return self._run([SETTINGS_TOOL, "path"]).stdout.strip()

    def settings_mode(self):
        return stat.S_IMODE(os.stat(self.settings_path()).st_mode)

    # --- X helpers ------------------------------------------------------------------------
    def xdotool(self, *args):
        result = self._run(["xdotool", *map(str, args)])
        return result.stdout.strip()

    def _wait_until_windows_are_managed(self):
        """Maps a probe window and waits until the window manager lists it.

        Openbox announces itself before its event loop runs; a window mapped in between may never
        be managed, so tests start their programs only once a real window has been taken on.
        """
        x11 = xlib()
        connection = x11.XOpenDisplay(self.display.encode())
        assert connection, "cannot open the display"
        try:
            probe = x11.XCreateSimpleWindow(connection, x11.XDefaultRootWindow(connection),
                                            0, 0, 10, 10, 0, 0, 0)
            managed = lambda: hex(probe) in self._run(["xprop", "-root", "_NET_CLIENT_LIST"]).stdout
            deadline = time.monotonic() + TIMEOUT
            while True:
                # A request openbox dropped while starting is simply made again.
                x11.XUnmapWindow(connection, probe)
                x11.XMapWindow(connection, probe)
                x11.XFlush(connection)
                try:
                    wait_for(managed, timeout=1.0, what="openbox to manage windows")
                    break
                except AssertionError:
                    if time.monotonic() > deadline:
                        raise
            x11.XDestroyWindow(connection, probe)
            x11.XFlush(connection)
        finally:
            x11.XCloseDisplay(connection)

    def _window_manager_ready(self):
        return "window id" in self._run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]).stdout

    def tray_ready(self):
        screen = self._run(["xprop", "-root", "_NET_SUPPORTED"])
        owner = self._run(["xdotool", "search", "--classname", "trayer"])
        return screen.returncode == 0 and owner.stdout.strip() != ""

    def visible_windows(self, process):
        """Ids of the mapped windows that belong to the process."""
        out = self._run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)])
        return [int(line) for line in out.stdout.split()]

    def wait_window(self, process, what="a window"):
        def shown():
            windows = self.visible_windows(process)
            if not windows and process.poll() is not None:
                raise AssertionError(f"{process.args} ended with status {process.returncode} "
                                     f"before showing {what}")
            return windows
        return wait_for(shown, what=what)[0]

    def geometry(self, window):
        """(x, y, width, height) of a window in root coordinates."""
        info = self._run(["xwininfo", "-id", str(window)]).stdout
        values = {}
        for line in info.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"],
                values["Width"], values["Height"])

    def active_window(self):
        """The window with the keyboard focus (the notice's windows bypass the window manager,
        so the window manager's idea of the active window never names them)."""
        out = self.xdotool("getwindowfocus", "-f")
        return int(out) if out.isdigit() else None

    def screenshot(self, path, window="root"):
        result = self._run(["import", "-window", str(window), path])
        assert result.returncode == 0, result.stderr
        return path

    def pixel(self, png, x, y):
        """(r, g, b) of one pixel of a PNG, read through ImageMagick."""
        out = self._run(["convert", png, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                         f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"])
        return tuple(int(v) for v in out.stdout.strip().split(","))


def xlib():
    """libX11 through ctypes, with the signatures of the calls the tests make."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XCreateSimpleWindow.restype = ctypes.c_ulong
    x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
        [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2
    for name in ("XMapWindow", "XUnmapWindow", "XDestroyWindow"):
        getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def _read_line(fd, process, what):
    """The first line a starting process writes to the pipe fd (then closed), stripped."""
    line = b""
    deadline = time.monotonic() + TIMEOUT
    try:
        while not line.endswith(b"\n"):
            if time.monotonic() > deadline or process.poll() is not None:
                raise AssertionError(f"{what} did not start")
            chunk = os.read(fd, 256)
            if not chunk:
                break
            line += chunk
    finally:
        os.close(fd)
    return line.decode().strip()


def _kill(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def wait_exit(process, timeout=TIMEOUT):
    """Waits for the process to end and returns its exit status."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        raise AssertionError(f"process {process.args} still runs after {timeout:.0f} s")


def still_running_after(process, seconds=1.0):
    """True when the process is still alive at the end of an observation window.

    Used only to show that some input did NOT end the program; a slow machine can only make this
    pass, never fail spuriously.
    """
    try:
        process.wait(timeout=seconds)
        return False
    except subprocess.TimeoutExpired:
        return True


def main():
    unittest.main(verbosity=2)
