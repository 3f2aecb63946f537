#pragma once
// A small window with one control of each kind, shown by a real QtHost.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>

#include "core/form.h"
#include "host/qt/qt_form_view.h"
#include "host/qt/qt_host.h"

namespace quarvel::qt_testing {

class TestForm : public Form {
 public:
  explicit TestForm(bool framed = false)
      : Form({.id = WindowId::Feedback,
              .name = "TestForm",
              .caption = "测试窗口"_gbk,
              .rect = {100, 120, 320, 260},
              .framed = framed,
              .backColour = colour::kGreen}) {}

  Control title{*this,
                {.kind = ControlKind::Label,
                 .name = "title",
                 .rect = {0, 0, 260, 20},
                 .text = "谷歌 <b>搜索</b>"_gbk,
                 .textColour = colour::kWhite,
                 .backColour = colour::kGreen,
                 .cursor = CursorShape::Move,
                 .align = TextAlign::Center,
                 .fontPixels = 14,
                 .bold = true}};
  Control close{*this,
                {.kind = ControlKind::PictureButton,
                 .name = "close",
                 .rect = {280, 2, 20, 17},
                 .backColour = colour::kGreen,
                 .picture = Picture::Close}};
  Control search{*this,
                 {.kind = ControlKind::EditBox,
                  .name = "search",
                  .rect = {10, 30, 200, 22},
                  .textColour = colour::kEditText,
                  .backColour = colour::kWhite}};
  Control notes{*this, {.kind = ControlKind::MultiLineEdit, .name = "notes", .rect = {10, 60, 200, 50}}};
  Control tick{
      *this, {.kind = ControlKind::CheckBox, .name = "tick", .rect = {220, 30, 90, 20}, .text = "置顶"_gbk}};
  Control go{*this,
             {.kind = ControlKind::Button, .name = "go", .rect = {220, 60, 90, 24}, .text = "搜索"_gbk}};
  Control history{*this, {.kind = ControlKind::ListBox, .name = "history", .rect = {10, 120, 200, 80}}};
  Control box{*this, {.kind = ControlKind::ShapeBox, .name = "box", .rect = {220, 120, 90, 60}}};
  Control inBox{*this,
                {.kind = ControlKind::Label,
                 .name = "inBox",
                 .parent = &box,
                 .rect = {5, 5, 200, 20},
                 .text = "框里"_gbk,
                 .backColour = colour::kWhite}};
  Control web{*this, {.kind = ControlKind::HtmlView, .name = "web", .rect = {10, 210, 300, 40}}};
  Control drop{*this, {.kind = ControlKind::DropObject, .name = "drop"}};
  Control dialog{*this, {.kind = ControlKind::FileDialog, .name = "dialog"}};
  Timer ticker{*this, "ticker"};
};

// The form attached to the host and shown.
class ShownFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<QtHost>();
    host->AttachWindow(form);
    form.SetVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
  }
  void TearDown() override {
    host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  FormWindow* window() const { return host->WindowOf(form); }
  template <class W = QWidget>
  W* widget(const Control& control) const {
    return dynamic_cast<W*>(host->WidgetOf(control));
  }

  TestForm form;
  std::unique_ptr<QtHost> host;
};

}  // namespace quarvel::qt_testing
