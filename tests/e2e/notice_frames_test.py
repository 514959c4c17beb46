"""The running notice on a real X server: the stored destination is drawn and keeps moving,
and stands still in the fixed position."""

import os
import subprocess
import unittest

from harness import Session, wait_for, still_running_after

RED = "rgb(255,0,0)"


def count_colour(s, png, colour, band=None):
    """Pixels of exactly one colour in a PNG, optionally only in a horizontal band (y0, y1)."""
    crop = []
    if band is not None:
        crop = ["-crop", f"100000x{band[1] - band[0]}+0+{band[0]}", "+repage"]
    result = s._run(["convert", png, *crop, "-fill", "black", "+opaque", colour, "-fill", "white",
                     "-opaque", colour, "-format", "%[fx:round(mean*w*h)]", "info:"])
    assert result.returncode == 0, result.stderr
    return int(float(result.stdout.strip()))


def differing_pixels(s, a, b):
    result = s._run(["compare", "-metric", "AE", a, b, "null:"])
    return int(float(result.stderr.split()[0]))


def start_notice(s, **settings):
    for key, value in settings.items():
        s.set("Config", key, value)
    notice = s.rumo("-s")
    window = s.wait_window(notice, what="the notice")
    return notice, window


class NoticeFrames(unittest.TestCase):
    def shot(self, s, name):
        return s.screenshot(os.path.join(s.root, name))

    def wait_for_text(self, s, band):
        return wait_for(lambda: count_colour(s, self.shot(s, "probe.png"), RED, band) > 500,
                        what="the destination drawn in red")

    def test_destination_moves_from_the_left(self):
        with Session() as s:
            notice, _ = start_notice(s, Where="会議室")
            # 120-pixel text centred on a 768-pixel screen: its cell spans rows 324..444.
            self.wait_for_text(s, (324, 444))
            first = self.shot(s, "a.png")
            self.assertTrue(still_running_after(notice, 0.5))
            second = self.shot(s, "b.png")
            self.assertGreater(differing_pixels(s, first, second), 100)
            self.assertEqual(count_colour(s, second, RED, (0, 324)), 0)
            self.assertEqual(count_colour(s, second, RED, (444, 768)), 0)
            self.assertIsNone(notice.poll())

    def test_fixed_position_stands_still(self):
        with Session() as s:
            notice, _ = start_notice(s, Where="会議室", Mojimove=3)
            self.wait_for_text(s, (324, 444))
            first = self.shot(s, "a.png")
            self.assertTrue(still_running_after(notice, 0.5))
            second = self.shot(s, "b.png")
            self.assertEqual(differing_pixels(s, first, second), 0)

    def test_pattern_out_of_range_draws_like_the_first(self):
        with Session() as s:
            notice, _ = start_notice(s, Where="会議室", Screen=9)
            self.wait_for_text(s, (324, 444))
            self.assertIsNone(notice.poll())


if __name__ == "__main__":
    unittest.main(verbosity=2)
