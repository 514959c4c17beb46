"""The notice holds on an X11 desktop: with the password lock, no shortcut of the window manager,
no window another program opens and no notification ends it, uncovers it or gets the keyboard."""

import ctypes
import subprocess
import unittest

import harness

from harness import Session, wait_for, wait_exit, still_running_after, xlib

KEY_PRESS_MASK = 1 << 0
BUTTON_PRESS_MASK = 1 << 2
KEY_PRESS = 2
BUTTON_PRESS = 4
GRAB_SUCCESS = 0
CURRENT_TIME = 0


class X11:
    """A connection of the test's own: a window that records the input it gets, and questions
    about grabs and stacking."""

    def __init__(self, display):
        self.x = xlib()
        x = self.x
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_int, ctypes.c_ulong]
        x.XUngrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + \
            [ctypes.POINTER(ctypes.c_ulong)] * 2 + \
            [ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)), ctypes.POINTER(ctypes.c_uint)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XStoreName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
        self.display = x.XOpenDisplay(display.encode())
        assert self.display, "cannot open the display"
        self.root = x.XDefaultRootWindow(self.display)

    def close(self):
        self.x.XCloseDisplay(self.display)

    def window(self, name, width=400, height=300):
        """A managed window that records key presses and clicks; mapped."""
        window = self.x.XCreateSimpleWindow(self.display, self.root, 50, 50, width, height, 0, 0,
                                            0xFFFFFF)
        self.x.XStoreName(self.display, window, name.encode())
        self.x.XSelectInput(self.display, window, KEY_PRESS_MASK | BUTTON_PRESS_MASK)
        self.x.XMapWindow(self.display, window)
        self.x.XSync(self.display, 0)
        return window

    def input_received(self):
        """How many key presses and clicks the test's windows got since the last call."""
        count = 0
        event = (ctypes.c_long * 24)()
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, event)
            if ctypes.cast(event, ctypes.POINTER(ctypes.c_int))[0] in (KEY_PRESS, BUTTON_PRESS):
                count += 1
        return count

    def keyboard_held_by_another(self):
        status = self.x.XGrabKeyboard(self.display, self.root, 0, 1, 1, CURRENT_TIME)
        if status == GRAB_SUCCESS:
            self.x.XUngrabKeyboard(self.display, CURRENT_TIME)
            self.x.XSync(self.display, 0)
        return status != GRAB_SUCCESS

    def stacking(self):
        """The root's children, bottom first."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        self.x.XQueryTree(self.display, self.root, ctypes.byref(root), ctypes.byref(parent),
                          ctypes.byref(children), ctypes.byref(count))
        windows = [children[i] for i in range(count.value)]
        if children:
            self.x.XFree(children)
        return windows


def top_viewable(s, x11):
    for window in reversed(x11.stacking()):
        if "IsViewable" in s._run(["xwininfo", "-id", str(window)]).stdout:
            return window
    return None


def start_password_notice(s, x11):
    s.set("Config", "Passcheck", 1)
    s.set("Config", "Password", "abc")
    notice = s.rumo("-s")
    s.wait_window(notice, "the notice")
    wait_for(x11.keyboard_held_by_another, what="the notice to hold the keyboard")
    return notice


def notice_on_top(s, x11, notice):
    top = top_viewable(s, x11)
    return top is not None and top in s.visible_windows(notice)


class PasswordNotice(unittest.TestCase):
    def test_window_manager_shortcuts_neither_end_nor_uncover_it(self):
        with Session() as s:
            x11 = X11(s.display)
            try:
                behind = x11.window("behind")
                wait_for(lambda: s.active_window() == behind, what="the window behind to be active")
                notice = start_password_notice(s, x11)
                chords = [["key", "ctrl+alt+Right"], ["key", "alt+Tab", "alt+Tab", "alt+Tab"],
                          ["key", "alt+shift+Tab"], ["key", "super+d"], ["key", "super+F2"],
                          ["key", "alt+space"], ["key", "Print"], ["key", "alt+Print"],
                          ["keydown", "alt"], ["mousedown", "1"], ["mousemove", "300", "300"],
                          ["mouseup", "1"], ["click", "4"], ["click", "5"], ["keyup", "alt"],
                          ["keydown", "alt"], ["key", "Tab", "Tab", "Tab"], ["keyup", "alt"]]
                for chord in chords:
                    s.xdotool(*chord)
                s.xdotool("type", "hello")
                s.xdotool("key", "Return")
                s.xdotool("click", "1")
                self.assertTrue(still_running_after(notice, 1.5))
                self.assertTrue(notice_on_top(s, x11, notice))
                self.assertEqual(x11.input_received(), 0, "input reached the window behind")
                s.xdotool("type", "abc")
                s.xdotool("key", "Return")
                self.assertEqual(wait_exit(notice), 0)
            finally:
                x11.close()

    def test_a_window_another_program_opens_does_not_end_or_uncover_it(self):
        with Session() as s:
            x11 = X11(s.display)
            try:
                notice = start_password_notice(s, x11)
                intruder = x11.window("reminder")
                s.xdotool("windowactivate", intruder)
                self.assertTrue(still_running_after(notice, 1.5))
                wait_for(lambda: notice_on_top(s, x11, notice), what="the notice back on top")
                s.xdotool("type", "abc")
                s.xdotool("key", "Return")
                self.assertEqual(wait_exit(notice), 0)
            finally:
                x11.close()

    def test_a_notification_is_covered(self):
        with Session() as s:
            x11 = X11(s.display)
            try:
                s.spawn(["dunst"])
                # A still notice draws once a second: the pop-up must not wait for a frame.
                s.set("Config", "Screen", 4)
                notice = start_password_notice(s, x11)
                s._run(["notify-send", "-t", "60000", "Meeting moved", "Room B at 15:00"])
                wait_for(lambda: s._run(["xdotool", "search", "--onlyvisible", "--class",
                                         "Dunst"]).stdout.strip(), what="the notification")
                wait_for(lambda: notice_on_top(s, x11, notice), what="the notice over it")
                self.assertIsNone(notice.poll())
            finally:
                x11.close()


class OneNotice(unittest.TestCase):
    def test_a_second_start_leaves_the_first_alone(self):
        with Session() as s:
            s.set("Config", "Esc", 1)
            first = s.rumo("-s")
            s.wait_window(first, "the notice")
            second = s.rumo("-s")
            self.assertEqual(wait_exit(second), 0)
            self.assertIsNone(first.poll())
            s.xdotool("key", "Escape")
            self.assertEqual(wait_exit(first), 0)


class PreviewAtTwiceTheScale(unittest.TestCase):
    def test_fills_the_host_window_exactly(self):
        with Session() as s:
            x11 = X11(s.display)
            try:
                host = x11.window("host", 640, 480)
                preview = subprocess.Popen([harness.RUMO, "-p", str(host)],
                                           env=dict(s.env, QT_SCALE_FACTOR="2"),
                                           start_new_session=True)
                s.processes.append(preview)
                child = s.wait_window(preview, "the preview")
                self.assertEqual(s.geometry(child)[2:], (640, 480))
            finally:
                x11.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
