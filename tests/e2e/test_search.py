"""Searching on a real desktop: the term typed into MainWindow opens the filled-in addresses in
the desktop's default browser, one argument each, in the right order."""
import os
import unittest

from desktop import DesktopTest, gbk

SEARCH_BOX = (200, 39)
SLOT_2 = (157, 65)
TOGETHER = (362, 65)
ARROW_3 = (300, 65)

CONFIG = gbk("[system]\r\nButton1Caption=一\r\nButton1Exe=http://one.example/s?q=检索词\r\n"
             "Button2Caption=二\r\nButton2Exe=http://two.example/s?q=检索词&x=1\r\n"
             "Button3Caption=三\r\nButton3Exe=http://three.example/检索词/\r\n")

TERM = "天气 AT&T"
ENCODED = "天气%20AT%26T"


CLEAR = (12, 39)
TOOL_BOX_SWITCH = (401, 39)
COPY = (338, 39)


class SearchTest(DesktopTest):
    def type_term(self, q, term=TERM):
        """Types the term into the search box and reads it back through the copy label.
        xdotool now and then loses a Chinese character to Qt's keymap update; then it types
        again."""
        if not getattr(self, "tool_box_open", False):
            q.click(*TOOL_BOX_SWITCH)
            self.tool_box_open = True
        for _ in range(3):
            q.click(*CLEAR)
            self.desktop.type(term)
            self.desktop.set_clipboard("")
            q.click(*COPY)
            try:
                self.desktop.wait_until(lambda: self.desktop.clipboard() == term, "the copied term", timeout=3)
                return
            except AssertionError:
                continue
        self.fail(f"could not type {term!r}: the box held {self.desktop.clipboard()!r}")

    def test_enter_slot_label_and_together_open_the_right_pages(self):
        q = self.start(config=CONFIG)
        d = self.desktop
        self.type_term(q)
        d.key("Return")
        calls = d.wait_for_browser_calls(3)
        self.assertEqual(calls, [[f"http://three.example/{ENCODED}/"],
                                 [f"http://two.example/s?q={ENCODED}&x=1"],
                                 [f"http://one.example/s?q={ENCODED}"]])

        q.click(*SLOT_2)
        calls = d.wait_for_browser_calls(4)
        self.assertEqual(calls[3], [f"http://two.example/s?q={ENCODED}&x=1"])

        q.click(*TOGETHER)
        calls = d.wait_for_browser_calls(7)
        self.assertEqual(calls[4:], [[f"http://one.example/s?q={ENCODED}"],
                                     [f"http://two.example/s?q={ENCODED}&x=1"],
                                     [f"http://three.example/{ENCODED}/"]])
        d.screenshot("search")
        self.assertNoUnexpectedStderr()

    def test_an_engine_from_the_menu_is_used_by_the_next_search(self):
        q = self.start(config=CONFIG)
        # 自定义, 综合搜索 ▸ 谷歌, 百度
        q.menu(*ARROW_3, "Down", "Down", "Right", "Down", "Return")
        self.desktop.wait_until(lambda: q.config_value("Button3Caption") == "百度", "the stored engine")
        self.assertEqual(q.config_value("Button3Exe"), "http://www.baidu.com/s?wd=检索词")
        self.type_term(q, "x")
        q.click(*TOGETHER)
        self.assertEqual(self.desktop.wait_for_browser_calls(3)[2], ["http://www.baidu.com/s?wd=x"])

    def test_the_slot_editor_stores_what_is_typed(self):
        q = self.start(config=CONFIG)
        q.menu(*ARROW_3, "Down", "Return")  # 自定义
        d = self.desktop
        d.wait_for_window("^设置按钮相关 - Quarvel$")
        left, top, width, height = d.geometry("^设置按钮相关 - Quarvel$")
        self.assertEqual((width, height), (406, 162))
        d.screenshot("slot-editor")
        d.click(left + 150, top + 26)  # the caption box
        d.key("ctrl+a")
        d.type("Wiki")
        d.click(left + 200, top + 60)  # the template box
        d.key("ctrl+a")
        d.set_clipboard("http://wiki.example/?s=检索词")
        d.key("ctrl+v")
        d.click(left + 200, top + 110)  # 确定
        self.desktop.wait_until(lambda: q.config_value("Button3Caption") == "Wiki", "the stored slot")
        self.assertEqual(q.config_value("Button3Exe"), "http://wiki.example/?s=检索词")
        self.assertNoUnexpectedStderr()


class NoBrowserTest(DesktopTest):
    def test_without_a_browser_the_address_goes_to_the_clipboard_with_a_message(self):
        os.remove(os.path.join(self.desktop.config_home, "mimeapps.list"))
        q = self.start(config=CONFIG)
        q.click(*SEARCH_BOX)
        self.desktop.type("abc")
        q.click(*SLOT_2)
        self.desktop.wait_for_window("^提示：$")
        self.assertEqual(self.desktop.clipboard(), "http://two.example/s?q=abc&x=1")
        self.desktop.screenshot("no-browser-message")
        self.desktop.key("Return")
        self.assertEqual(self.desktop.browser_calls(), [])


if __name__ == "__main__":
    unittest.main()
