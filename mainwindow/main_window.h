#pragma once
// MainWindow: the borderless search window at the lower right of the screen. Its frame, title
// bar and caption buttons are ordinary labels and picture buttons that the window lays out
// itself. The controls are declared back to front: a later control lies above an earlier one.
#include "core/program.h"

namespace quarvel {

inline const Text& TitleText() {
  return "Quarvel v2.16"_gbk;
}

class MainWindow : public ProgramWindow {
 public:
  explicit MainWindow(Program& program);
  void OnCreate() override;

  // Title bar and frame.
  Control 窗口假上{*this, CS{.kind = K::Label,
                             .name = "窗口假上",
                             .rect = {8, 0, 568, 24},
                             .text = TitleText(),
                             .backColour = colour::kGreen,
                             .cursor = C::Move}};
  Control 窗口假左{
      *this, CS{.kind = K::Label, .name = "窗口假左", .rect = {0, 0, 2, 552}, .backColour = colour::kGreen}};
  Control 窗口假右{
      *this,
      CS{.kind = K::Label, .name = "窗口假右", .rect = {424, 0, 2, 552}, .backColour = colour::kGreen}};
  Control 窗口假下{*this, CS{.kind = K::Label,
                             .name = "窗口假下",
                             .rect = {0, 536, 426, 16},
                             .text = "搜宝推荐：Pelloret"_gbk,
                             .backColour = colour::kGreen,
                             .cursor = C::Hand}};
  Control 窗口更多按钮{*this, CS{.kind = K::PictureButton,
                                 .name = "窗口更多按钮",
                                 .rect = {363, 4, 21, 17},
                                 .backColour = colour::kGreen,
                                 .cursor = C::Hand,
                                 .picture = Picture::More}};
  Control 窗口最小化按钮{*this, CS{.kind = K::PictureButton,
                                   .name = "窗口最小化按钮",
                                   .rect = {384, 4, 20, 17},
                                   .backColour = colour::kGreen,
                                   .cursor = C::Hand,
                                   .picture = Picture::Minimise}};
  Control 窗口关闭按钮{*this, CS{.kind = K::PictureButton,
                                 .name = "窗口关闭按钮",
                                 .rect = {404, 4, 20, 17},
                                 .backColour = colour::kGreen,
                                 .cursor = C::Hand,
                                 .picture = Picture::Close}};
  Control 标签_透明度{*this, CS{.kind = K::Label,
                                .name = "标签_透明度",
                                .rect = {282, 0, 20, 24},
                                .text = "20",
                                .textColour = colour::kBlue,
                                .cursor = C::Hand,
                                .align = TextAlign::Center}};
  Control 标签24{*this, CS{.kind = K::Label,
                           .name = "标签24",
                           .rect = {301, 0, 4, 24},
                           .text = "|",
                           .textColour = colour::kGrey,
                           .align = TextAlign::Center}};
  Control 标签_键{*this, CS{.kind = K::Label,
                            .name = "标签_键",
                            .rect = {305, 0, 20, 24},
                            .text = "键"_gbk,
                            .textColour = colour::kBlue,
                            .cursor = C::Hand,
                            .align = TextAlign::Center}};
  Control 标签25{*this, CS{.kind = K::Label,
                           .name = "标签25",
                           .rect = {323, 0, 4, 24},
                           .text = "|",
                           .textColour = colour::kGrey,
                           .align = TextAlign::Center}};
  Control 标签_顶{*this, CS{.kind = K::Label,
                            .name = "标签_顶",
                            .rect = {326, 0, 20, 24},
                            .text = "顶"_gbk,
                            .textColour = colour::kBlue,
                            .cursor = C::Hand,
                            .align = TextAlign::Center}};

  // Search row.
  Control 标签1{*this, CS{.kind = K::Label,
                          .name = "标签1",
                          .rect = {6, 30, 13, 18},
                          .text = "×"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 编辑框1{*this, CS{.kind = K::EditBox,
                            .name = "编辑框1",
                            .rect = {19, 29, 387, 20},
                            .textColour = colour::kEditText,
                            .backColour = colour::kWhite}};
  Control 外形框_几个功能{
      *this,
      CS{.kind = K::ShapeBox, .name = "外形框_几个功能", .rect = {236, 30, 160, 18}, .visible = false}};
  Control 标签_引号{*this, CS{.kind = K::Label,
                              .name = "标签_引号",
                              .parent = &外形框_几个功能,
                              .rect = {0, 0, 36, 18},
                              .text = "引号 |"_gbk,
                              .textColour = colour::kBlue,
                              .cursor = C::Hand,
                              .align = TextAlign::Center}};
  Control 标签_粘贴{*this, CS{.kind = K::Label,
                              .name = "标签_粘贴",
                              .parent = &外形框_几个功能,
                              .rect = {42, 0, 36, 18},
                              .text = "粘贴 |"_gbk,
                              .textColour = colour::kBlue,
                              .cursor = C::Hand,
                              .align = TextAlign::Center}};
  Control 标签_复制{*this, CS{.kind = K::Label,
                              .name = "标签_复制",
                              .parent = &外形框_几个功能,
                              .rect = {84, 0, 36, 18},
                              .text = "复制 |"_gbk,
                              .textColour = colour::kBlue,
                              .cursor = C::Hand,
                              .align = TextAlign::Center}};
  Control 标签_历史{*this, CS{.kind = K::Label,
                              .name = "标签_历史",
                              .parent = &外形框_几个功能,
                              .rect = {124, 0, 36, 18},
                              .text = "历史"_gbk,
                              .textColour = colour::kGrey,
                              .cursor = C::Hand,
                              .align = TextAlign::Center}};
  Control 标签23{*this, CS{.kind = K::Label,
                           .name = "标签23",
                           .rect = {397, 30, 8, 18},
                           .text = "<",
                           .textColour = colour::kBlue,
                           .cursor = C::Hand,
                           .align = TextAlign::Center}};

  // Slot row: the frames first, so that the slot labels lie on top of them.
  Control 标签18{
      *this,
      CS{.kind = K::Label, .name = "标签18", .rect = {19, 55, 87, 20}, .backColour = colour::kSlotFrame}};
  Control 标签19{
      *this,
      CS{.kind = K::Label, .name = "标签19", .rect = {119, 55, 87, 20}, .backColour = colour::kSlotFrame}};
  Control 标签20{
      *this,
      CS{.kind = K::Label, .name = "标签20", .rect = {219, 55, 87, 20}, .backColour = colour::kSlotFrame}};
  Control 标签21{
      *this,
      CS{.kind = K::Label, .name = "标签21", .rect = {319, 55, 87, 20}, .backColour = colour::kSlotFrame}};
  Control 标签2{*this, CS{.kind = K::Label,
                          .name = "标签2",
                          .rect = {20, 56, 74, 18},
                          .text = "谷歌"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 标签13{*this, CS{.kind = K::Label,
                           .name = "标签13",
                           .rect = {95, 56, 10, 18},
                           .text = "↓"_gbk,
                           .textColour = colour::kBlue,
                           .cursor = C::Hand,
                           .align = TextAlign::Center}};
  Control 标签3{*this, CS{.kind = K::Label,
                          .name = "标签3",
                          .rect = {120, 56, 74, 18},
                          .text = "百度"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 标签_下箭头{*this, CS{.kind = K::Label,
                                .name = "标签_下箭头",
                                .rect = {195, 56, 10, 18},
                                .text = "↓"_gbk,
                                .textColour = colour::kBlue,
                                .cursor = C::Hand,
                                .align = TextAlign::Center}};
  Control 标签4{*this, CS{.kind = K::Label,
                          .name = "标签4",
                          .rect = {220, 56, 74, 18},
                          .text = "淘宝"_gbk,
                          .textColour = colour::kBlue,
                          .cursor = C::Hand,
                          .align = TextAlign::Center}};
  Control 标签15{*this, CS{.kind = K::Label,
                           .name = "标签15",
                           .rect = {295, 56, 10, 18},
                           .text = "↓"_gbk,
                           .textColour = colour::kBlue,
                           .cursor = C::Hand,
                           .align = TextAlign::Center}};
  Control 标签_一起搜{*this, CS{.kind = K::Label,
                                .name = "标签_一起搜",
                                .rect = {320, 56, 85, 18},
                                .text = "一起搜"_gbk,
                                .textColour = colour::kBlue,
                                .cursor = C::Hand,
                                .align = TextAlign::Center}};

  // History.
  Control 显示列表框{*this, CS{.kind = K::ListBox,
                               .name = "显示列表框",
                               .rect = {18, 82, 389, 124},
                               .textColour = colour::kEditText,
                               .backColour = colour::kWhite,
                               .visible = false}};

  // Not drawn.
  Control 气球提示框1{*this, CS{.kind = K::BalloonTip, .name = "气球提示框1"}};
  Control 拖放对象1{*this, CS{.kind = K::DropObject, .name = "拖放对象1"}};

  Timer 时钟_提醒{*this, "时钟_提醒"};
  Timer 时钟_做气泡{*this, "时钟_做气泡"};
  Timer 监控剪贴板{*this, "监控剪贴板"};
  Timer 时钟_联机{*this, "时钟_联机"};

  Menu 透明度预设{"透明度预设"};
  Menu 按钮菜单{"按钮菜单"};
  Menu 列表框菜单{"列表框菜单"};
  Menu 更多菜单{"更多菜单"};
  Menu 托盘菜单{"托盘菜单"};
};

// Layout and placement.
void ArrangeMainWindow(MainWindow& w);
// Moves the window to the lower right of the primary screen, 4 px above the task bar; does
// nothing for a window that is not loaded.
void PlaceAtLowerRight(HostServices& host, Form* window);
int TaskbarHeight(HostServices& host);
void ShowTitleHint(MainWindow& w, const Text& text, int seconds = 10);
void EndTitleHint(MainWindow& w);
void ToggleHistoryList(MainWindow& w);
void ToggleToolBox(MainWindow& w);
int CollapsedHeight(const MainWindow& w);
int ExpandedHeight(const MainWindow& w);

// Transparency and always-on-top.
void ApplyTransparency(MainWindow& w);
void ChooseTransparencyPreset(MainWindow& w, int percent);
void ToggleAlwaysOnTop(MainWindow& w);
void ApplyAlwaysOnTop(MainWindow& w, bool on);
bool IsAlwaysOnTopOn(const MainWindow& w);

// Clipboard watching and the input helpers.
void ApplyClipboardWatching(MainWindow& w, bool on);
bool IsClipboardWatched(const MainWindow& w);
void ToggleClipboardWatching(MainWindow& w);
void WatchClipboardTick(MainWindow& w);
void PasteIntoSearchBox(MainWindow& w);
void CopySearchBox(MainWindow& w);
void QuoteSearchBox(MainWindow& w);
void ClearSearchBox(MainWindow& w);

// Start-up tips and the notification-area icon.
void BalloonTick(MainWindow& w);
void ShowMainWindow(MainWindow& w);

}  // namespace quarvel
