"""The notice takes its destination and return time from a calendar file as it starts, unless the
user picked a destination by hand shortly before."""

import datetime
import os
import tempfile
import unittest

from harness import RUMO, Session, wait_for, wait_exit, main


def red_box(s, png, x, y, width, height):
    """The width of the notice's red letters within a region of a screenshot (0: none)."""
    out = s._run(["convert", png, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                  "-fx", "r>0.9 && g<0.1 && b<0.1 ? 1 : 0", "-threshold", "50%",
                  "-format", "%[fx:mean] %@", "info:"])
    mean, box = out.stdout.split()
    return 0 if float(mean) == 0 else int(box.split("x")[0])


def utc(moment):
    return moment.astimezone(datetime.timezone.utc).strftime("%Y%m%dT%H%M%SZ")


class CalendarOnTheNotice(unittest.TestCase):
    def test_the_event_now_is_shown_and_a_destination_picked_by_hand_wins(self):
        now = datetime.datetime.now(datetime.timezone.utc)
        with Session() as s, tempfile.TemporaryDirectory() as folder:
            calendar = os.path.join(folder, "work.ics")
            with open(calendar, "w", encoding="utf-8", newline="") as f:
                f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                        "BEGIN:VEVENT\r\nUID:meeting\r\nDTSTAMP:20250101T000000Z\r\n"
                        f"DTSTART:{utc(now - datetime.timedelta(minutes=15))}\r\n"
                        f"DTEND:{utc(now + datetime.timedelta(minutes=45))}\r\n"
                        "SUMMARY:Budget\r\nLOCATION:会議室B\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
            self.assertEqual(s._run([RUMO, "--calendar", "add", calendar]).returncode, 0)
            self.assertEqual(s._run([RUMO, "--calendar", "on"]).returncode, 0)
            s.set("Config", "Mojimove", 3)  # the destination stands still in the middle
            s.set("Config", "Where", "X")  # stored earlier, not a pick of the last minutes
            png = os.path.join(folder, "notice.png")

            def shown():
                """The destination's width and whether a return line is drawn."""
                notice = s.rumo("-s")
                window = s.wait_window(notice, what="the notice")
                wait_for(lambda: s.active_window() == window, what="the notice's keyboard")

                def drawn():
                    s.screenshot(png)
                    return red_box(s, png, 0, 324, 1024, 120)
                width = wait_for(drawn, what="the destination drawn")
                back = red_box(s, png, 0, 768 - 90, 600, 60)
                if os.environ.get("RUMO_E2E_KEEP"):
                    s._run(["cp", png, os.environ["RUMO_E2E_KEEP"]])
                s.xdotool("key", "--window", window, "a")
                self.assertEqual(wait_exit(notice), 0)
                return width, back

            calendar_width, calendar_back = shown()
            self.assertGreater(calendar_back, 0, "the event's end as the return time")
            # Shown only: the user's own destination stays stored for after the meeting.
            self.assertEqual(s.get("Config", "Where"), "X")

            self.assertEqual(s._run([RUMO, "--where", "X"]).returncode, 0)
            hand_width, hand_back = shown()
            # "会議室B" is four letters wide, "X" one; and no return time was set by hand.
            self.assertGreater(calendar_width, 2.5 * hand_width)
            self.assertEqual(hand_back, 0)


if __name__ == "__main__":
    main()
