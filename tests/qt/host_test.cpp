// QtHost's operations outside the drawing of forms.
#include <QAbstractButton>
#include <QBitmap>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

#include "host/qt/balloon.h"
#include "host/qt/display_check.h"
#include "host/qt/qt_text.h"
#include "test_form.h"

namespace quarvel::qt_testing {
namespace {

// Runs the check once the widget that a modal call opened is there; the call blocks meanwhile.
template <class W>
void WhenOpen(std::function<W*()> find, std::function<void(W*)> check) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, find, check] {
    if (W* w = find()) {
      poll->deleteLater();
      poll->stop();
      check(w);
    }
  });
  poll->start(5);
}

TEST(TextTest, ChineseTextSurvivesTheWayToQtAndBack) {
  const Text gbk = "谷歌搜索：“①” × …"_gbk;
  EXPECT_EQ(ToQt(gbk), QStringLiteral("谷歌搜索：“①” × …"));
  EXPECT_EQ(ToGbk(ToQt(gbk)), gbk);
  EXPECT_EQ(ToGbk(QStringLiteral("a😀b")), "a?b");
  EXPECT_EQ(ToQtLines("一\r\n二"_gbk), QStringLiteral("一\n二"));
}

TEST(WindowAlphaTest, OpacityFollowsTheAlphaAndValuesOutsideAreOpaque) {
  TestForm form;
  QtHost host;
  host.AttachWindow(form);
  const std::pair<int, double> cases[] = {{0, 0.0},  {128, 128 / 255.0}, {255, 1.0},
                                          {-1, 1.0}, {256, 1.0},         {100000, 1.0}};
  for (const auto& [alpha, opacity] : cases) {
    host.SetWindowAlpha(form, 30);
    host.SetWindowAlpha(form, alpha);
    EXPECT_NEAR(host.WindowOf(form)->windowOpacity(), opacity, 0.5 / 255) << "alpha " << alpha;
  }
}

struct MessageCase {
  MessageKind kind;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton press;  // NoButton: closed with Escape
  MessageResult result;
};

TEST(MessageTest, EachKindHasItsIconAndButtonsAndAnswers) {
  QtHost host;
  const auto yesNo = QMessageBox::Yes | QMessageBox::No;
  const auto yesNoCancel = yesNo | QMessageBox::Cancel;
  const MessageCase cases[] = {
      {MessageKind::Ok, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, MessageResult::Ok},
      {MessageKind::Error, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, MessageResult::Ok},
      {MessageKind::Question, QMessageBox::Question, QMessageBox::Ok, QMessageBox::NoButton,
       MessageResult::Ok},
      {MessageKind::YesNo, QMessageBox::NoIcon, yesNo, QMessageBox::Yes, MessageResult::Yes},
      {MessageKind::YesNo, QMessageBox::NoIcon, yesNo, QMessageBox::No, MessageResult::No},
      {MessageKind::YesNo, QMessageBox::NoIcon, yesNo, QMessageBox::NoButton, MessageResult::No},
      {MessageKind::YesNoCancel, QMessageBox::NoIcon, yesNoCancel, QMessageBox::No, MessageResult::No},
      {MessageKind::YesNoCancel, QMessageBox::NoIcon, yesNoCancel, QMessageBox::NoButton,
       MessageResult::Cancel},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 100 + static_cast<int>(c.press));
    bool seen = false;
    WhenOpen<QMessageBox>([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                          [&](QMessageBox* box) {
                            seen = true;
                            EXPECT_EQ(box->icon(), c.icon);
                            EXPECT_EQ(box->standardButtons(), c.buttons);
                            EXPECT_TRUE(box->windowFlags() & ::Qt::WindowStaysOnTopHint);
                            EXPECT_EQ(box->text(), QStringLiteral("第一行\n<第二行>"));
                            EXPECT_EQ(box->textFormat(), ::Qt::PlainText);
                            EXPECT_EQ(box->windowTitle(), QStringLiteral("标题"));
                            if (c.press == QMessageBox::NoButton)
                              QTest::keyClick(box, ::Qt::Key_Escape);
                            else
                              box->button(c.press)->click();
                          });
    EXPECT_EQ(host.ShowMessage("第一行\r\n<第二行>"_gbk, c.kind, "标题"_gbk), c.result);
    EXPECT_TRUE(seen);
  }
}

TEST(MessageTest, AnEmptyTitleSaysInformation) {
  QtHost host;
  QString title;
  WhenOpen<QMessageBox>([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
                        [&](QMessageBox* box) {
                          title = box->windowTitle();
                          box->button(QMessageBox::Ok)->click();
                        });
  host.ShowMessage("x", MessageKind::Ok, "");
  EXPECT_EQ(title, QStringLiteral("信息："));
}

class PopupMenuTest : public ::testing::Test {
 protected:
  PopupMenuTest() {
    menu.items = {
        {"打开"_gbk, [this] { Ran("open"); }, {}},
        {"-", nullptr, {}},
        {"更多"_gbk, nullptr, {{"甲"_gbk, [this] { Ran("a"); }, {}}, {"乙"_gbk, [this] { Ran("b"); }, {}}}},
        {"退出"_gbk, [this] { Ran("quit"); }, {}},
    };
  }
  void Ran(const std::string& what) {
    ran.push_back(what);
    menuOpenWhileRunning = QApplication::activePopupWidget() != nullptr;
  }
  // Presses the keys one by one in whichever menu is open.
  void Press(std::vector<::Qt::Key> keys) {
    WhenOpen<QWidget>([] { return QApplication::activePopupWidget(); },
                      [this, keys](QWidget* top) {
                        auto* open = qobject_cast<QMenu*>(top);
                        ASSERT_NE(open, nullptr);
                        QStringList titles;
                        for (QAction* a : open->actions()) titles << a->text();
                        shownItems = titles;
                        for (::Qt::Key key : keys) QTest::keyClick(QApplication::activePopupWidget(), key);
                      });
  }

  TestForm form;
  QtHost host;
  Menu menu;
  std::vector<std::string> ran;
  bool menuOpenWhileRunning = true;
  QStringList shownItems;
};

TEST_F(PopupMenuTest, TheChosenItemRunsOnceTheMenuIsGone) {
  Press({::Qt::Key_Down, ::Qt::Key_Down, ::Qt::Key_Right, ::Qt::Key_Down, ::Qt::Key_Return});
  host.PopupMenu(form, menu);
  EXPECT_EQ(shownItems,
            (QStringList{QStringLiteral("打开"), QString(), QStringLiteral("更多"), QStringLiteral("退出")}));
  EXPECT_EQ(ran, (std::vector<std::string>{"b"}));
  EXPECT_FALSE(menuOpenWhileRunning);
}

TEST_F(PopupMenuTest, ADismissedMenuRunsNothing) {
  Press({::Qt::Key_Escape});
  host.PopupMenu(form, menu);
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST(TrayIconTest, MouseEventsOnTheIconReachTheFormAsCodes) {
  TestForm form;
  QtHost host;
  host.AttachWindow(form);
  std::vector<int> codes;
  form.onTrayEvent = [&](int code) { codes.push_back(code); };
  host.SetTrayIcon(form, TrayIcon::Program, "快搜"_gbk);
  QSystemTrayIcon* tray = host.TrayIconOf(form);
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(tray->toolTip(), QStringLiteral("快搜"));
  EXPECT_TRUE(tray->isVisible());
  EXPECT_EQ(tray->contextMenu(), nullptr);
  for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context,
                      QSystemTrayIcon::MiddleClick})
    emit tray->activated(reason);
  EXPECT_EQ(codes, (std::vector<int>{1, 2, 3}));

  // Changed in place, then removed.
  host.SetTrayIcon(form, TrayIcon::ShopBox, "淘"_gbk);
  EXPECT_EQ(host.TrayIconOf(form), tray);
  EXPECT_EQ(tray->toolTip(), QStringLiteral("淘"));
  QPointer<QSystemTrayIcon> gone = tray;
  host.SetTrayIcon(form, TrayIcon::None, "");
  EXPECT_EQ(host.TrayIconOf(form), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(gone.isNull());
}

TEST(ImagesTest, TheShopBoxIconIsPureRedOnWhiteInARedFrame) {
  QtHost host;  // registers the images
  const QImage icon(QStringLiteral(":/images/shopbox.png"));
  ASSERT_EQ(icon.size(), QSize(16, 16));
  int red = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const QRgb p = icon.pixel(x, y);
      const bool isRed = p == qRgb(255, 0, 0);
      EXPECT_TRUE(isRed || p == qRgb(255, 255, 255)) << x << "," << y;
      if (x == 0 || y == 0 || x == 15 || y == 15) {
        EXPECT_TRUE(isRed) << x << "," << y;
      }
      red += isRed;
    }
  EXPECT_GT(red, 60 + 20);  // the frame and a character inside it
  for (const char* name : {"more", "minimise", "close", "quarvel-16", "quarvel-32"})
    EXPECT_FALSE(QImage(QStringLiteral(":/images/%1.png").arg(name)).isNull()) << name;
  EXPECT_EQ(QImage(QStringLiteral(":/images/more.png")).size(), QSize(21, 17));
  EXPECT_EQ(QImage(QStringLiteral(":/images/close.png")).size(), QSize(20, 17));
}

TEST(BalloonTest, ThePointerTouchesThePointWhereverItIsOnTheScreen) {
  QtHost host;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  struct Case {
    QPoint point;
    bool pointsUp;
  };
  const Case cases[] = {
      {screen.center(), true},
      {QPoint(screen.left(), screen.top()), true},
      {QPoint(screen.right(), screen.top() + 5), true},
      {QPoint(screen.center().x(), screen.bottom()), false},
      {QPoint(screen.right(), screen.bottom()), false},
      {QPoint(screen.left() + 2, screen.bottom() - 10), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1,%2").arg(c.point.x()).arg(c.point.y()).toStdString());
    host.ShowBalloonTip(c.point.x(), c.point.y(), "提示：单击这里\r\n第二行"_gbk);
    Balloon* balloon = host.balloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_EQ(balloon->text(), QStringLiteral("提示：单击这里\n第二行"));
    EXPECT_EQ(balloon->tipPoint(), c.point);
    EXPECT_EQ(balloon->pointsUp(), c.pointsUp);
    EXPECT_TRUE(screen.contains(balloon->geometry()))
        << balloon->geometry().x() << "," << balloon->geometry().y();
    EXPECT_TRUE(balloon->mask().contains(balloon->mapFromGlobal(c.point)));
  }
}

TEST(BalloonTest, OnlyOneIsShownAndItGoesOnAClickOrByItself) {
  QtHost host;
  host.ShowBalloonTip(100, 100, "一");
  QPointer<Balloon> first = host.balloon();
  host.ShowBalloonTip(200, 200, "二");
  QPointer<Balloon> second = host.balloon();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  ASSERT_FALSE(second.isNull());
  QTest::mouseClick(second, ::Qt::LeftButton, {}, second->rect().center());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(second.isNull());

  QPointer<Balloon> shortLived = new Balloon(QStringLiteral("短"), QPoint(50, 50), 20);
  shortLived->show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return shortLived.isNull(); }, 2000));
}

TEST(RunDirectoryTest, TheProgramFolderUnlessTheUserCannotKeepFilesThere) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString data = temp.filePath(QStringLiteral("data/Quarvel"));
  const QString chinese = temp.filePath(QStringLiteral("程序"));
  const QString noGbk = temp.filePath(QStringLiteral("prog😀"));
  ASSERT_TRUE(QDir().mkpath(chinese));
  ASSERT_TRUE(QDir().mkpath(noGbk));
  const auto gbk = [](const QString& path) {
    QString p = path;
    return ToGbk(p.replace('/', '\\'));
  };
  const std::pair<QString, QString> cases[] = {
      {chinese, chinese},
      {chinese + QStringLiteral("/"), chinese},
      {temp.filePath(QStringLiteral("missing")), data},
      {noGbk, data},
  };
  for (const auto& [program, expected] : cases) {
    EXPECT_EQ(QtHost::ChooseRunDirectory(program, data), gbk(expected)) << program.toStdString();
  }
  EXPECT_TRUE(QFileInfo(data).isDir());
}

TEST(SpecialFolderTest, DesktopAndAutostartFoldersAreGbkPathsEndingInABackslash) {
  QTemporaryDir temp;
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldHome = qgetenv("HOME");
  const QString config = temp.filePath(QStringLiteral("配置"));
  QDir().mkpath(config);
  qputenv("XDG_CONFIG_HOME", config.toUtf8());
  qputenv("HOME", temp.path().toUtf8());
  QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
  dirs.close();

  QtHost host;
  const auto gbk = [](QString path) { return ToGbk(path.replace('/', '\\')); };
  EXPECT_EQ(host.SpecialFolder(SpecialFolderKind::Startup), gbk(config + QStringLiteral("/autostart/")));
  EXPECT_TRUE(QFileInfo(config + QStringLiteral("/autostart")).isDir());
  EXPECT_EQ(host.SpecialFolder(SpecialFolderKind::Desktop), "");  // not there
  QDir().mkpath(temp.filePath(QStringLiteral("桌面")));
  EXPECT_EQ(host.SpecialFolder(SpecialFolderKind::Desktop), gbk(temp.filePath(QStringLiteral("桌面/"))));

  qputenv("XDG_CONFIG_HOME", "relative/ignored");
  EXPECT_EQ(host.SpecialFolder(SpecialFolderKind::Startup),
            gbk(temp.filePath(QStringLiteral(".config/autostart/"))));
  qputenv("XDG_CONFIG_HOME", oldConfig);
  qputenv("HOME", oldHome);
}

TEST(EventLoopTest, PostedTasksRunLaterAndEndProgramEndsTheLoopWithItsCode) {
  QtHost host;
  std::vector<int> order;
  host.Post([&] {
    order.push_back(2);
    host.Post([&] {
      order.push_back(3);
      host.EndProgram(7);
    });
  });
  order.push_back(1);
  EXPECT_EQ(host.RunEventLoop(), 7);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));

  // Ended before the loop ran: the loop ends at once.
  host.EndProgram(4);
  EXPECT_EQ(host.RunEventLoop(), 4);
}

TEST(RandomTest, NumbersCoverTheWholeClosedRange) {
  QtHost host;
  host.SeedRandom();
  std::map<int, int> seen;
  for (int i = 0; i < 2000; ++i) ++seen[host.RandomInt(3, 7)];
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen.begin()->first, 3);
  EXPECT_EQ(seen.rbegin()->first, 7);
  EXPECT_EQ(host.RandomInt(5, 5), 5);
}

TEST(ClipboardTest, TextGoesThroughTheClipboardInGbk) {
  QtHost host;
  host.SetClipboardText("复制的文字"_gbk);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("复制的文字"));
  QGuiApplication::clipboard()->setText(QStringLiteral("粘贴"));
  EXPECT_EQ(host.GetClipboardText(), "粘贴"_gbk);
}

TEST(DisplayCheckTest, StartsOnlyWhereThereIsADisplayToShowTheWindows) {
  struct Case {
    std::map<std::string, std::string> env;
    std::vector<std::string> sockets;
    bool starts;
    const char* says;  // part of the line shown when it does not start
  };
  const Case cases[] = {
      {{}, {}, false, "DISPLAY is not set"},
      {{{"DISPLAY", ""}}, {}, false, "DISPLAY is not set"},
      {{{"DISPLAY", ":0"}}, {"/tmp/.X11-unix/X0"}, true, ""},
      {{{"DISPLAY", ":1.0"}}, {"/tmp/.X11-unix/X1"}, true, ""},
      {{{"DISPLAY", "unix:3"}}, {"/tmp/.X11-unix/X3"}, true, ""},
      {{{"DISPLAY", ":5"}}, {"/tmp/.X11-unix/X0"}, false, "DISPLAY=:5"},
      {{{"DISPLAY", "localhost:10.0"}}, {}, true, ""},  // forwarded; cannot be checked here
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true, ""},
      {{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true, ""},
      {{{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":9"}}, {}, true, ""},
  };
  for (const Case& c : cases) {
    const DisplayEnvironment env{[&](const char* name) -> const char* {
                                   const auto it = c.env.find(name);
                                   return it == c.env.end() ? nullptr : it->second.c_str();
                                 },
                                 [&](const std::string& path) {
                                   return std::find(c.sockets.begin(), c.sockets.end(), path) !=
                                          c.sockets.end();
                                 }};
    const std::string reason = MissingDisplayReason(env);
    EXPECT_EQ(reason.empty(), c.starts) << reason;
    if (!c.starts) {
      EXPECT_NE(reason.find(c.says), std::string::npos) << reason;
      EXPECT_EQ(reason.rfind("quarvel: ", 0), 0u) << reason;
      EXPECT_EQ(reason.find('\n'), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace quarvel::qt_testing
