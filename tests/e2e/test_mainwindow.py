"""MainWindow on a real desktop: start-up, config.ini, placement, collapse and expand, drag,
close, the tray menu and quit."""
import os
import subprocess
import unittest

from desktop import DesktopTest, Quarvel, QUARVEL, gbk

DEFAULT_CONFIG = gbk(
    "[system]\r\nTrans=0\r\nOnTop=yes\r\nMonitorClip=no\r\nuseie=no\r\nButton2Caption=当当\r\n"
    "Button2Exe=http://union.dangdang.com/transfer/transfer.aspx?from=P-613874&backurl="
    "http://search.book.dangdang.com/search.aspx?key=检索词\r\nButton3Caption=卓越亚马逊\r\n"
    "Button3Exe=http://www.amazon.cn/gp/associates/link-types/searchbox.html?tag=velkorin-23&creative=2028"
    "&adid=7KQ2MZW5TRB9XH3LPD6N&campaign=408&mode=blended&keyword=检索词&Submit.x=29&Submit.y=10&Submit=Go\r\n"
    "Button1Caption=百度\r\nButton1Exe=http://www.baidu.com/s?wd=检索词\r\n")

TOOL_BOX_SWITCH = (401, 39)
HISTORY_SWITCH = (378, 39)
CLOSE_BUTTON = (414, 12)
TITLE_BAR = (60, 12)


class MainWindowTest(DesktopTest):
    def test_first_start_places_the_window_and_writes_the_default_config(self):
        q = self.start()
        self.assertEqual(q.config(), DEFAULT_CONFIG)
        self.assertEqual(q.window(), (1490, 936, 426, 100))
        self.assertIn("_NET_WM_STATE_ABOVE", self.desktop.xprop("^Quarvel v2.16$", "_NET_WM_STATE"))
        self.desktop.screenshot("mainwindow-collapsed")

        q.click(*TOOL_BOX_SWITCH)
        q.click(*HISTORY_SWITCH)
        self.desktop.wait_until(lambda: q.window() == (1490, 804, 426, 232), "the expanded window")
        self.desktop.screenshot("mainwindow-expanded")
        q.click(*HISTORY_SWITCH)
        self.desktop.wait_until(lambda: q.window() == (1490, 936, 426, 100), "the collapsed window")
        self.assertNoUnexpectedStderr()

    def test_the_title_bar_drags_and_the_history_switch_brings_the_window_back(self):
        q = self.start()
        left, top, _, _ = q.window()
        d = self.desktop
        d.move(left + TITLE_BAR[0], top + TITLE_BAR[1])
        d.run(["xdotool", "mousedown", "1"])
        for x, y in ((1200, 800), (900, 600), (800, 500)):
            d.move(x, y)
        d.run(["xdotool", "mouseup", "1"])
        d.wait_until(lambda: q.window()[:2] == (800 - TITLE_BAR[0], 500 - TITLE_BAR[1]), "the dragged window")

        q.click(*TOOL_BOX_SWITCH)
        q.click(*HISTORY_SWITCH)
        d.wait_until(lambda: q.window() == (1490, 804, 426, 232), "the window back at the lower right")

    def test_close_hides_the_tray_menu_shows_and_quit_writes_the_switches(self):
        q = self.start(config=b"[system]\r\nButton1Caption=x\r\n")
        q.click(*CLOSE_BUTTON)
        self.desktop.wait_until(
            lambda: not self.desktop.run(["xdotool", "search", "--onlyvisible", "--name", "^Quarvel v2.16$"],
                                         check=False).stdout.split(), "the hidden window")
        self.assertIsNone(q.process.poll())

        q.tray_menu("Down", "Return")  # "显示主窗口"
        self.desktop.wait_for_window("^Quarvel v2.16$")
        self.assertEqual(q.window(), (1490, 936, 426, 100))

        self.assertEqual(q.quit_from_tray(), 0)
        self.assertEqual(q.config(), b"[system]\r\nButton1Caption=x\r\nTrans=20\r\nOnTop=yes\r\nMonitorClip=no\r\n")
        self.assertNoUnexpectedStderr()


class NoDisplayTest(unittest.TestCase):
    def test_without_a_display_the_program_says_so_in_one_line(self):
        if not QUARVEL:
            self.skipTest("QUARVEL_BINARY is not set")
        env = {"PATH": os.environ.get("PATH", "/usr/bin"), "HOME": "/nonexistent"}
        r = subprocess.run([QUARVEL], env=env, capture_output=True, timeout=20)
        self.assertNotEqual(r.returncode, 0)
        lines = r.stderr.decode().strip().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("display", lines[0])


if __name__ == "__main__":
    unittest.main()
