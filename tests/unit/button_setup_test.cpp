// ButtonSetupWindow: editing a slot by hand.
#include "core/config.h"
#include "settings/button_setup_window.h"
#include "tests/unit/fixture.h"

namespace quarvel::testing {
namespace {

class ButtonSetupTest : public ProgramTest {
 protected:
  ButtonSetupWindow& OpenFor(MainWindow& w, Control& arrow) {
    host.menuChoices.push_back({"自定义"_gbk});
    arrow.RaiseLeftPress();
    Form* form = program.Window(WindowId::ButtonSetup);
    EXPECT_NE(form, nullptr);
    (void)w;
    return static_cast<ButtonSetupWindow&>(*form);
  }
};

TEST_F(ButtonSetupTest, OpensWithTheLabelsCaptionAndTheStoredOrSetupTemplate) {
  WriteConfigFile("[system]\r\nButton3Caption=stored\r\nButton1Exe=http://mine/?q=检索词\r\n"_gbk);
  MainWindow& w = Start();
  w.标签4.SetText("shown");

  ButtonSetupWindow& b = OpenFor(w, w.标签15);
  EXPECT_EQ(b.caption(), "设置按钮相关 - Quarvel"_gbk);
  EXPECT_EQ(b.height(), 162);
  EXPECT_EQ(b.width(), 406);
  EXPECT_TRUE(b.visible());
  EXPECT_EQ(b.编辑框1.text(), "shown");
  EXPECT_EQ(b.编辑框2.text(),
            "http://www.sogou.com/web?query=检索词&_asf=www.sogou.com&_ast=1221704966&w=01019900&p=40040100"_gbk);

  // Storing it makes slot 3 search Sogou rather than the built-in Taobao template.
  b.按钮_确定.RaiseClick();
  host.RunPosted();
  EXPECT_FALSE(program.IsWindowLoaded(WindowId::ButtonSetup));
  w.编辑框1.SyncText("x");
  w.标签4.RaiseLeftPress();
  ASSERT_EQ(host.runs.size(), 1u);
  EXPECT_EQ(host.runs[0].commandLine,
            " http://www.sogou.com/web?query=x&_asf=www.sogou.com&_ast=1221704966&w=01019900&p=40040100");
}

TEST_F(ButtonSetupTest, ConfirmWritesTheSlotThatIsCurrentAtThatMoment) {
  WriteConfigFile("");
  MainWindow& w = Start();
  ButtonSetupWindow& b = OpenFor(w, w.标签13);
  EXPECT_EQ(b.编辑框1.text(), "谷歌"_gbk);
  EXPECT_EQ(b.编辑框2.text(), "http://www.google.com/search?hl=en&q=检索词&aq=f&aqi=&oq="_gbk);
  w.标签_下箭头.RaiseLeftPress();  // the menu is dismissed, but slot 2 is now current
  b.按钮_确定.RaiseClick();
  EXPECT_EQ(ConfigValue("Button2Caption"), "谷歌"_gbk);
  EXPECT_EQ(ConfigValue("Button2Exe"), "http://www.google.com/search?hl=en&q=检索词&aq=f&aqi=&oq="_gbk);
  EXPECT_EQ(w.标签3.text(), "谷歌"_gbk);
  EXPECT_EQ(ConfigValue("Button1Caption"), "<missing>");
}

TEST_F(ButtonSetupTest, AnythingTypedIsStoredAsItStandsAndLineBreaksCannotBreakTheFile) {
  MainWindow& w = Start();
  ButtonSetupWindow& b = OpenFor(w, w.标签_下箭头);
  b.编辑框1.SyncText("");
  b.编辑框2.SyncText("http://a/\r\nTrans=100");
  b.按钮_确定.RaiseClick();
  EXPECT_EQ(w.标签3.text(), "");
  EXPECT_EQ(ConfigValue("Button2Caption"), "");
  EXPECT_EQ(ConfigValue("Button2Exe"), "http://a/Trans=100");
  EXPECT_EQ(ConfigValue("Trans"), "0");
}

TEST_F(ButtonSetupTest, ClearLabelsHelpAndTheCloseBox) {
  MainWindow& w = Start();
  ButtonSetupWindow& b = OpenFor(w, w.标签13);
  b.标签2.RaiseLeftPress();
  EXPECT_EQ(b.编辑框1.text(), "");
  EXPECT_EQ(host.focused, &b.编辑框1);
  EXPECT_FALSE(b.编辑框2.text().empty());
  b.标签5.RaiseLeftPress();
  EXPECT_EQ(b.编辑框2.text(), "");
  EXPECT_EQ(host.focused, &b.编辑框2);

  b.标签9.RaiseLeftPress();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, MessageKind::Question);
  EXPECT_EQ(host.messages[0].title, "Quarvel");
  EXPECT_EQ(host.messages[0].text.rfind("　　如您想自定义搜索引擎但不会设置，请与我联系。\r\n"_gbk, 0), 0u);

  // Opening it again while it is open only brings it forward; closing stores nothing.
  host.menuChoices.push_back({"自定义"_gbk});
  w.标签15.RaiseLeftPress();
  EXPECT_EQ(program.Window(WindowId::ButtonSetup), &b);
  program.DestroyWindow(WindowId::ButtonSetup);
  host.RunPosted();
  EXPECT_EQ(ConfigValue("Button1Caption"), "百度"_gbk);
}

}  // namespace
}  // namespace quarvel::testing
