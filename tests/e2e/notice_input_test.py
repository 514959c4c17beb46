"""Which input ends the full-screen notice, driven with xdotool on a real X server."""

import itertools
import unittest

from harness import Session, wait_for, wait_exit, still_running_after


def start_notice(s):
    notice = s.rumo("-s")
    window = s.wait_window(notice)
    wait_for(lambda: s.active_window() == window, what="the notice to have the keyboard")
    return notice, window


class Unrestricted(unittest.TestCase):
    def test_a_second_mouse_position_ends_it_with_status_0(self):
        with Session() as s:
            s.xdotool("mousemove", 10, 10)
            notice, _ = start_notice(s)
            # Moves queued together reach the window as one (the toolkit keeps the last), and
            # the first position a window sees is never a touch: keep moving, as a hand does.
            spots = ((200 + 7 * (i % 100), 200 + 5 * (i % 2)) for i in itertools.count())

            def moved_away():
                if notice.poll() is None:
                    s.xdotool("mousemove", *next(spots))
                return notice.poll() is not None
            wait_for(moved_away, what="the notice to end on a moved mouse")
            self.assertEqual(wait_exit(notice), 0)

    def test_a_key_ends_it(self):
        with Session() as s:
            notice, window = start_notice(s)
            s.xdotool("key", "--window", window, "a")
            self.assertEqual(wait_exit(notice), 0)

    def test_a_click_ends_it(self):
        with Session() as s:
            notice, _ = start_notice(s)
            s.xdotool("click", 1)
            self.assertEqual(wait_exit(notice), 0)

    def test_losing_activation_ends_it(self):
        with Session() as s:
            notice, _ = start_notice(s)
            other = s.rumo("-c")  # any other window taking the focus
            other_window = s.wait_window(other)
            if notice.poll() is None:
                s.xdotool("windowactivate", other_window)
            self.assertEqual(wait_exit(notice), 0)


class EscOnly(unittest.TestCase):
    def test_only_esc_ends_it(self):
        with Session() as s:
            s.set("Config", "Esc", 1)
            notice, window = start_notice(s)
            s.xdotool("mousemove", 100, 100)
            s.xdotool("mousemove", 300, 300)
            s.xdotool("click", 1)
            s.xdotool("key", "a", "Return", "alt+F4")
            self.assertTrue(still_running_after(notice, 1.5))
            s.xdotool("key", "Escape")
            self.assertEqual(wait_exit(notice), 0)


class Password(unittest.TestCase):
    def test_ends_only_after_the_right_password_and_enter(self):
        with Session() as s:
            s.set("Config", "Passcheck", 1)
            s.set("Config", "Password", "abc")
            notice, window = start_notice(s)
            s.xdotool("mousemove", 512, 384)
            s.xdotool("type", "abd")
            s.xdotool("key", "Return", "Escape", "alt+F4")
            self.assertTrue(still_running_after(notice, 1.5))
            s.xdotool("key", "Return")  # starts a fresh attempt after the Esc typed above
            s.xdotool("type", "abc")
            s.xdotool("key", "Return")
            self.assertEqual(wait_exit(notice), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
