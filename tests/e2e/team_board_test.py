"""The team board over a real broker: two residents publish their users' states, the notice of
one makes it away and back, a killed resident is marked off by the broker's last will, and the
board window shows all of it."""

import json
import os
import signal
import socket
import subprocess
import time
import unittest

from harness import RUMO, TIMEOUT, Session, wait_for, wait_exit

MOSQUITTO = "/usr/sbin/mosquitto"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Broker:
    """A mosquitto of the test's own on 127.0.0.1, configured in the session's folder."""

    def __init__(self, session):
        self.port = free_port()
        config = os.path.join(session.root, "mosquitto.conf")
        with open(config, "w") as f:
            f.write(f"listener {self.port} 127.0.0.1\nallow_anonymous true\npersistence false\n")
        self.process = session.spawn([MOSQUITTO, "-c", config])
        wait_for(self._listening, what="the broker to listen")

    def _listening(self):
        with socket.socket() as probe:
            return probe.connect_ex(("127.0.0.1", self.port)) == 0

    def retained(self, topic):
        """The message retained on topic, as JSON, or None."""
        result = subprocess.run(["mosquitto_sub", "-h", "127.0.0.1", "-p", str(self.port),
                                 "-t", topic, "-C", "1", "-W", "2", "--retained-only"],
                                capture_output=True, text=True)
        if result.returncode != 0 or not result.stdout.strip():
            return None
        return json.loads(result.stdout)


@unittest.skipUnless(os.access(MOSQUITTO, os.X_OK), "the mosquitto broker is not installed")
class TeamBoard(unittest.TestCase):
    def test_two_users_publish_away_present_and_off_and_the_board_shows_them(self):
        with Session() as s:
            broker = Broker(s)
            address = f"mqtt://127.0.0.1:{broker.port}/office"
            # The second user: a settings folder and an instance folder of their own, as on a
            # machine of their own.
            bob_env = dict(s.env)
            bob_env["XDG_CONFIG_HOME"] = os.path.join(s.root, "config-bob")
            bob_env["RUMO_INSTANCE_FOLDER"] = os.path.join(s.root, "runtime-bob")
            for folder in (bob_env["XDG_CONFIG_HOME"], bob_env["RUMO_INSTANCE_FOLDER"]):
                os.makedirs(folder, mode=0o700)

            self.assertEqual(s._run([RUMO, "--publish", address, "--publish-as", "alice"])
                             .returncode, 0)
            s.set("Config", "Name", "青木")
            subprocess.run([RUMO, "--publish", address, "--publish-as", "bob"], env=bob_env,
                           check=True, capture_output=True)
            alice = s.rumo()
            bob = subprocess.Popen([RUMO], env=bob_env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
            s.processes.append(bob)

            def state_of(user, state):
                message = broker.retained("office/" + user)
                return message if message and message["state"] == state else None
            present = wait_for(lambda: state_of("alice", "present"), what="alice present")
            self.assertEqual((present["v"], present["id"], present["name"]), (1, "alice", "青木"))
            wait_for(lambda: state_of("bob", "present"), what="bob present")

            # The board opens first: a window opening over the notice would end it.
            dump = os.path.join(s.root, "board.tsv")
            board_env = dict(s.env)
            board_env["RUMO_BOARD_DUMP"] = dump
            board = subprocess.Popen([RUMO, "--board"], env=board_env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     start_new_session=True)
            s.processes.append(board)

            def board_rows():
                try:
                    with open(dump, encoding="utf-8") as f:
                        return {row[0]: row[1:] for row in
                                (line.rstrip("\n").split("\t") for line in f)}
                except FileNotFoundError:
                    return {}

            def board_says(expected):
                rows = board_rows()
                return all(rows.get(name, [None])[0] == state for name, state in expected.items())
            wait_for(lambda: board_says({"青木": "在席", "bob": "在席"}),
                     what="the board showing both present")

            notice = s.rumo("--where", "会議室B", "--back", "+30", "-s")
            away = wait_for(lambda: state_of("alice", "away"), what="alice away")
            self.assertEqual(away["where"], "会議室B")
            self.assertGreater(away["back"], time.time() + 25 * 60)
            self.assertLessEqual(abs(away["since"] - time.time()), 120)

            wait_for(lambda: board_says({"青木": "離席中", "bob": "在席"}),
                     what="the board showing alice away and bob present")
            self.assertEqual(board_rows()["青木"][1], "会議室B")

            window = s.wait_window(notice, what="the notice")
            wait_for(lambda: s.active_window() == window, what="the notice to have the keyboard")
            s.xdotool("key", "--window", window, "a")
            self.assertEqual(wait_exit(notice), 0)
            back = wait_for(lambda: state_of("alice", "present"), what="alice present again")
            self.assertNotIn("back", back)  # ending the notice cleared the return time

            os.kill(bob.pid, signal.SIGKILL)
            off = wait_for(lambda: state_of("bob", "off"), what="bob's last will")
            self.assertEqual(off["id"], "bob")
            wait_for(lambda: board_says({"青木": "在席", "bob": "オフライン"}),
                     what="the board showing alice present and bob off")

    def test_turning_publishing_off_takes_the_message_off_the_board(self):
        with Session(window_manager=False) as s:
            broker = Broker(s)
            self.assertEqual(s._run([RUMO, "--publish", f"mqtt://127.0.0.1:{broker.port}/office",
                                     "--publish-as", "carol"]).returncode, 0)
            s.rumo()
            wait_for(lambda: broker.retained("office/carol"), what="carol published")
            self.assertEqual(s._run([RUMO, "--publish", "off"]).returncode, 0)
            wait_for(lambda: broker.retained("office/carol") is None,
                     what="carol's message taken back")


if __name__ == "__main__":
    unittest.main(verbosity=2)
