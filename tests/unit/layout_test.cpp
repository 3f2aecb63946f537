// MainWindow's layout, placement, collapse and expand, tool box and title hints.
#include "tests/unit/fixture.h"

namespace quarvel::testing {
namespace {

struct PlacementCase {
  const char* name;
  WorkAreaRect workArea;
  int collapsedTop, expandedTop;
};

TEST_F(ProgramTest, PlacesTheWindowAboveTheTaskBarCollapsedAndExpanded) {
  const PlacementCase cases[] = {
      {"task bar of 40 px at the bottom", {0, 0, 1920, 1040}, 936, 804},
      {"task bar at the top counts as 40 px", {0, 40, 1920, 1080}, 936, 804},
      {"task bar of 30 px at the bottom", {0, 0, 1920, 1050}, 946, 814},
  };
  MainWindow& w = Start();
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    host.workArea = c.workArea;
    ArrangeMainWindow(w);
    EXPECT_EQ(w.rect(), (Rect{1490, c.collapsedTop, 426, 100}));
    ToggleHistoryList(w);
    EXPECT_EQ(w.rect(), (Rect{1490, c.expandedTop, 426, 232}));
    ToggleHistoryList(w);
  }
}

TEST_F(ProgramTest, ArrangeLaysOutTheFrameAndTheCaptionButtons) {
  MainWindow& w = Start();
  EXPECT_EQ(w.窗口假上.rect(), (Rect{2, 0, 426, 24}));
  EXPECT_EQ(w.窗口假左.rect(), (Rect{0, 0, 2, 100}));
  EXPECT_EQ(w.窗口假右.rect(), (Rect{424, 0, 2, 100}));
  EXPECT_EQ(w.窗口假下.rect(), (Rect{0, 84, 426, 16}));
  EXPECT_EQ(w.窗口关闭按钮.rect(), (Rect{404, 4, 20, 17}));
  EXPECT_EQ(w.窗口最小化按钮.rect(), (Rect{384, 4, 20, 17}));
  EXPECT_EQ(w.窗口更多按钮.rect(), (Rect{363, 4, 21, 17}));
}

TEST_F(ProgramTest, HistorySwitchExpandsCollapsesAndBringsTheWindowBack) {
  MainWindow& w = Start();
  w.标签23.RaiseLeftPress();
  EXPECT_TRUE(w.外形框_几个功能.visible());
  EXPECT_EQ(w.标签23.text(), ">");

  w.SyncGeometry({700, 300, 426, 100});  // the user dragged it to the middle
  w.标签_历史.RaiseLeftPress();
  EXPECT_EQ(w.rect(), (Rect{1490, 804, 426, 232}));
  EXPECT_TRUE(w.显示列表框.visible());
  EXPECT_EQ(w.标签_历史.textColour(), colour::kBlue);
  EXPECT_EQ(w.窗口假下.rect(), (Rect{0, 216, 426, 16}));

  w.标签_历史.RaiseLeftPress();
  EXPECT_EQ(w.rect(), (Rect{1490, 936, 426, 100}));
  EXPECT_FALSE(w.显示列表框.visible());
  EXPECT_EQ(w.标签_历史.textColour(), colour::kGrey);

  w.标签23.RaiseLeftPress();
  EXPECT_FALSE(w.外形框_几个功能.visible());
  EXPECT_EQ(w.标签23.text(), "<");
}

TEST_F(ProgramTest, TitleHintLastsTenSecondsAndANewHintRestartsTheTime) {
  MainWindow& w = Start();
  w.标签_透明度.RaiseLeftPress();  // menu dismissed
  EXPECT_EQ(w.窗口假上.text(), "设置窗口透明度"_gbk);
  EXPECT_EQ(w.窗口假上.textColour(), colour::kDarkOrange);

  host.Advance(6000);
  w.标签_顶.RaiseLeftPress();
  EXPECT_EQ(w.窗口假上.text(), "设置窗口总在最前或取消"_gbk);
  host.Advance(9999);
  EXPECT_EQ(w.窗口假上.textColour(), colour::kDarkOrange);
  host.Advance(1);
  EXPECT_EQ(w.窗口假上.text(), "Quarvel v2.16");
  EXPECT_EQ(w.窗口假上.textColour(), colour::kBlack);
  EXPECT_EQ(w.时钟_提醒.period(), 0);
}

TEST_F(ProgramTest, ArrangingDuringAHintResetsTheTitleButNotItsColour) {
  MainWindow& w = Start();
  w.标签_透明度.RaiseLeftPress();
  w.标签23.RaiseLeftPress();
  w.标签_历史.RaiseLeftPress();
  EXPECT_EQ(w.窗口假上.text(), "Quarvel v2.16");
  EXPECT_EQ(w.窗口假上.textColour(), colour::kDarkOrange);
  host.Advance(10000);
  EXPECT_EQ(w.窗口假上.textColour(), colour::kBlack);
}

TEST_F(ProgramTest, CaptionButtonsDragMinimiseAndHide) {
  MainWindow& w = Start();
  w.窗口假上.RaiseLeftPress();
  EXPECT_EQ(host.windowDrags, 1);
  w.窗口假左.RaiseLeftPress();
  EXPECT_EQ(host.windowDrags, 1);

  w.窗口最小化按钮.RaiseClick();
  EXPECT_TRUE(w.minimised());
  EXPECT_TRUE(w.visible());

  w.窗口关闭按钮.RaiseClick();
  EXPECT_FALSE(w.visible());
  EXPECT_EQ(host.trayIcons.count(WindowId::Main), 1u);
  EXPECT_FALSE(host.endedWith);

  w.窗口更多按钮.RaiseClick();
  EXPECT_EQ(host.menusShown.back(), "更多菜单");
}

TEST_F(ProgramTest, AClickIntoTheSearchBoxRestoresItsNormalColour) {
  MainWindow& w = Start();
  w.编辑框1.SetText("热门搜索：天气"_gbk);
  w.编辑框1.SetTextColour(colour::kSilver);
  w.编辑框1.RaiseLeftPress();
  EXPECT_EQ(w.编辑框1.textColour(), colour::kEditText);
  EXPECT_EQ(w.编辑框1.text(), "热门搜索：天气"_gbk);
}

}  // namespace
}  // namespace quarvel::testing
