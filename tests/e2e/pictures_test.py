"""Pictures in the running notice on a real X server: the background picture tiled over the
screen, the foreground picture centred, the destination's own picture in picture mode 1, and a
picture on a file system that stops answering."""

import contextlib
import os
import shutil
import subprocess
import unittest

from harness import Session, wait_exit, wait_for

BLUE = (0, 0, 255)
RED = (255, 0, 0)
GREEN = (0, 128, 0)  # ImageMagick's "green"
BLACK = (0, 0, 0)

WIDTH, HEIGHT = 1024, 768
CENTRE = (WIDTH // 2, HEIGHT // 2)
CORNERS = [(4, 4), (WIDTH - 5, 4), (4, HEIGHT - 5), (WIDTH - 5, HEIGHT - 5)]


def close_to(actual, expected, tolerance=24):
    """JPEG colours come back a few steps off."""
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def make_picture(folder, name, size, colour):
    path = os.path.join(folder, name)
    subprocess.run(["convert", "-size", size, "xc:" + colour, path], check=True)
    return path


@contextlib.contextmanager
def hanging_folder(root):
    """A folder whose stuck.jpg never answers a read (FUSE); skips where FUSE cannot mount."""
    if shutil.which("/usr/bin/python3") is None:
        raise unittest.SkipTest("no system Python to serve the hanging file system")
    folder = os.path.join(root, "hanging")
    os.mkdir(folder)
    server = subprocess.Popen(
        ["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "hanging_fs.py"), folder],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        wait_for(lambda: os.path.ismount(folder) or server.poll() is not None,
                 what="the hanging file system")
        if not os.path.ismount(folder):
            raise unittest.SkipTest("cannot mount the hanging file system (FUSE) here: "
                                    + server.stderr.read().decode().strip())
        yield folder
    finally:
        subprocess.run(["umount", "-l", folder], stderr=subprocess.DEVNULL)
        server.kill()
        server.communicate()


class Pictures(unittest.TestCase):
    def start(self, s, **settings):
        # The text-free pattern, no small lines and no memos: nothing but pictures is drawn.
        settings = {"Screen": 4, "Riseki": 0, "Daytime": 0, "Name": "", **settings}
        for key, value in settings.items():
            section = "Config/Gazo" if key.startswith("Gazo") else "Config"
            s.set(section, key, value)
        notice = s.rumo("-s")
        s.wait_window(notice, what="the notice")
        return notice

    def wait_for_colours(self, s, expected):
        """Polls screenshots until every (x, y) -> colour of expected is shown."""
        shot = os.path.join(s.root, "shot.png")
        seen = {}

        def shows_all():
            s.screenshot(shot)
            for point, colour in expected.items():
                seen[point] = s.pixel(shot, *point)
                if not close_to(seen[point], colour):
                    return False
            return True

        try:
            wait_for(shows_all, what="the pictures on screen")
        except AssertionError:
            self.fail(f"expected {expected}, last seen {seen}")

    def test_background_tiled_and_foreground_centred(self):
        with Session() as s:
            back = make_picture(s.root, "back.bmp", "100x100", "blue")
            fore = make_picture(s.root, "fore.jpg", "300x200", "red")
            notice = self.start(s, Bitall=1, Bitmap2=back, Bitshow=1, Bitmap=fore)
            # The 300x200 picture spans (362, 284)..(661, 483); the tiles cover the rest.
            expected = {point: BLUE for point in CORNERS}
            expected.update({CENTRE: RED, (365, 287): RED, (658, 480): RED,
                             (358, CENTRE[1]): BLUE, (CENTRE[0], 488): BLUE})
            self.wait_for_colours(s, expected)
            self.assertIsNone(notice.poll())

    def test_missing_foreground_leaves_the_background(self):
        with Session() as s:
            back = make_picture(s.root, "back.bmp", "100x100", "blue")
            missing = os.path.join(s.root, "nowhere.jpg")
            notice = self.start(s, Bitall=1, Bitmap2=back, Bitshow=1, Bitmap=missing)
            self.wait_for_colours(s, {CENTRE: BLUE, CORNERS[0]: BLUE, CORNERS[3]: BLUE})
            self.assertIsNone(notice.poll())

    def test_destination_picture_in_picture_mode_1(self):
        with Session() as s:
            fallback = make_picture(s.root, "fallback.jpg", "300x200", "red")
            other = make_picture(s.root, "other.jpg", "300x200", "blue")
            own = make_picture(s.root, "own.jpg", "300x200", "green")
            # The stored destination matches the third place once its trailing blanks go.
            notice = self.start(s, Mtype=1, Bitshow=1, Bitmap=fallback, Where="会議室",
                                Place1="応接室", Gazo1=other, Place3="会議室  ", Gazo3=own)
            self.wait_for_colours(s, {CENTRE: GREEN, CORNERS[0]: BLACK, CORNERS[3]: BLACK})
            self.assertIsNone(notice.poll())

    def test_a_picture_whose_reads_hang_holds_neither_the_notice_nor_esc(self):
        with Session() as s, hanging_folder(s.root) as folder:
            back = make_picture(s.root, "back.bmp", "100x100", "blue")
            notice = self.start(s, Esc=1, Bitall=1, Bitmap2=back, Bitshow=1,
                                Bitmap=os.path.join(folder, "stuck.jpg"))
            # The background comes up while the foreground's file has not answered.
            self.wait_for_colours(s, {CENTRE: BLUE, CORNERS[0]: BLUE, CORNERS[3]: BLUE})
            s.xdotool("key", "Escape")
            self.assertEqual(wait_exit(notice), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
