"""The interface in the locale's language: under an English locale the bar's tooltips, both icon
menus, the properties dialog's tabs and a message box carry no Japanese; under a Japanese locale
they read exactly as they always have. The menus are read where a desktop reads them (the exported
StatusNotifierItem menu), the windows through the accessibility bus, as a screen reader does.
Run with Debian's /usr/bin/python3, which has the gi module."""

import os
import re
import subprocess
import sys
import unittest

from gi.repository import GLib

sys.path.insert(0, os.path.dirname(__file__))
from harness import main, wait_for  # noqa: E402
from tray_desktop_test import DesktopSession, item_with_label, labels  # noqa: E402

ATSPI = os.path.join(os.path.dirname(__file__), "atspi_texts.py")
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
JAPANESE = re.compile("[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
DBUSMENU = "com.canonical.dbusmenu"


class LocaleSession(DesktopSession):
    def __init__(self, lang):
        super().__init__()
        self.lang = lang

    @property
    def env(self):
        env = super().env
        env["LANG"] = self.lang
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return env

    def accessible(self, *args):
        return self._run(["/usr/bin/python3", ATSPI, "rumo", *args])

    def texts(self):
        return self.accessible().stdout.splitlines()

    def menu_labels(self):
        """Every label of the exported menu, which holds both of the icon's menus."""
        item = wait_for(lambda: self.registered_items(), what="the icon registered")[0]
        service, _, path = item.partition("/")
        path = "/" + path if path else "/StatusNotifierItem"
        self.menu = (service, self.prop(service, path, "org.kde.StatusNotifierItem", "Menu"))
        self.call(*self.menu, DBUSMENU, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)")
        return wait_for(lambda: (lambda layout: layout if len(labels(layout)) > 10 else None)(
            self.call(*self.menu, DBUSMENU, "GetLayout", GLib.Variant("(iias)", (0, -1, [])),
                      "(u(ia{sv}av))")[1]), what="the exported menu")

    def click_menu(self, layout, label):
        self.call(*self.menu, DBUSMENU, "Event",
                  GLib.Variant("(isvu)", (item_with_label(layout, label), "clicked",
                                          GLib.Variant("i", 0), 0)))

    def texts_once(self, wanted):
        return wait_for(lambda: (lambda t: t if wanted in t else None)(self.texts()),
                        what=f'"{wanted}" shown')


def interface_texts(s, words):
    """Starts the bar and goes through what a user meets: the bar, the icon's menus, every tab of
    the dialog and the message a wrong time gives. Returns (menu labels, window texts)."""
    s.start_watcher()
    s.spawn([BUS_LAUNCHER, "--launch-immediately"])
    s.rumo()
    layout = s.menu_labels()
    shown = s.texts_once(words["start"])
    s.click_menu(layout, words["properties"])
    shown += s.texts_once(words["first tab"])
    for tab in words["tabs"]:
        wait_for(lambda: s.accessible("tab", tab).returncode == 0, what=f"the {tab} tab")
        shown += s.texts_once(words["tab control"][tab])
    # The return tab's first field takes a word where a time belongs; OK then refuses it.
    wait_for(lambda: s.accessible("type", "0", "noon").returncode == 0, what="a time field")
    wait_for(lambda: s.accessible("click", "OK").returncode == 0, what="the OK button")
    shown += s.texts_once(words["message"])
    return labels(layout), shown


class LanguageTest(unittest.TestCase):
    def setUp(self):
        if not os.access(BUS_LAUNCHER, os.X_OK):
            self.skipTest("at-spi2-core is not installed: no accessibility bus to read windows")

    def test_english_locale_shows_no_japanese(self):
        with LocaleSession("en_US.UTF-8") as s:
            menus, windows = interface_texts(s, {
                "start": "Start away notice", "properties": "Properties", "first tab": "Motion",
                "tabs": ["Places", "Memos", "Return"],
                "tab control": {"Places": "By place", "Memos": "Date and time",
                                "Return": "After lunch"},
                "message": "Enter the time like 13:00."})
            for text in menus + windows:
                self.assertIsNone(JAPANESE.search(text), text)
            for text in ["Show bar", "Destinations", "Start away notice", "Screen saver",
                         "Display settings", "Exit RUMO?", "Return time", "In 30 minutes",
                         "Add destinations in Properties", "Team board"]:
                self.assertIn(text, menus)
            for text in ["Destinations", "Return time", "Display", "Cancel"]:
                self.assertIn(text, windows)

    def test_japanese_locale_shows_the_texts_as_they_always_were(self):
        with LocaleSession("ja_JP.UTF-8") as s:
            menus, windows = interface_texts(s, {
                "start": "離席表示を開始", "properties": "ﾌﾟﾛﾊﾟﾃｨ", "first tab": "スクリーン",
                "tabs": ["行先", "メモ", "戻"],
                "tab control": {"行先": "行先毎", "メモ": "現在の日付と時刻", "戻": "昼休み明け"},
                "message": "時刻は 13:00 のように入力してください。"})
            self.assertEqual([label for label in menus if label], [
                "バーを表示", "行先", "行先はﾌﾟﾛﾊﾟﾃｨで追加します", "ﾌﾟﾛﾊﾟﾃｨ", "戻り予定",
                "15分後", "30分後", "1時間後", "2時間後", "昼休み明け", "定時", "指定…", "なし",
                "RUMO?の起動", "ｽｸﾘｰﾝｾｲﾊﾞｰの起動", "ｽｸﾘｰﾝｾｲﾊﾞｰの選択"] +
                [label for label in menus if label][16:-4] +
                ["ﾌﾟﾛﾊﾟﾃｨ", "行先掲示板", "画面のﾌﾟﾛﾊﾟﾃｨ", "RUMO?の終了"])
            for text in ["行先", "戻", "戻り予定", "ｶｽﾀﾏｲｽﾞ", "ﾊﾟｽﾜｰﾄﾞ保護", "ﾊﾞｰｼﾞｮﾝ情報",
                         "ﾕｰｻﾞ名", "ｘ：", "定時", "ｷｬﾝｾﾙ"]:
                self.assertIn(text, windows)


if __name__ == "__main__":
    main()
