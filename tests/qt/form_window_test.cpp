// A form drawn by QtHost: its properties reach the widgets, and real input reaches the form.
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "host/qt/qt_text.h"
#include "test_form.h"

namespace quarvel::qt_testing {
namespace {

using FormWindowTest = ShownFormTest;

QColor Qt(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// Chinese arrives as an input method commits it.
void TypeChinese(QWidget* target, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(target, &commit);
}

TEST_F(FormWindowTest, DrawsTheWindowAndItsControlsAsTheFormDescribes) {
  FormWindow* w = window();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("测试窗口"));
  EXPECT_TRUE(w->windowFlags() & ::Qt::FramelessWindowHint);
  EXPECT_EQ(w->geometry(), QRect(100, 120, 320, 260));
  EXPECT_EQ(w->palette().color(QPalette::Window), Qt(colour::kGreen));

  auto* title = widget<QLabel>(form.title);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), QStringLiteral("谷歌 <b>搜索</b>"));
  EXPECT_EQ(title->textFormat(), ::Qt::PlainText);
  EXPECT_EQ(title->geometry(), QRect(0, 0, 260, 20));
  EXPECT_EQ(title->palette().color(QPalette::WindowText), Qt(colour::kWhite));
  EXPECT_EQ(title->palette().color(QPalette::Window), Qt(colour::kGreen));
  EXPECT_TRUE(title->autoFillBackground());
  EXPECT_EQ(title->font().pixelSize(), 14);
  EXPECT_TRUE(title->font().bold());
  EXPECT_EQ(title->alignment(), ::Qt::AlignCenter);
  EXPECT_EQ(title->cursor().shape(), ::Qt::SizeAllCursor);
  EXPECT_FALSE(title->wordWrap());

  auto* search = widget<QLineEdit>(form.search);
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->palette().color(QPalette::Text), Qt(colour::kEditText));
  EXPECT_EQ(search->palette().color(QPalette::Base), Qt(colour::kWhite));
  EXPECT_EQ(search->font().pixelSize(), 12);

  EXPECT_EQ(widget<QCheckBox>(form.tick)->text(), QStringLiteral("置顶"));
  EXPECT_EQ(widget<QPushButton>(form.go)->text(), QStringLiteral("搜索"));
  EXPECT_NE(widget<QListWidget>(form.history), nullptr);
  EXPECT_NE(widget<QPlainTextEdit>(form.notes), nullptr);

  // The picture button shows its image: light pixels of the x on the green ground.
  QWidget* close = widget(form.close);
  ASSERT_NE(close, nullptr);
  const QImage shot = close->grab().toImage();
  EXPECT_GT(qGray(shot.pixel(6, 4)), 200);
  EXPECT_EQ(shot.pixelColor(1, 14), Qt(colour::kGreen));

  // A control inside a shape box lies in it, clipped by it.
  QWidget* box = widget(form.box);
  QWidget* inBox = widget(form.inBox);
  EXPECT_EQ(inBox->parentWidget(), box);
  EXPECT_EQ(inBox->geometry(), QRect(5, 5, 200, 20));
  EXPECT_TRUE(inBox->isVisible());
  EXPECT_EQ(box->childrenRect().intersected(box->rect()), QRect(5, 5, 85, 20));

  // Later controls lie above earlier ones.
  std::vector<QWidget*> stacked;
  for (QObject* child : w->children())
    if (child->isWidgetType()) stacked.push_back(static_cast<QWidget*>(child));
  const std::vector<QWidget*> expected{widget(form.title),   widget(form.close), widget(form.search),
                                       widget(form.notes),   widget(form.tick),  widget(form.go),
                                       widget(form.history), widget(form.box),   widget(form.web)};
  EXPECT_EQ(stacked, expected);

  // Controls that are not drawn have no widget.
  EXPECT_EQ(host->WidgetOf(form.drop), nullptr);
  EXPECT_EQ(host->WidgetOf(form.dialog), nullptr);
}

TEST(FramedFormWindowTest, HasTheSystemFrameAndTheOuterRectangle) {
  TestForm form(true);
  QtHost host;
  host.AttachWindow(form);
  form.SetVisible(true);
  FormWindow* w = host.WindowOf(form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  EXPECT_FALSE(w->windowFlags() & ::Qt::FramelessWindowHint);
  EXPECT_EQ(w->frameGeometry(), QRect(100, 120, 320, 260));
}

TEST_F(FormWindowTest, PropertyChangesReachTheWidgetsAtOnce) {
  auto* title = widget<QLabel>(form.title);
  form.title.SetText("新的 <标题>"_gbk);
  EXPECT_EQ(title->text(), QStringLiteral("新的 <标题>"));
  form.title.SetTextColour(colour::kBlue);
  form.title.SetBackColour(colour::kSilver);
  EXPECT_EQ(title->palette().color(QPalette::WindowText), Qt(colour::kBlue));
  EXPECT_EQ(title->palette().color(QPalette::Window), Qt(colour::kSilver));
  form.title.Move(5, 6, 70, 18);
  EXPECT_EQ(title->geometry(), QRect(5, 6, 70, 18));
  form.title.SetVisible(false);
  EXPECT_FALSE(title->isVisible());
  form.title.SetVisible(true);
  EXPECT_TRUE(title->isVisible());

  form.go.SetEnabled(false);
  EXPECT_FALSE(widget(form.go)->isEnabled());
  form.tick.SetTicked(true);
  EXPECT_TRUE(widget<QCheckBox>(form.tick)->isChecked());
  form.search.SetText("谷歌"_gbk);
  EXPECT_EQ(widget<QLineEdit>(form.search)->text(), QStringLiteral("谷歌"));
  form.notes.SetText("第一行\r\n第二行"_gbk);
  EXPECT_EQ(widget<QPlainTextEdit>(form.notes)->toPlainText(), QStringLiteral("第一行\n第二行"));

  auto* history = widget<QListWidget>(form.history);
  form.history.AddItem("一"_gbk);
  form.history.AddItem("二"_gbk);
  ASSERT_EQ(history->count(), 2);
  EXPECT_EQ(history->item(1)->text(), QStringLiteral("二"));
  form.history.ClearItems();
  EXPECT_EQ(history->count(), 0);

  form.SetCaption("另一个"_gbk);
  EXPECT_EQ(window()->windowTitle(), QStringLiteral("另一个"));
  form.Move(40, 50, 200, 100);
  QTest::qWait(10);
  EXPECT_EQ(window()->geometry(), QRect(40, 50, 200, 100));
  EXPECT_EQ(form.rect(), (Rect{40, 50, 200, 100}));
  form.SetVisible(false);
  EXPECT_FALSE(window()->isVisible());
}

TEST_F(FormWindowTest, MousePressesOnALabelReachTheForm) {
  int left = 0, right = 0;
  form.title.onLeftPress = [&] { ++left; };
  form.title.onRightPress = [&] { ++right; };
  auto* title = widget(form.title);
  QTest::mouseClick(title, ::Qt::LeftButton);
  QTest::mouseClick(title, ::Qt::RightButton);
  EXPECT_EQ(left, 1);
  EXPECT_EQ(right, 1);
  // Two quick presses are two presses, not one press and a double click.
  QTest::mouseClick(title, ::Qt::LeftButton);
  QTest::mouseDClick(title, ::Qt::LeftButton);
  EXPECT_EQ(left, 3);
}

TEST_F(FormWindowTest, ButtonsReportWholeClicksOnly) {
  int closeClicks = 0, goClicks = 0, tickClicks = 0;
  form.close.onClick = [&] { ++closeClicks; };
  form.go.onClick = [&] { ++goClicks; };
  form.tick.onClick = [&] { ++tickClicks; };
  QWidget* close = widget(form.close);
  QTest::mouseClick(close, ::Qt::LeftButton);
  EXPECT_EQ(closeClicks, 1);
  // Pressed on the button and released beside it: no click.
  QTest::mousePress(close, ::Qt::LeftButton);
  QTest::mouseRelease(window(), ::Qt::LeftButton, {}, QPoint(150, 200));
  EXPECT_EQ(closeClicks, 1);

  QTest::mouseClick(widget(form.go), ::Qt::LeftButton);
  EXPECT_EQ(goClicks, 1);

  QTest::mouseClick(widget(form.tick), ::Qt::LeftButton);
  EXPECT_TRUE(form.tick.ticked());
  EXPECT_EQ(tickClicks, 1);
  QTest::mouseClick(widget(form.tick), ::Qt::LeftButton);
  EXPECT_FALSE(form.tick.ticked());
}

TEST_F(FormWindowTest, TypingIntoTheEditBoxReachesTheFormInGbk) {
  std::vector<int> keys;
  int presses = 0;
  form.search.onKeyPress = [&](int code) { keys.push_back(code); };
  form.search.onLeftPress = [&] { ++presses; };
  auto* search = widget<QLineEdit>(form.search);
  QTest::mouseClick(search, ::Qt::LeftButton);
  EXPECT_EQ(presses, 1);
  EXPECT_TRUE(search->hasFocus());

  QTest::keyClicks(search, QStringLiteral("ab"));
  TypeChinese(search, QStringLiteral("谷歌"));
  EXPECT_EQ(form.search.text(), "ab谷歌"_gbk);
  QTest::keyClick(search, ::Qt::Key_Return);
  EXPECT_EQ(form.search.text(), "ab谷歌"_gbk);
  EXPECT_EQ(keys, (std::vector<int>{'a', 'b', 13}));

  // A text set by the program is shown and not reported back as typed.
  form.search.onKeyPress = nullptr;
  form.search.SetText("新"_gbk);
  EXPECT_EQ(search->text(), QStringLiteral("新"));
  EXPECT_EQ(form.search.text(), "新"_gbk);
  QTest::keyClick(search, ::Qt::Key_Backspace);
  EXPECT_EQ(form.search.text(), "");
}

TEST_F(FormWindowTest, LinesTypedIntoTheMultiLineBoxUseWindowsLineBreaks) {
  auto* notes = widget<QPlainTextEdit>(form.notes);
  notes->setFocus();
  TypeChinese(notes, QStringLiteral("一"));
  QTest::keyClick(notes, ::Qt::Key_Return);
  QTest::keyClicks(notes, QStringLiteral("b"));
  EXPECT_EQ(form.notes.text(), "一\r\nb"_gbk);
}

TEST_F(FormWindowTest, TheListBoxReportsSelectionsByTheUserOnly) {
  std::vector<int> selected;
  int rightPresses = 0;
  form.history.onSelect = [&] { selected.push_back(form.history.selection()); };
  form.history.onRightPress = [&] { ++rightPresses; };
  for (const char* item : {"one", "two", "three"}) form.history.AddItem(item);
  EXPECT_TRUE(selected.empty());

  auto* list = widget<QListWidget>(form.history);
  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), ::Qt::LeftButton, {}, second);
  EXPECT_EQ(selected, (std::vector<int>{1}));
  // Clicking the selected row again is reported again.
  QTest::mouseClick(list->viewport(), ::Qt::LeftButton, {}, second);
  EXPECT_EQ(selected, (std::vector<int>{1, 1}));
  // A right press is reported and leaves the selection alone.
  QTest::mouseClick(list->viewport(), ::Qt::RightButton, {}, list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(rightPresses, 1);
  EXPECT_EQ(list->currentRow(), 1);
  QTest::keyClick(list, ::Qt::Key_Down);
  EXPECT_EQ(selected, (std::vector<int>{1, 1, 2}));

  // Replacing the items is no selection.
  form.history.ClearItems();
  form.history.AddItem("four");
  EXPECT_EQ(selected.size(), 3u);
}

TEST_F(FormWindowTest, TimersTickWithTheirPeriodAndMayChangeItWhileTicking) {
  QTimer* timer = window()->timerOf(form.ticker);
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->isActive());
  int ticks = 0;
  form.ticker.onTick = [&] {
    if (++ticks == 2) form.ticker.SetPeriod(40);
  };
  form.ticker.SetPeriod(5);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 5);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 40);
  form.ticker.SetPeriod(0);
  EXPECT_FALSE(timer->isActive());
}

TEST_F(FormWindowTest, AlwaysOnTopIsSwitchedOnTheWindowInPlace) {
  FormWindow* w = window();
  const WId id = w->winId();
  const QPoint where = w->pos();
  int hides = 0;
  QObject::connect(w->windowHandle(), &QWindow::visibleChanged, w, [&](bool on) { hides += on ? 0 : 1; });
  for (bool on : {true, false, true}) {
    form.SetAlwaysOnTop(on);
    EXPECT_EQ(bool(w->windowHandle()->flags() & ::Qt::WindowStaysOnTopHint), on);
    EXPECT_EQ(bool(w->windowFlags() & ::Qt::WindowStaysOnTopHint), on);
  }
  QTest::qWait(10);
  EXPECT_EQ(w->winId(), id);
  EXPECT_EQ(hides, 0);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->pos(), where);
  // Hidden and shown again, it keeps the hint.
  form.SetVisible(false);
  form.SetVisible(true);
  EXPECT_TRUE(w->windowHandle()->flags() & ::Qt::WindowStaysOnTopHint);
}

TEST(AlwaysOnTopBeforeShowingTest, IsSetBeforeTheWindowFirstShows) {
  TestForm form;
  form.SetAlwaysOnTop(true);
  QtHost host;
  host.AttachWindow(form);
  EXPECT_TRUE(host.WindowOf(form)->windowHandle()->flags() & ::Qt::WindowStaysOnTopHint);
}

TEST_F(FormWindowTest, WhatTheUserDoesToTheWindowIsKeptInTheForm) {
  window()->move(300, 310);
  QTest::qWait(10);
  EXPECT_EQ(form.rect(), (Rect{300, 310, 320, 260}));

  form.SetMinimised(true);
  EXPECT_TRUE(window()->isMinimized());
  window()->showNormal();  // as when the user restores it
  EXPECT_FALSE(form.minimised());

  // Closing from the system asks the program, and the window stays.
  int requests = 0;
  form.onCloseRequest = [&] { ++requests; };
  EXPECT_FALSE(window()->close());
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(window()->isVisible());
  form.onCloseRequest = nullptr;
  EXPECT_FALSE(window()->close());
  EXPECT_TRUE(window()->isVisible());
}

TEST_F(FormWindowTest, AWindowMayBeRemovedFromItsOwnEventHandler) {
  QPointer<FormWindow> w = window();
  QPointer<QWidget> title = widget(form.title);
  int ticks = 0;
  form.ticker.onTick = [&] { ++ticks; };
  form.ticker.SetPeriod(1);
  form.title.onLeftPress = [&] { host->DetachWindow(form); };
  QTest::mouseClick(title, ::Qt::LeftButton);
  EXPECT_EQ(form.view(), nullptr);
  EXPECT_EQ(host->WindowOf(form), nullptr);
  EXPECT_FALSE(w->isVisible());
  const int ticksAtDetach = ticks;
  QTest::qWait(20);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(title.isNull());
  EXPECT_EQ(ticks, ticksAtDetach);
  // Changes of a form without a window go nowhere.
  form.title.SetText("x");
  form.SetVisible(false);
}

TEST(FormGoneFirstTest, TheHostRemovesWindowsWhoseFormsAreGoneWithoutTouchingThem) {
  auto host = std::make_unique<QtHost>();
  auto form = std::make_unique<TestForm>();
  host->AttachWindow(*form);
  form->SetVisible(true);
  form->ticker.SetPeriod(1);
  host->SetTrayIcon(*form, TrayIcon::Program, "");
  QPointer<FormWindow> window = host->WindowOf(*form);
  // Dragged at the moment the program ends.
  form->title.onLeftPress = [&] { host->BeginWindowDrag(*form); };
  QTest::mousePress(host->WidgetOf(form->title), ::Qt::LeftButton);
  form.reset();
  host.reset();
  EXPECT_TRUE(window.isNull());
}

TEST_F(FormWindowTest, DraggingWithoutAWindowManagerMovesTheWindowWithTheMouse) {
  form.title.onLeftPress = [&] { host->BeginWindowDrag(form); };
  QWidget* title = widget(form.title);
  QTest::mousePress(title, ::Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_TRUE(window()->followingMouse());
  QTest::mouseMove(title, QPoint(40, 30));
  QTest::mouseMove(title, QPoint(60, 50));  // relative to where the label is now
  QTest::mouseRelease(title, ::Qt::LeftButton, {}, QPoint(60, 50));
  EXPECT_FALSE(window()->followingMouse());
  EXPECT_EQ(window()->pos(), QPoint(100 + 30 + 50, 120 + 20 + 40));
  EXPECT_EQ(form.rect(), (Rect{180, 180, 320, 260}));
}

}  // namespace
}  // namespace quarvel::qt_testing
