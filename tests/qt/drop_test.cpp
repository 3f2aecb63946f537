// Whatever is dropped anywhere on a window reaches its drop object, and only it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <functional>

#include "test_form.h"

namespace quarvel::qt_testing {
namespace {

struct Received {
  std::string event;  // "text", "hypertext" or "url"
  Text text;
};

struct DropCase {
  const char* name;
  std::function<QMimeData*()> mime;
  Received expected;
};

const DropCase kDropCases[] = {
    {"plain text",
     [] {
       auto* mime = new QMimeData;
       mime->setText(QStringLiteral("谷歌 & <搜索>"));
       return mime;
     },
     {"text", "谷歌 & <搜索>"_gbk}},
    {"a piece of a web page with its text",
     [] {
       auto* mime = new QMimeData;
       mime->setHtml(QStringLiteral("<b>粗体</b> 文字"));
       mime->setText(QStringLiteral("粗体 文字"));
       return mime;
     },
     {"hypertext", "粗体 文字"_gbk}},
    {"a piece of a web page without text",
     [] {
       auto* mime = new QMimeData;
       mime->setHtml(QStringLiteral("<p>只有 <i>网页</i></p>"));
       return mime;
     },
     {"hypertext", "只有 网页"_gbk}},
    {"a link",
     [] {
       auto* mime = new QMimeData;
       mime->setUrls(
           {QUrl(QStringLiteral("http://example.com/搜索?q=1")), QUrl(QStringLiteral("http://b.example/"))});
       mime->setText(QStringLiteral("link text"));
       mime->setHtml(QStringLiteral("<a href=\"http://example.com/\">link text</a>"));
       return mime;
     },
     {"url", "http://example.com/搜索?q=1"_gbk}},
};

// A drag that enters the widget and is dropped on it, as Qt delivers it; whether the drop was
// accepted.
bool DragAndDrop(QWidget* target, QMimeData* mime) {
  const QPoint at = target->rect().center();
  const auto actions = ::Qt::CopyAction | ::Qt::LinkAction;
  QDragEnterEvent enter(at, actions, mime, ::Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(at, actions, mime, ::Qt::LeftButton, {});
  QApplication::sendEvent(target, &move);
  QDropEvent drop(QPointF(at), actions, mime, ::Qt::LeftButton, {});
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

class DropTest : public ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    host->RegisterDropTarget(form, form.drop);
    form.drop.onGotText = [this](const Text& t) { received.push_back({"text", t}); };
    form.drop.onGotHypertext = [this](const Text& t) { received.push_back({"hypertext", t}); };
    form.drop.onGotUrl = [this](const Text& t) { received.push_back({"url", t}); };
  }

  std::vector<Received> received;
};

TEST_F(DropTest, EachKindOfDropReachesTheRightEventWhereverItLands) {
  const std::pair<const char*, std::function<QWidget*()>> targets[] = {
      {"window", [this] { return static_cast<QWidget*>(window()); }},
      {"edit box", [this] { return widget(form.search); }},
      {"label", [this] { return widget(form.title); }},
      {"label in a box", [this] { return widget(form.inBox); }},
  };
  form.search.SetText("原文"_gbk);
  for (const DropCase& c : kDropCases) {
    for (const auto& [where, target] : targets) {
      SCOPED_TRACE(std::string(c.name) + " on the " + where);
      received.clear();
      std::unique_ptr<QMimeData> mime(c.mime());
      EXPECT_TRUE(DragAndDrop(target(), mime.get()));
      ASSERT_EQ(received.size(), 1u);
      EXPECT_EQ(received[0].event, c.expected.event);
      EXPECT_EQ(received[0].text, c.expected.text);
      // The edit box did not take the drop for itself.
      EXPECT_EQ(widget<QLineEdit>(form.search)->text(), QStringLiteral("原文"));
      EXPECT_EQ(form.search.text(), "原文"_gbk);
    }
  }
}

TEST_F(DropTest, DataThatHoldsNoTextIsRefused) {
  auto mime = std::make_unique<QMimeData>();
  mime->setImageData(QImage(4, 4, QImage::Format_RGB32));
  EXPECT_FALSE(DragAndDrop(window(), mime.get()));
  EXPECT_FALSE(DragAndDrop(widget(form.search), mime.get()));
  EXPECT_TRUE(received.empty());
}

TEST(DropRegisteredEarlyTest, ADropObjectRegisteredBeforeTheWindowExistsIsUsed) {
  TestForm form;
  QtHost host;
  host.RegisterDropTarget(form, form.drop);
  host.AttachWindow(form);
  form.SetVisible(true);
  Text got;
  form.drop.onGotText = [&](const Text& t) { got = t; };
  QMimeData mime;
  mime.setText(QStringLiteral("早"));
  EXPECT_TRUE(DragAndDrop(host.WidgetOf(form.search), &mime));
  EXPECT_EQ(got, "早"_gbk);
}

}  // namespace
}  // namespace quarvel::qt_testing
