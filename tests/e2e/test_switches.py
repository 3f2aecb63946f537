"""MainWindow's switches on a real desktop with a window manager: transparency, always-on-top and
clipboard watching, and that they survive a restart."""
import subprocess
import time
import unittest

from desktop import DesktopTest, Quarvel

TRANSPARENCY = (292, 12)
WATCHING = (315, 12)
ON_TOP = (336, 12)
SLOT_2 = (157, 65)

CONFIG = b"[system]\r\nTrans=0\r\nOnTop=yes\r\nMonitorClip=no\r\nButton2Exe=http://two.example/?q=\xbc\xec\xcb\xf7\xb4\xca\r\n"


class SwitchesTest(DesktopTest):
    def setUp(self):
        super().setUp()
        # A window manager keeps _NET_WM_STATE, so the always-on-top state can be read back.
        self.desktop.processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.desktop.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.desktop.wait_until(
            lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.desktop.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout.decode(), "the window manager")

    def state(self):
        return self.desktop.xprop("^Quarvel v2.16$", "_NET_WM_STATE")

    def opacity(self):
        """The window's opacity property, 0 to 0xFFFFFFFF, or None when it has none."""
        out = self.desktop.xprop("^Quarvel v2.16$", "_NET_WM_WINDOW_OPACITY")
        return int(out.split("=")[1].strip(), 0) if "=" in out else None

    def search_until(self, q, address, timeout=10.0):
        """Searches with slot 2 until the browser is handed the address: the search box has
        followed the clipboard by then."""
        deadline = time.monotonic() + timeout
        while True:
            count = len(self.desktop.browser_calls())
            q.click(*SLOT_2)
            calls = self.desktop.wait_for_browser_calls(count + 1)
            if calls[-1] == [address]:
                return
            if time.monotonic() > deadline:
                self.fail(f"the search box did not follow the clipboard: {calls[-1]}")
            time.sleep(0.2)

    def test_switches_work_and_survive_a_restart(self):
        q = self.start(config=CONFIG)
        d = self.desktop
        place = q.window()
        self.assertIn("_NET_WM_STATE_ABOVE", self.state())

        q.menu(*TRANSPARENCY, "Down", "Down", "Down", "Down", "Return")  # "60"
        d.wait_until(lambda: self.opacity() == 0x66666666, "the window's opacity")
        self.assertEqual(q.config_value("Trans"), "60")

        q.click(*ON_TOP)
        d.wait_until(lambda: "_NET_WM_STATE_ABOVE" not in self.state(), "always-on-top switched off")
        self.assertEqual(q.window(), place)
        q.click(*ON_TOP)
        d.wait_until(lambda: "_NET_WM_STATE_ABOVE" in self.state(), "always-on-top switched on")
        self.assertEqual(q.window(), place)
        q.click(*ON_TOP)
        d.wait_until(lambda: "_NET_WM_STATE_ABOVE" not in self.state(), "always-on-top switched off")

        q.click(*WATCHING)
        d.set_clipboard("clip1")
        self.search_until(q, "http://two.example/?q=clip1")
        d.screenshot("switches")

        self.assertEqual(q.quit_from_tray(), 0)
        self.assertEqual((q.config_value("Trans"), q.config_value("OnTop"), q.config_value("MonitorClip")),
                         ("60", "no", "yes"))

        q.start()
        d.wait_until(lambda: self.opacity() == 0x66666666, "the restored opacity")
        self.assertNotIn("_NET_WM_STATE_ABOVE", self.state())
        d.set_clipboard("clip2")
        self.search_until(q, "http://two.example/?q=clip2")
        self.assertNoUnexpectedStderr()

    def test_the_first_tip_points_at_the_middle_arrow(self):
        q = self.start(config=CONFIG)
        before = q.visible_windows()
        balloon = self.desktop.wait_until(lambda: q.visible_windows() - before, "the first tip", timeout=8).pop()
        out = self.desktop.run(["xdotool", "getwindowgeometry", "--shell", balloon]).stdout.decode()
        g = dict(line.split("=") for line in out.split())
        x, y, w, h = int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])
        # The bubble's pointer touches (1690, 990), the middle slot's arrow.
        self.assertTrue(x <= 1690 <= x + w and y <= 990 <= y + h + 1, (x, y, w, h))
        self.desktop.screenshot("first-tip")


if __name__ == "__main__":
    unittest.main()
