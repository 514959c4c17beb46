"""The properties dialog on a real display, on the real settings file.

The dialog is opened by rumo-properties-probe, which calls the same entry point as the bar's
properties command. Set RUMO_E2E_SHOTS to a folder to keep a screenshot of each tab.
"""

import os
import unittest

from harness import BUILD_DIR, Session, wait_exit, wait_for

PROBE = os.path.join(BUILD_DIR, "rumo-properties-probe")


def open_dialog(s):
    dialog = s.rumo(program=PROBE)
    window = s.wait_window(dialog, what="the properties dialog")
    x, y, w, h = s.geometry(window)
    s.xdotool("mousemove", x + w // 2, y + h // 2)
    wait_for(lambda: s.active_window() == window, what="the dialog to be active")
    return dialog, window


def keep_screenshot(s, window, name):
    folder = os.environ.get("RUMO_E2E_SHOTS")
    if folder:
        os.makedirs(folder, exist_ok=True)
        s.screenshot(os.path.join(folder, name + ".png"), window)


class Properties(unittest.TestCase):
    def test_ok_stores_the_typed_user_name(self):
        with Session() as s:
            s.set("Config", "Name", "old")
            dialog, window = open_dialog(s)
            keep_screenshot(s, window, "tab0")
            # The tab bar has the focus when the dialog opens; the arrow keys change tabs.
            s.xdotool("key", "Right")
            keep_screenshot(s, window, "tab1")
            s.xdotool("key", "Right")
            keep_screenshot(s, window, "tab2")
            s.xdotool("key", "Tab", "ctrl+a")  # the user name edit, its text selected
            s.xdotool("type", "--delay", "20", "Yamada Taro")
            s.xdotool("key", "Return")
            self.assertEqual(wait_exit(dialog), 0)
            self.assertEqual(s.get("Config", "Name"), "Yamada Taro")
            self.assertEqual(s.get("Config", "Desktop"), "1")
            self.assertEqual(s.get("Config/Minf3", "Memo3x"), "0")

    def test_escape_writes_nothing(self):
        with Session() as s:
            s.set("Config", "Name", "kept")
            dialog, window = open_dialog(s)
            s.xdotool("key", "Right", "Right", "Tab", "ctrl+a")
            s.xdotool("type", "--delay", "20", "lost")
            s.xdotool("key", "Escape")
            self.assertEqual(wait_exit(dialog), 0)
            self.assertEqual(s.get("Config", "Name"), "kept")
            self.assertEqual(s.get("Config", "Desktop"), "")


if __name__ == "__main__":
    unittest.main(verbosity=2)
