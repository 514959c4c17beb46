"""The calendar read from a real CalDAV server (radicale) and from an .ics feed over HTTP, its
password kept in a real keyring (gnome-keyring), and the last good copy used offline."""

import datetime
import glob
import http.server
import os
import secrets
import shutil
import socket
import subprocess
import threading
import time
import unittest
import urllib.request
import zoneinfo

from calendar_notice_test import red_box
from harness import RUMO, TIMEOUT, Session, _read_line, wait_exit, wait_for

ZONE = "Asia/Tokyo"
RADICALE = shutil.which("radicale")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def listening(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1):
            return True
    except OSError:
        return False


def stamp(seconds):
    return datetime.datetime.fromtimestamp(seconds, datetime.timezone.utc).strftime(
        "%Y%m%dT%H%M%SZ")


def hh_mm(seconds):
    return datetime.datetime.fromtimestamp(seconds, zoneinfo.ZoneInfo(ZONE)).strftime("%H:%M")


def calendar(place, start, end, uid="meeting"):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//e2e//EN\r\nBEGIN:VEVENT\r\n"
            f"UID:{uid}\r\nDTSTAMP:{stamp(start)}\r\nDTSTART:{stamp(start)}\r\n"
            f"DTEND:{stamp(end)}\r\nSUMMARY:打合せ\r\nLOCATION:{place}\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n").encode()


class CalendarSession(Session):
    """A session with a keyring of its own and a record of everything the program printed."""

    def __init__(self):
        super().__init__(window_manager=False)
        self.printed = ""

    @property
    def env(self):
        env = super().env
        env["TZ"] = ZONE
        return env

    def start_keyring(self):
        if not shutil.which("gnome-keyring-daemon"):
            raise unittest.SkipTest("gnome-keyring-daemon is not installed")
        # Unlocking creates the login keyring on first use; the daemon forks into the session
        # and is ended with it (it carries the session's marker).
        unlock = subprocess.run(["gnome-keyring-daemon", "--unlock", "--components=secrets"],
                                input=b"keyring-pw", env=self.env, capture_output=True,
                                timeout=TIMEOUT, start_new_session=True)
        if unlock.returncode != 0:
            raise unittest.SkipTest("gnome-keyring-daemon cannot start: "
                                    + unlock.stderr.decode(errors="replace"))
        wait_for(lambda: self._run(["secret-tool", "search", "nothing", "here"]).returncode
                 in (0, 1) and self.session_processes(
                     lambda cmdline: cmdline[0].endswith(b"gnome-keyring-daemon")),
                 what="the keyring")

    def use_bus_without_services(self):
        """From now on the programs talk to a bus of their own that activates nothing, as a
        session without a keyring has (the session's own bus would start one on demand)."""
        config = os.path.join(self.root, "bare-bus.conf")
        with open(config, "w") as f:
            f.write('<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration'
                    ' 1.0//EN" "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">'
                    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                    '<policy context="default"><allow send_destination="*"/><allow own="*"/>'
                    "</policy></busconfig>")
        read_end, write_end = os.pipe()
        bus = subprocess.Popen(["dbus-daemon", f"--config-file={config}", "--nofork",
                                "--nopidfile", f"--print-address={write_end}"],
                               pass_fds=(write_end,), env=self.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        self.processes.append(bus)
        self.bus_address = _read_line(read_end, bus, "a bare session bus")

    def run_rumo(self, *args, stdin=b""):
        result = subprocess.run([RUMO, *args], input=stdin, env=self.env, capture_output=True,
                                timeout=TIMEOUT)
        out, err = result.stdout.decode(), result.stderr.decode()
        self.printed += out + err
        return result.returncode, out, err

    def every_command_line(self):
        lines = []
        for path in glob.glob("/proc/[0-9]*/cmdline"):
            try:
                with open(path, "rb") as f:
                    lines.append(f.read().decode(errors="replace"))
            except OSError:
                pass
        return lines


class Radicale:
    """A CalDAV server on 127.0.0.1 with its own user file and storage in `folder`."""

    def __init__(self, session, folder, user, password):
        self.session, self.user, self.password = session, user, password
        self.port = free_port()
        os.makedirs(folder, exist_ok=True)
        users = os.path.join(folder, "users")
        made = subprocess.run(["htpasswd", "-i", "-c", "-m", users, user], input=password.encode(),
                              capture_output=True)
        if made.returncode != 0:
            raise unittest.SkipTest("htpasswd cannot write a user file: " + made.stderr.decode())
        self.config = os.path.join(folder, "config")
        with open(self.config, "w") as f:
            f.write(f"[server]\nhosts = 127.0.0.1:{self.port}\n"
                    f"[auth]\ntype = htpasswd\nhtpasswd_filename = {users}\n"
                    "htpasswd_encryption = md5\n"
                    f"[storage]\nfilesystem_folder = {os.path.join(folder, 'collections')}\n"
                    "[rights]\ntype = owner_only\n[web]\ntype = none\n")
        self.process = None
        self.url = f"http://127.0.0.1:{self.port}/{user}/work/"

    def start(self):
        self.process = self.session.spawn([RADICALE, "--config", self.config])
        try:
            wait_for(lambda: listening(self.port) or self.process.poll() is not None,
                     what="radicale")
        except AssertionError:
            raise unittest.SkipTest("radicale does not start")
        if self.process.poll() is not None:
            raise unittest.SkipTest("radicale cannot start here")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=TIMEOUT)
        wait_for(lambda: not listening(self.port), what="radicale to stop")

    def send(self, method, path, body=b"", content_type="text/calendar"):
        request = urllib.request.Request(f"http://127.0.0.1:{self.port}{path}", data=body,
                                         method=method)
        request.add_header("Content-Type", content_type)
        auth = f"{self.user}:{self.password}".encode()
        import base64
        request.add_header("Authorization", "Basic " + base64.b64encode(auth).decode())
        with urllib.request.urlopen(request, timeout=TIMEOUT) as answer:
            return answer.status


class CalDavCalendar(unittest.TestCase):
    def test_caldav_source_with_its_password_in_the_keyring(self):
        if not RADICALE:
            self.skipTest("radicale is not installed")
        password = "pw-" + secrets.token_hex(8)
        with CalendarSession() as s:
            s.start_keyring()
            server = Radicale(s, os.path.join(s.root, "radicale"), "alice", password)
            server.start()
            self.assertEqual(server.send("MKCALENDAR", "/alice/work/"), 201)
            now = int(time.time())
            end = (now // 60 + 45) * 60
            server.send("PUT", "/alice/work/meeting.ics", calendar("会議室B", now - 300, end))

            # Without a user the server's refusal is explained and nothing is kept.
            status, _, err = s.run_rumo("--calendar", "add", server.url)
            self.assertEqual(status, 1)
            self.assertIn("--user", err)
            self.assertEqual(s.run_rumo("--calendar", "list")[1], "")
            # A wrong password is refused too.
            self.assertEqual(s.run_rumo("--calendar", "add", server.url, "--user", "alice",
                                        stdin=b"wrong\n")[0], 1)

            status, _, err = s.run_rumo("--calendar", "add", server.url, "--user", "alice",
                                        stdin=password.encode() + b"\n")
            self.assertEqual(status, 0, err)
            self.assertEqual(s.run_rumo("--calendar", "list")[1], f"1\t{server.url}\talice\n")
            in_keyring = ["secret-tool", "lookup", "server", "rumo", "user",
                          "calendar " + server.url]
            self.assertEqual(s._run(in_keyring).stdout, password)

            status, out, err = s.run_rumo("--where-from-calendar")
            self.assertEqual((status, out), (0, f"会議室B\n{hh_mm(end)}\n"), err)

            # A notice started now takes the event from the server, the password from the
            # keyring: its end is the return time shown (no return time was set by hand). The
            # file source's test compares the place itself.
            self.assertEqual(s.run_rumo("--calendar", "on")[0], 0)
            s.set("Config", "Mojimove", 3)  # the destination stands still in the middle
            notice = s.rumo("-s")
            window = s.wait_window(notice, what="the notice")
            png = os.path.join(s.root, "notice.png")

            def place_drawn():
                s.screenshot(png)
                return red_box(s, png, 0, 324, 1024, 120)
            wait_for(place_drawn, what="the notice drawn")
            self.assertGreater(red_box(s, png, 0, 768 - 90, 600, 60), 0, "the return time")
            s.xdotool("key", "--window", window, "a")
            self.assertEqual(wait_exit(notice), 0)

            # A changed event is read at the next fetch (the collection's tag changed): here the
            # resident's, at its start, with the password from the keyring.
            server.send("PUT", "/alice/work/meeting.ics", calendar("会議室C", now - 300, end))
            copies = os.path.join(s.root, "cache", "rumo", "calendar", "*")

            def kept(text):
                for path in glob.glob(copies):
                    with open(path, "rb") as f:
                        if text.encode() in f.read():
                            return True
                return False
            resident = s.rumo()
            wait_for(lambda: kept("会議室C"), what="the resident to fetch the changed event")
            self.assertNotIn(password, "\n".join(s.every_command_line()))
            resident.kill()
            resident.wait(timeout=TIMEOUT)
            self.assertEqual(s.run_rumo("--where-from-calendar")[1], f"会議室C\n{hh_mm(end)}\n")

            # The server gone: the last good copy serves, and the failure is told.
            server.stop()
            status, out, err = s.run_rumo("--where-from-calendar")
            self.assertEqual((status, out), (0, f"会議室C\n{hh_mm(end)}\n"))
            self.assertIn("cannot fetch " + server.url, err)
            self.assertIn("using the copy", err)

            # The secret is in the keyring only: not in the settings, the kept copies, any
            # command line or anything the program printed.
            copies = glob.glob(copies)
            self.assertTrue(copies)
            for path in copies + [s.settings_path()]:
                with open(path, "rb") as f:
                    self.assertNotIn(password.encode(), f.read(), path)
            for path in copies:
                self.assertEqual(os.stat(path).st_mode & 0o777, 0o600, path)
            self.assertNotIn(password, "\n".join(s.every_command_line()))
            self.assertNotIn(password, s.printed)

            # Removing the source forgets its password.
            self.assertEqual(s.run_rumo("--calendar", "remove", "1")[0], 0)
            self.assertEqual(s._run(in_keyring).stdout, "")
            self.assertFalse(glob.glob(os.path.join(s.root, "cache", "rumo", "calendar", "*")))


class FeedHandler(http.server.BaseHTTPRequestHandler):
    body = b""
    etag = '"1"'
    answers = []

    def do_GET(self):
        if self.headers.get("If-None-Match") == FeedHandler.etag:
            FeedHandler.answers.append(304)
            self.send_response(304)
            self.end_headers()
            return
        FeedHandler.answers.append(200)
        self.send_response(200)
        self.send_header("Content-Type", "text/calendar")
        self.send_header("ETag", FeedHandler.etag)
        self.send_header("Content-Length", str(len(FeedHandler.body)))
        self.end_headers()
        self.wfile.write(FeedHandler.body)

    def log_message(self, *args):
        pass


class IcsFeed(unittest.TestCase):
    def test_feed_is_fetched_again_only_when_it_changed(self):
        now = int(time.time())
        end = (now // 60 + 30) * 60
        FeedHandler.body = calendar("会議室F", now - 60, end)
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), FeedHandler)
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            with CalendarSession() as s:
                url = f"http://127.0.0.1:{server.server_port}/team.ics"
                self.assertEqual(s.run_rumo("--calendar", "add", url)[0], 0)
                self.assertEqual(s.run_rumo("--where-from-calendar")[1],
                                 f"会議室F\n{hh_mm(end)}\n")
                self.assertEqual(FeedHandler.answers[-1], 304)
                FeedHandler.body = calendar("会議室G", now - 60, end)
                FeedHandler.etag = '"2"'
                self.assertEqual(s.run_rumo("--where-from-calendar")[1],
                                 f"会議室G\n{hh_mm(end)}\n")
                self.assertEqual(FeedHandler.answers[-1], 200)

                # No keyring runs (a bus that starts no services): a password has nowhere to go.
                s.use_bus_without_services()
                status, _, err = s.run_rumo("--calendar", "add", url + "?private", "--user",
                                            "bob", stdin=b"pw-for-nowhere\n")
                self.assertEqual(status, 1)
                self.assertIn("keyring", err)
                self.assertEqual(s.run_rumo("--calendar", "list")[1], f"1\t{url}\n")
        finally:
            server.shutdown()
            server.server_close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
