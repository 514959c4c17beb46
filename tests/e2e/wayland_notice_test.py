"""The notice as a native Wayland client of real compositors nested in Xvfb, so that real key
presses reach them: it outlives the compositor's idle time, compositor shortcuts do not end a
password notice, and every output is covered. A compositor that cannot start here is skipped
with the reason."""

import os
import pwd
import shutil
import subprocess
import tempfile
import unittest

from harness import RUMO, Session, still_running_after, wait_exit, wait_for

BLUE = (0, 0, 200)
IDLE_SECONDS = 5
OUTPUT_WIDTH, OUTPUT_HEIGHT = 480, 360


def password_notice(s):
    """A password notice drawing nothing but its blue background."""
    s.set("Config", "Where", "")
    s.set("Config", "Screen", 4)
    s.set("Config", "ColorR", BLUE[0])
    s.set("Config", "ColorG", BLUE[1])
    s.set("Config", "ColorB", BLUE[2])
    s.set("Config", "Passcheck", 1)
    s.set("Config", "Password", "abc")


def output_windows(s):
    """The X windows a nested compositor shows its outputs in (the display has no others), left
    to right."""
    out = s._run(["xwininfo", "-root", "-children"]).stdout
    windows = [int(line.split()[0], 16) for line in out.splitlines()
               if line.strip().startswith("0x")]
    mapped = [w for w in windows
              if "IsViewable" in s._run(["xwininfo", "-id", str(w)]).stdout]
    return sorted(mapped, key=lambda w: (s.geometry(w)[0], w))


def colours(s, window):
    shot = os.path.join(s.root, f"output-{window}.png")
    s.screenshot(shot, window=window)
    out = s._run(["convert", shot, "-depth", "8", "-unique-colors", "txt:-"]).stdout
    return {line.split()[2] for line in out.splitlines()[1:]}


def covered(s, windows):
    return all(colours(s, w) == {"#0000C8"} for w in windows)


class Compositor:
    """A compositor nested in the session's X display, serving a socket in the session's runtime
    folder; a subclass says how to start it."""
    socket = "wayland-rumo"

    def __init__(self, s):
        self.s = s
        self.runtime = os.path.join(s.root, "runtime")

    def env(self):
        env = dict(self.s.env)
        env.update({"XDG_RUNTIME_DIR": self.runtime, "WAYLAND_DISPLAY": self.socket,
                    "QT_QPA_PLATFORM": "wayland", "XDG_SESSION_TYPE": "wayland"})
        return env

    def start(self, outputs):
        log = os.path.join(self.s.root, "compositor.log")
        with open(log, "w") as f:
            process = subprocess.Popen(self.command(outputs), env=self.compositor_env(), stdout=f,
                                       stderr=subprocess.STDOUT, start_new_session=True,
                                       **self.popen_extra())
        self.s.processes.append(process)
        try:
            wait_for(lambda: process.poll() is not None or
                     len(output_windows(self.s)) == outputs, timeout=30,
                     what="the compositor's outputs")
        except AssertionError:
            pass
        if process.poll() is not None or len(output_windows(self.s)) != outputs:
            with open(log) as f:
                tail = f.read()[-600:]
            raise unittest.SkipTest(f"{self.__class__.__name__} cannot run here: {tail}")
        self.started = process
        wait_for(self.find_socket, what="the compositor's socket")
        # Without a window manager the outputs' windows all open at the origin.
        for i, window in enumerate(output_windows(self.s)):
            self.s.xdotool("windowmove", "--sync", window, i * OUTPUT_WIDTH, 0)

    def find_socket(self):
        names = [n for n in os.listdir(self.runtime)
                 if n.startswith("wayland-") and not n.endswith(".lock")]
        if names:
            self.socket = names[0]
        return bool(names)

    def notice(self):
        env = self.env()
        env["WAYLAND_DEBUG"] = "1"
        self.log = os.path.join(self.s.root, "notice.log")
        with open(self.log, "w") as f:
            process = subprocess.Popen([RUMO, "-s"], env=env, stdout=subprocess.DEVNULL,
                                       stderr=f, start_new_session=True)
        self.s.processes.append(process)
        return process

    def offers(self, interface):
        """Whether the compositor announced the interface to the notice; when it did, the notice
        must have bound it on its surfaces."""
        with open(self.log, errors="replace") as f:
            log = f.read()
        if f'"{interface}"' not in log:
            return False
        request = {"zwp_idle_inhibit_manager_v1": ".create_inhibitor(",
                   "zwp_keyboard_shortcuts_inhibit_manager_v1": ".inhibit_shortcuts("}[interface]
        assert log.count(request) >= 2, f"the notice did not use {interface} on its surfaces"
        return True

    def popen_extra(self):
        return {}


class Weston(Compositor):

    def command(self, outputs):
        return ["weston", "--backend=x11-backend.so", "--use-pixman",
                f"--idle-time={IDLE_SECONDS}", f"--socket={self.socket}",
                f"--output-count={outputs}", f"--width={OUTPUT_WIDTH}",
                f"--height={OUTPUT_HEIGHT}", "--no-config"]

    def compositor_env(self):
        env = dict(self.s.env)
        env["XDG_RUNTIME_DIR"] = self.runtime
        return env


class Sway(Compositor):
    """sway refuses to run as root; it runs as an unprivileged user of its own, in a runtime
    folder that user owns and the notice (root) can reach."""
    USER = "rumo-e2e-sway"

    def __init__(self, s):
        super().__init__(s)
        if os.getuid() == 0:
            self.runtime = tempfile.mkdtemp(prefix="rumo-sway-", dir=s.root)
            os.chmod(s.root, 0o755)
            os.chown(self.runtime, self.user().pw_uid, self.user().pw_gid)
            os.chmod(self.runtime, 0o700)

    def user(self):
        try:
            return pwd.getpwnam(self.USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--no-create-home", self.USER], check=True)
            return pwd.getpwnam(self.USER)

    def command(self, outputs):
        config = os.path.join(self.s.root, "sway.config")
        with open(config, "w") as f:
            f.write(f"xwayland disable\noutput * mode {OUTPUT_WIDTH}x{OUTPUT_HEIGHT}\n"
                    "output * bg #000000 solid_color\n"
                    "bindsym Mod4+Tab focus next\nbindsym Mod4+k kill\n"
                    "bindsym Mod4+2 workspace 2\n")
        os.chmod(config, 0o644)
        return ["sway", "--config", config]

    def compositor_env(self):
        env = dict(self.s.env)
        env.update({"XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "x11",
                    "WLR_X11_OUTPUTS": "2", "WLR_RENDERER": "pixman",
                    "WLR_LIBINPUT_NO_DEVICES": "1", "WAYLAND_DISPLAY": ""})
        env.pop("WAYLAND_DISPLAY")
        if os.getuid() == 0:
            user = self.user()
            env["HOME"] = self.runtime
            env["XAUTHORITY"] = ""
        return env

    def popen_extra(self):
        if os.getuid() != 0:
            return {}
        user = self.user()
        return {"user": user.pw_uid, "group": user.pw_gid, "extra_groups": []}

    def start(self, outputs):
        super().start(outputs)
        # The notice (root) must be allowed onto the user's socket.
        os.chmod(self.runtime, 0o755)


class NoticeOnWayland:
    compositor = None
    shortcuts = []

    def setUp(self):
        if shutil.which(self.compositor.__name__.lower()) is None:
            self.skipTest(f"{self.compositor.__name__.lower()} is not installed")

    def start(self, s):
        password_notice(s)
        compositor = self.compositor(s)
        compositor.start(outputs=2)
        windows = output_windows(s)
        notice = compositor.notice()
        wait_for(lambda: notice.poll() is None and covered(s, windows),
                 what="both outputs covered by the notice")
        return notice, windows, compositor.offers

    def end(self, s, notice):
        s.xdotool("mousemove", 100, 100)
        s.xdotool("key", "Return")  # a fresh attempt: the chords' keys were typed too
        s.xdotool("type", "abc")
        s.xdotool("key", "Return")
        self.assertEqual(wait_exit(notice), 0)

    def test_outlives_the_idle_time_on_both_outputs(self):
        with Session(window_manager=False, size="1280x480") as s:
            notice, windows, offers = self.start(s)
            self.assertTrue(still_running_after(notice, IDLE_SECONDS + 3))
            if offers("zwp_idle_inhibit_manager_v1"):
                self.assertTrue(covered(s, windows), "the compositor blanked the notice")
            else:
                # Nothing keeps such a compositor awake; its lock covers the notice, which
                # stays for when the session is unlocked.
                print(f"\n  {self.compositor.__name__} offers no idle inhibitor", flush=True)
                return
            self.end(s, notice)

    def test_compositor_shortcuts_do_not_end_a_password_notice(self):
        with Session(window_manager=False, size="1280x480") as s:
            notice, windows, offers = self.start(s)
            if not offers("zwp_keyboard_shortcuts_inhibit_manager_v1"):
                self.skipTest(f"{self.compositor.__name__} offers no shortcut inhibitor: its "
                              "shortcuts act whatever a client asks (the notice falls back to "
                              "the session lock)")
            for chord in self.shortcuts:
                s.xdotool("mousemove", 100, 100)
                s.xdotool("key", chord)
                self.assertTrue(still_running_after(notice, 1.0), f"{chord} ended the notice")
                self.assertTrue(covered(s, windows), f"{chord} uncovered an output")
            self.end(s, notice)


class OnWeston(NoticeOnWayland, unittest.TestCase):
    compositor = Weston
    shortcuts = ["super+Tab", "super+k"]


class OnSway(NoticeOnWayland, unittest.TestCase):
    compositor = Sway
    shortcuts = ["super+Tab", "super+k", "super+2"]


if __name__ == "__main__":
    unittest.main(verbosity=2)
