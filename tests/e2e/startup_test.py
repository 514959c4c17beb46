"""Run modes, the single-instance guard and the preview, with the real binary."""

import os
import signal
import subprocess
import sys
import unittest

from harness import RUMO, Session, wait_exit, wait_for, still_running_after


class UnknownArguments(unittest.TestCase):
    def test_anything_else_ends_at_once_without_a_window(self):
        with Session(window_manager=False) as s:
            # An unknown long option also ends at once, but says so and ends with status 2.
            for args, status in ((["--s"], 2), (["c:1234"], 0), (["config"], 0), (["/s2"], 0)):
                process = s.rumo(*args)
                self.assertEqual(wait_exit(process), status, args)
                self.assertEqual(s.visible_windows(process), [], args)
            said = s._run([RUMO, "--s"]).stderr
            self.assertEqual(len(said.splitlines()), 1, said)
            # A word where a mode was expected is named, with where to look.
            for word in ("start", "x"):
                result = s._run([RUMO, word])
                self.assertEqual(result.returncode, 0, word)
                self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
                self.assertIn("rumo --help", result.stderr)


class LongOptions(unittest.TestCase):
    def test_where_stores_the_destination_and_starts_only_what_is_asked(self):
        with Session(window_manager=False) as s:
            alone = s.rumo("--where", "会議室")
            self.assertEqual(wait_exit(alone), 0)
            self.assertEqual(s.get("Config", "Where"), "会議室")
            notice = s.rumo("--where", "食堂", "-s")
            s.wait_window(notice, what="the notice")
            self.assertEqual(s.get("Config", "Where"), "食堂")
            self.assertEqual(s._run([RUMO, "--version"]).stdout.split()[0], "rumo")
            self.assertIn("--autostart", s._run([RUMO, "-h"]).stdout)

    def test_options_given_together_are_all_done(self):
        with Session(window_manager=False) as s:
            both = s.rumo("--autostart", "on", "--where", "外出")
            self.assertEqual(wait_exit(both), 0)
            self.assertEqual(s.get("Config", "Where"), "外出")
            entry = os.path.join(s.env["XDG_CONFIG_HOME"], "autostart", "rumo.desktop")
            self.assertTrue(os.path.isfile(entry))

    def test_without_a_display_a_window_mode_ends_with_one_line(self):
        with Session(window_manager=False) as s:
            env = {k: v for k, v in s.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
            result = subprocess.run([RUMO, "-s"], env=env, capture_output=True, text=True,
                                    timeout=60)
            self.assertEqual(result.returncode, 1)
            self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)


class Saver(unittest.TestCase):
    def test_covers_the_whole_screen_in_front(self):
        with Session(size="1024x768") as s:
            notice = s.rumo("-s")
            window = s.wait_window(notice)
            wait_for(lambda: s.geometry(window) == (0, 0, 1024, 768), what="full-screen geometry")
            wait_for(lambda: s.active_window() == window, what="the notice to be active")

    def test_covers_the_screen_without_a_window_manager(self):
        with Session(window_manager=False, size="800x600") as s:
            notice = s.rumo("S")
            window = s.wait_window(notice)
            wait_for(lambda: s.geometry(window) == (0, 0, 800, 600), what="full-screen geometry")


class Cleanup(unittest.TestCase):
    def test_nothing_started_in_a_session_outlives_it(self):
        session = Session(tray=True)
        with session as s:
            bar = s.rumo()
            s.wait_window(bar)
            s.wait_window(s.rumo("-s"), what="the notice")
            buses = s.session_processes(lambda cmdline: b"dbus-daemon" in cmdline[0])
            self.assertEqual(buses, [s.bus.pid], "no bus is launched on demand")
        self.assertEqual(session.session_processes(), [])


class ResidentGuard(unittest.TestCase):
    def test_second_start_ends_at_once(self):
        with Session() as s:
            first = s.rumo()
            s.wait_window(first)
            second = s.rumo("-C")
            self.assertEqual(wait_exit(second), 0)
            self.assertIsNone(first.poll())

    def test_guard_survives_a_killed_owner(self):
        with Session() as s:
            first = s.rumo()
            s.wait_window(first)
            os.killpg(first.pid, signal.SIGKILL)
            first.wait()
            second = s.rumo()
            s.wait_window(second, what="the restarted resident window")

    def test_ten_simultaneous_starts_leave_one(self):
        with Session() as s:
            starts = [s.rumo() for _ in range(10)]
            wait_for(lambda: sum(p.poll() is None for p in starts) <= 1, what="nine to end")
            survivors = [p for p in starts if p.poll() is None]
            self.assertEqual(len(survivors), 1)
            self.assertTrue(still_running_after(survivors[0]))

    def test_ten_simultaneous_starts_under_load_leave_one(self):
        with Session() as s:
            # Busy processes on every core, so the starts are preempted at any point.
            for _ in range(2 * (os.cpu_count() or 1)):
                s.spawn([sys.executable, "-c", "while True: pass"])
            starts = [s.rumo() for _ in range(10)]
            wait_for(lambda: sum(p.poll() is None for p in starts) <= 1, what="nine to end")
            survivors = [p for p in starts if p.poll() is None]
            self.assertEqual(len(survivors), 1)
            self.assertTrue(still_running_after(survivors[0], seconds=2.0))
            self.assertEqual([p for p in starts if p.poll() is None], survivors)

    def test_a_start_from_another_environment_finds_the_running_resident(self):
        """A shell started by ssh or su lacks the desktop's variables: still one resident."""
        with Session() as s:
            first = s.rumo()
            s.wait_window(first)
            env = dict(s.env)
            env.pop("XDG_RUNTIME_DIR")
            env["HOME"] = env["XDG_CACHE_HOME"] = os.path.join(s.root, "elsewhere")
            second = subprocess.Popen([RUMO], env=env, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                      start_new_session=True)
            s.processes.append(second)
            self.assertEqual(wait_exit(second), 0)
            self.assertIsNone(first.poll())

    def test_saver_and_preview_are_never_blocked(self):
        with Session() as s:
            resident = s.rumo()
            s.wait_window(resident)
            notice = s.rumo("s")
            s.wait_window(notice)


class Preview(unittest.TestCase):
    def test_draws_as_a_child_of_the_given_window(self):
        with Session(window_manager=False, size="640x480") as s:
            root = int(s.xdotool("search", "--maxdepth", "0", "--name", "") or 0) or None
            if root is None:
                root = int(s._run(["xwininfo", "-root"]).stdout.split("Window id:")[1].split()[0], 16)
            preview = s.rumo("p", str(root))
            window = s.wait_window(preview)
            wait_for(lambda: s.geometry(window)[2:] == (640, 480), what="the preview to fill it")
            self.assertIsNone(preview.poll())

    def test_ends_when_its_host_window_goes_away(self):
        with Session(window_manager=False, size="640x480") as s:
            host = s.rumo("-s")
            host_window = s.wait_window(host)
            preview = s.rumo("-p", str(host_window))
            s.wait_window(preview)
            host.kill()
            self.assertEqual(wait_exit(preview), 0)

    def test_bad_window_ids_end_with_an_error_and_no_window(self):
        with Session(window_manager=False) as s:
            for args in (["p"], ["p", "0"], ["p", "abc"], ["p", "123456789"]):
                process = s.rumo(*args)
                self.assertNotEqual(wait_exit(process), 0, args)
                self.assertEqual(s.visible_windows(process), [], args)


class SettingsFile(unittest.TestCase):
    def test_is_private_to_its_owner(self):
        with Session(window_manager=False) as s:
            s.set("Config", "Password", "abc")
            self.assertEqual(s.settings_mode(), 0o600)
            os.chmod(s.settings_path(), 0o644)
            s.set("Config", "Esc", 1)
            self.assertEqual(s.settings_mode(), 0o600)


if __name__ == "__main__":
    unittest.main(verbosity=2)
