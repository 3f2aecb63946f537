// Start-up, config.ini and quit.
#include "core/config.h"
#include "resources/default_config.h"
#include "tests/unit/fixture.h"

namespace quarvel::testing {
namespace {

TEST_F(ProgramTest, FirstStartWritesTheDefaultConfigAndShowsItsSettings) {
  MainWindow& w = Start();

  const std::string expected =
      "[system]\r\nTrans=0\r\nOnTop=yes\r\nMonitorClip=no\r\nuseie=no\r\n"
      "Button2Caption=\xB5\xB1\xB5\xB1\r\n"
      "Button2Exe=http://union.dangdang.com/transfer/transfer.aspx?from=P-613874&backurl="
      "http://search.book.dangdang.com/search.aspx?key=\xBC\xEC\xCB\xF7\xB4\xCA\r\n"
      "Button3Caption=\xD7\xBF\xD4\xBD\xD1\xC7\xC2\xED\xD1\xB7\r\n"
      "Button3Exe=http://www.amazon.cn/gp/associates/link-types/searchbox.html?tag=velkorin-23&creative=2028"
      "&adid=7KQ2MZW5TRB9XH3LPD6N&campaign=408&mode=blended&keyword=\xBC\xEC\xCB\xF7\xB4\xCA"
      "&Submit.x=29&Submit.y=10&Submit=Go\r\n"
      "Button1Caption=\xB0\xD9\xB6\xC8\r\n"
      "Button1Exe=http://www.baidu.com/s?wd=\xBC\xEC\xCB\xF7\xB4\xCA\r\n";
  EXPECT_EQ(ConfigFile(), expected);
  EXPECT_EQ(DefaultConfigText(), expected);

  EXPECT_EQ(w.标签2.text(), "百度"_gbk);
  EXPECT_EQ(w.标签3.text(), "当当"_gbk);
  EXPECT_EQ(w.标签4.text(), "卓越亚马逊"_gbk);
  EXPECT_EQ(w.标签_透明度.text(), "0");
  EXPECT_EQ(host.windowAlpha[WindowId::Main], 255);
  EXPECT_TRUE(w.alwaysOnTop());
  EXPECT_EQ(w.标签_顶.textColour(), colour::kBlue);
  EXPECT_EQ(w.标签_键.text(), "键"_gbk);
  EXPECT_EQ(w.监控剪贴板.period(), 0);
  EXPECT_FALSE(program.useIE);
}

TEST_F(ProgramTest, StartUpPreparesTheWindowInOrder) {
  MainWindow& w = Start();
  EXPECT_EQ(w.caption(), "Quarvel v2.16");
  EXPECT_EQ(w.窗口假上.text(), "Quarvel v2.16");
  EXPECT_EQ(w.rect(), (Rect{1490, 936, 426, 100}));
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(host.focused, &w.编辑框1);
  ASSERT_EQ(host.trayIcons.count(WindowId::Main), 1u);
  EXPECT_EQ(host.trayIcons[WindowId::Main].icon, TrayIcon::Program);
  EXPECT_EQ(host.trayIcons[WindowId::Main].tip, "Quarvel v2.16");
  EXPECT_EQ(host.dropTargets, std::vector<WindowId>{WindowId::Main});
  EXPECT_EQ(program.tipStage, 1);
  EXPECT_EQ(w.时钟_做气泡.period(), 3000);
  EXPECT_FALSE(w.显示列表框.visible());
  EXPECT_FALSE(w.外形框_几个功能.visible());
  EXPECT_EQ(w.标签23.text(), "<");
  EXPECT_EQ(w.标签_历史.textColour(), colour::kGrey);
}

TEST_F(ProgramTest, AnEmptyConfigStaysEmptyAndTheBuiltInDefaultsApply) {
  WriteConfigFile("");
  MainWindow& w = Start();
  EXPECT_EQ(ConfigFile(), "");
  EXPECT_EQ(w.标签2.text(), "谷歌"_gbk);
  EXPECT_EQ(w.标签3.text(), "百度"_gbk);
  EXPECT_EQ(w.标签4.text(), "淘宝"_gbk);
  EXPECT_EQ(w.标签_透明度.text(), "20");
  EXPECT_EQ(host.windowAlpha[WindowId::Main], 204);
  EXPECT_TRUE(w.alwaysOnTop());
  EXPECT_EQ(w.标签_键.text(), "键"_gbk);
}

TEST_F(ProgramTest, FlagsAreOnOnlyWhenExactlyYes) {
  WriteConfigFile("[system]\r\nOnTop=Yes\r\nMonitorClip=yes\r\nuseie=YES\r\n");
  MainWindow& w = Start();
  EXPECT_FALSE(w.alwaysOnTop());
  EXPECT_EQ(w.标签_顶.textColour(), colour::kGrey);
  EXPECT_EQ(w.标签_键.text(), "监"_gbk);
  EXPECT_EQ(w.监控剪贴板.period(), 1000);
  EXPECT_FALSE(program.useIE);

  program.Quit();
  EXPECT_EQ(ConfigValue("OnTop"), "no");
  EXPECT_EQ(ConfigValue("MonitorClip"), "yes");
}

TEST_F(ProgramTest, QuitWritesTheThreeSwitchesAsShownAndEnds) {
  WriteConfigFile("; kept\r\n[system]\r\nTrans=abc\r\nButton1Caption=x\r\n");
  MainWindow& w = Start();
  EXPECT_EQ(w.标签_透明度.text(), "abc");
  program.Quit();
  EXPECT_EQ(ConfigFile(), "; kept\r\n[system]\r\nTrans=abc\r\nButton1Caption=x\r\nOnTop=yes\r\nMonitorClip=no\r\n");
  EXPECT_EQ(host.trayIcons.count(WindowId::Main), 0u);
  EXPECT_EQ(host.endedWith, 0);
}

TEST_F(ProgramTest, TheQuitItemOfTheTrayMenuQuits) {
  Start();
  host.menuChoices.push_back({"退出"_gbk});
  program.mainWindow().RaiseTrayEvent(3);
  EXPECT_EQ(host.endedWith, 0);
  EXPECT_EQ(ConfigValue("Trans"), "0");
}

TEST_F(ProgramTest, AConfigThatCannotBeWrittenLeavesTheDefaultsInForce) {
  // A folder where config.ini should be: the file can be neither created nor written.
  std::filesystem::create_directory(host.NativePath("config.ini"));
  MainWindow& w = Start();
  EXPECT_EQ(w.标签2.text(), "谷歌"_gbk);
  EXPECT_EQ(host.windowAlpha[WindowId::Main], 204);
  program.Quit();
  EXPECT_EQ(host.endedWith, 0);
}

}  // namespace
}  // namespace quarvel::testing
