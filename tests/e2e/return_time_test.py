"""The expected return time from the command line to the notice, and cleared when its user ends
the notice."""

import datetime
import os
import re
import tempfile
import unittest

from bar_test import BarSession
from harness import RUMO, Session, wait_for, wait_exit


def red_share(s, png, x, y, width, height):
    """How much of a region of a screenshot is the notice's red (0 to 1)."""
    out = s._run(["convert", png, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                  "-fx", "r>0.9 && g<0.1 && b<0.1 ? 1 : 0", "-format", "%[fx:mean]", "info:"])
    return float(out.stdout.strip())


class BackOnTheNotice(unittest.TestCase):
    def test_back_with_where_shows_both_and_ending_the_notice_clears_it(self):
        with Session() as s:
            s.set("Config", "Mojimove", 3)  # the destination stands still in the middle
            notice = s.rumo("--back", "+30", "--where", "会議室", "-s")
            window = s.wait_window(notice, what="the notice")
            wait_for(lambda: s.active_window() == window, what="the notice to have the keyboard")
            self.assertEqual(s.get("Config", "Where"), "会議室")
            self.assertRegex(s.get("Config", "Modori"), r"^\d{4}-\d\d-\d\d \d\d:\d\d$")
            with tempfile.TemporaryDirectory() as folder:
                png = os.path.join(folder, "notice.png")

                def both_shown():
                    s.screenshot(png)
                    # The destination's band (a 120-pixel cell at the middle) and the return
                    # line's (60 pixels above the bottom line) both hold red letters.
                    return (red_share(s, png, 0, 324, 1024, 120) > 0.02
                            and red_share(s, png, 0, 768 - 90, 600, 60) > 0.02)
                wait_for(both_shown, what="the destination and the return time drawn")
                if os.environ.get("RUMO_E2E_KEEP"):
                    s._run(["cp", png, os.environ["RUMO_E2E_KEEP"]])
                # Nothing else lies below the return line: no minutes line was asked for.
                self.assertEqual(red_share(s, png, 0, 768 - 30, 600, 30), 0)
            s.xdotool("key", "--window", window, "a")
            self.assertEqual(wait_exit(notice), 0)
            wait_for(lambda: s.get("Config", "Modori") == "", what="the return time cleared")

    def test_a_time_that_is_no_time_is_refused_with_status_2(self):
        with Session(window_manager=False) as s:
            for wrong in ("25:00", "+0", "soon"):
                result = s._run([RUMO, "--back", wrong, "-s"])
                self.assertEqual(result.returncode, 2, wrong)
                self.assertTrue(re.search(r"--back takes .*HH:MM.*'" + re.escape(wrong) + "'",
                                          result.stderr), result.stderr)
            self.assertEqual(s.get("Config", "Modori"), "")


class BackFromTheTray(unittest.TestCase):
    def test_thirty_minutes_from_the_icons_destination_menu_writes_the_return_time(self):
        with BarSession(tray=True) as s:
            s.set("Config", "Place1", "会議室")
            resident = s.rumo()
            s.bar(resident)
            s.open_menu(resident, 1)
            before = datetime.datetime.now().replace(second=0, microsecond=0)
            # The place, then (past the separator) 戻り予定; its submenu opens on its first pick.
            menu = set(s.visible_windows(resident))
            s.xdotool("key", "Down", "Down", "Right")
            wait_for(lambda: set(s.visible_windows(resident)) - menu, what="the submenu open")
            if os.environ.get("RUMO_E2E_KEEP"):
                s.screenshot(os.environ["RUMO_E2E_KEEP"])
            s.xdotool("key", "Down", "Return")
            stored = wait_for(lambda: s.get("Config", "Modori"), what="Modori written")
            after = datetime.datetime.now().replace(second=0, microsecond=0)
            back = datetime.datetime.strptime(stored, "%Y-%m-%d %H:%M")
            thirty = datetime.timedelta(minutes=30)
            self.assertTrue(before + thirty <= back <= after + thirty, stored)
            self.assertEqual(s.get("Config", "Where"), "")
            self.assertIsNone(resident.poll())


if __name__ == "__main__":
    unittest.main(verbosity=2)
