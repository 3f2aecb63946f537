// Transparency, always-on-top, clipboard watching, input helpers, drops, tips and tray.
#include "core/config.h"
#include "tests/unit/fixture.h"

namespace quarvel::testing {
namespace {

TEST_F(ProgramTest, TransparencyValuesBecomeOpacities) {
  const struct {
    const char* stored;
    int opacity;
  } cases[] = {{"0", 255},  {"20", 204}, {"33", 170},  {"12.5", 223}, {"80", 51},
               {"100", 0}, {"150", 255}, {"-20", 255}, {"abc", 255}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    TestHost host;
    Program program(host);
    std::ofstream(host.NativePath("config.ini"), std::ios::binary) << "[system]\r\nTrans=" << c.stored << "\r\n";
    program.LoadWindow(WindowId::Main);
    EXPECT_EQ(program.mainWindow().标签_透明度.text(), c.stored);
    EXPECT_EQ(host.windowAlpha[WindowId::Main], c.opacity);
  }
}

TEST_F(ProgramTest, APresetIsStoredAtOnceAndApplied) {
  MainWindow& w = Start();
  host.menuChoices.push_back({"60"});
  w.标签_透明度.RaiseLeftPress();
  EXPECT_EQ(host.menusShown.back(), "透明度预设");
  EXPECT_EQ(ConfigValue("Trans"), "60");
  EXPECT_EQ(w.标签_透明度.text(), "60");
  EXPECT_EQ(host.windowAlpha[WindowId::Main], 102);

  std::vector<Text> items;
  for (const MenuItem& item : w.透明度预设.items) items.push_back(item.text);
  EXPECT_EQ(items, (std::vector<Text>{"0", "-", "20", "-", "40", "-", "60", "-", "80"}));
}

TEST_F(ProgramTest, AlwaysOnTopSwitchesBackAndForthAndIsWrittenAtQuit) {
  MainWindow& w = Start();
  w.标签_顶.RaiseLeftPress();
  EXPECT_FALSE(w.alwaysOnTop());
  EXPECT_EQ(w.标签_顶.textColour(), colour::kGrey);
  w.标签_顶.RaiseLeftPress();
  EXPECT_TRUE(w.alwaysOnTop());
  EXPECT_EQ(w.标签_顶.textColour(), colour::kBlue);
  EXPECT_EQ(ConfigValue("OnTop"), "yes");
  w.标签_顶.RaiseLeftPress();
  EXPECT_EQ(ConfigValue("OnTop"), "yes");  // nothing is written before quit
  program.Quit();
  EXPECT_EQ(ConfigValue("OnTop"), "no");
}

TEST_F(ProgramTest, WatchingMakesTheSearchBoxFollowTheClipboard) {
  MainWindow& w = Start();
  w.标签_键.RaiseLeftPress();
  EXPECT_EQ(w.标签_键.text(), "监"_gbk);
  EXPECT_EQ(w.监控剪贴板.period(), 1000);

  host.clipboard = "abc";
  host.Advance(1000);
  EXPECT_EQ(w.编辑框1.text(), "abc");

  w.编辑框1.SyncText("abd");  // typed by the user
  host.Advance(999);
  EXPECT_EQ(w.编辑框1.text(), "abd");
  host.Advance(1);
  EXPECT_EQ(w.编辑框1.text(), "abc");

  w.编辑框1.SetText("热门搜索：天气"_gbk);
  host.clipboard = "";
  host.Advance(1000);
  EXPECT_EQ(w.编辑框1.text(), "");

  host.focused = nullptr;
  w.标签_键.RaiseLeftPress();
  EXPECT_EQ(w.标签_键.text(), "键"_gbk);
  EXPECT_EQ(w.监控剪贴板.period(), 0);
  EXPECT_EQ(host.focused, &w.编辑框1);
  host.clipboard = "later";
  host.Advance(5000);
  EXPECT_EQ(w.编辑框1.text(), "");
  w.标签_粘贴.RaiseLeftPress();
  EXPECT_EQ(w.编辑框1.text(), "later");

  program.Quit();
  EXPECT_EQ(ConfigValue("MonitorClip"), "no");
}

TEST_F(ProgramTest, InputHelpersCopyQuoteAndClear) {
  MainWindow& w = Start();
  w.编辑框1.SyncText("abc");
  w.标签_复制.RaiseLeftPress();
  EXPECT_EQ(host.clipboard, "abc");

  w.标签_引号.RaiseLeftPress();
  EXPECT_EQ(w.编辑框1.text(), "\xA1\xB0" "abc\xA1\xB1");
  w.标签_引号.RaiseLeftPress();
  EXPECT_EQ(w.编辑框1.text(), "\xA1\xB0\xA1\xB0" "abc\xA1\xB1\xA1\xB1");

  w.编辑框1.SetTextColour(colour::kSilver);
  host.focused = nullptr;
  w.标签1.RaiseLeftPress();
  EXPECT_EQ(w.编辑框1.text(), "");
  EXPECT_EQ(host.focused, &w.编辑框1);
  EXPECT_EQ(w.编辑框1.textColour(), colour::kEditText);

  w.标签_引号.RaiseLeftPress();
  EXPECT_EQ(w.编辑框1.text(), "“”"_gbk);
}

TEST_F(ProgramTest, DropsReplaceTheTermWithoutSearching) {
  MainWindow& w = Start();
  w.编辑框1.SyncText("old");
  w.拖放对象1.onGotText("dropped text");
  EXPECT_EQ(w.编辑框1.text(), "dropped text");
  w.拖放对象1.onGotHypertext("天气"_gbk);
  EXPECT_EQ(w.编辑框1.text(), "天气"_gbk);
  w.拖放对象1.onGotUrl("http://example.com/a?b=c");
  EXPECT_EQ(w.编辑框1.text(), "http://example.com/a?b=c");
  EXPECT_TRUE(host.runs.empty());
  EXPECT_TRUE(program.searchHistory.empty());
}

TEST_F(ProgramTest, TwoTipsAfterStartAtTheirPointsAndNeverAThird) {
  MainWindow& w = Start();
  host.Advance(2999);
  EXPECT_TRUE(host.balloons.empty());
  host.Advance(1);
  ASSERT_EQ(host.balloons.size(), 1u);
  EXPECT_EQ(host.balloons[0].x, 1690);
  EXPECT_EQ(host.balloons[0].y, 990);
  EXPECT_EQ(host.balloons[0].text, "　单击此类按钮可更改或自定义搜索引擎　"_gbk);
  EXPECT_EQ(host.balloons[0].text.size(), 38u);

  w.SyncGeometry({100, 200, 426, 100});  // dragged in between: the second tip follows
  host.Advance(5000);
  ASSERT_EQ(host.balloons.size(), 2u);
  EXPECT_EQ(host.balloons[1].x, 100);
  EXPECT_EQ(host.balloons[1].y, 200);
  EXPECT_EQ(host.balloons[1].text, "　请试试将检索词直接拖放至本窗口　"_gbk);
  EXPECT_EQ(host.balloons[1].text.size(), 34u);

  w.窗口关闭按钮.RaiseClick();
  host.menuChoices.push_back({"显示主窗口"_gbk});
  w.RaiseTrayEvent(1);
  host.Advance(60000);
  EXPECT_EQ(host.balloons.size(), 2u);
}

TEST_F(ProgramTest, EveryTrayEventOpensTheTrayMenuAndShowBringsTheWindowBack) {
  MainWindow& w = Start();
  for (int code : {1, 2, 3}) {
    w.RaiseTrayEvent(code);
    EXPECT_EQ(host.menusShown.back(), "托盘菜单");
  }
  std::vector<Text> items;
  for (const MenuItem& item : w.托盘菜单.items) items.push_back(item.text);
  EXPECT_EQ(items, (std::vector<Text>{"显示主窗口"_gbk, "-", "搜宝推荐：Pelloret"_gbk, "-", "淘宝淘实惠"_gbk, "-",
                                      "退出"_gbk}));

  w.窗口关闭按钮.RaiseClick();
  ASSERT_TRUE(w.minimised());
  host.menuChoices.push_back({"显示主窗口"_gbk});
  w.RaiseTrayEvent(2);
  EXPECT_TRUE(w.visible());
  EXPECT_FALSE(w.minimised());
  EXPECT_EQ(host.switchedTo.back(), WindowId::Main);
}

}  // namespace
}  // namespace quarvel::testing
