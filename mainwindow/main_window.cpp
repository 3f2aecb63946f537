#include "mainwindow/main_window.h"

#include "core/config.h"
#include "search/history.h"
#include "search/search.h"
#include "search/slots.h"

namespace quarvel {

MainWindow::MainWindow(Program& program)
    : ProgramWindow(program, WindowSpec{.id = WindowId::Main,
                                        .name = "MainWindow",
                                        .caption = "Quarvel",
                                        .rect = {0, 0, 426, 552},
                                        .framed = false,
                                        .backColour = colour::kLightGrey}) {
  HostServices& host = program.host;

  // Title bar, caption buttons and the two switches of the layout.
  窗口假上.onLeftPress = [this, &host] { host.BeginWindowDrag(*this); };
  窗口最小化按钮.onClick = [this] { SetMinimised(true); };
  窗口关闭按钮.onClick = [this] {
    SetMinimised(true);
    SetVisible(false);
  };
  onCloseRequest = 窗口关闭按钮.onClick;
  窗口更多按钮.onClick = [this, &host] { host.PopupMenu(*this, 更多菜单); };
  标签23.onLeftPress = [this] { ToggleToolBox(*this); };
  标签_历史.onLeftPress = [this] { ToggleHistoryList(*this); };
  编辑框1.onLeftPress = [this] { 编辑框1.SetTextColour(colour::kEditText); };
  时钟_提醒.onTick = [this] { EndTitleHint(*this); };

  // Transparency and always-on-top.
  标签_透明度.onLeftPress = [this, &host] {
    ShowTitleHint(*this, "设置窗口透明度"_gbk);
    host.PopupMenu(*this, 透明度预设);
  };
  for (int percent : {0, 20, 40, 60, 80}) {
    if (!透明度预设.items.empty()) 透明度预设.items.push_back({"-"});
    透明度预设.items.push_back({ToText(static_cast<long long>(percent)),
                                [this, percent] { ChooseTransparencyPreset(*this, percent); }});
  }
  标签_顶.onLeftPress = [this] { ToggleAlwaysOnTop(*this); };

  // Clipboard watching and the input helpers.
  标签_键.onLeftPress = [this] { ToggleClipboardWatching(*this); };
  监控剪贴板.onTick = [this] { WatchClipboardTick(*this); };
  标签_粘贴.onLeftPress = [this] { PasteIntoSearchBox(*this); };
  标签_复制.onLeftPress = [this] { CopySearchBox(*this); };
  标签_引号.onLeftPress = [this] { QuoteSearchBox(*this); };
  标签1.onLeftPress = [this] { ClearSearchBox(*this); };
  const auto takeDrop = [this](const Text& dropped) { 编辑框1.SetText(dropped); };
  拖放对象1.onGotText = takeDrop;
  拖放对象1.onGotHypertext = takeDrop;
  拖放对象1.onGotUrl = takeDrop;

  // Searching.
  编辑框1.onKeyPress = [this](int code) { SearchBoxKeyPressed(*this, code); };
  标签2.onLeftPress = [this] { SlotLabelPressed(*this, 1); };
  标签3.onLeftPress = [this] { SlotLabelPressed(*this, 2); };
  标签4.onLeftPress = [this] { SlotLabelPressed(*this, 3); };
  标签_一起搜.onLeftPress = [this] { SearchAllPressed(*this); };
  标签13.onLeftPress = [this] { ArrowPressed(*this, "1"); };
  标签_下箭头.onLeftPress = [this] { ArrowPressed(*this, "2"); };
  标签15.onLeftPress = [this] { ArrowPressed(*this, "3"); };
  按钮菜单.items = BuildEngineMenu(*this);

  // History.
  显示列表框.onSelect = [this] { PickHistoryTerm(*this); };
  显示列表框.onRightPress = [this, &host] { host.PopupMenu(*this, 列表框菜单); };
  列表框菜单.items = {{"清空搜索历史"_gbk, [this] { ClearSearchHistory(*this); }}};

  // Start-up tips and the notification area.
  时钟_做气泡.onTick = [this] { BalloonTick(*this); };
  onTrayEvent = [this, &host](int) { host.PopupMenu(*this, 托盘菜单); };
  托盘菜单.items = {{"显示主窗口"_gbk, [this] { ShowMainWindow(*this); }},
                    {"-"},
                    {"搜宝推荐：Pelloret"_gbk},
                    {"-"},
                    {"淘宝淘实惠"_gbk},
                    {"-"},
                    {"退出"_gbk, [&program] { program.Quit(); }}};
  更多菜单.items = {{"设置"_gbk},       {"-"}, {"搜宝推荐：Pelloret"_gbk}, {"-"}, {"淘宝淘实惠"_gbk},
                    {"-"},              {"检查更新"_gbk}, {"-"},       {"用户反馈"_gbk}};
}

void MainWindow::OnCreate() {
  Program& p = program;
  HostServices& host = p.host;
  Move({}, {}, {}, CollapsedHeight(*this));
  p.configPath = MakeConfigPath(host);
  EnsureConfigFile(p);
  SetCaption(TitleText());
  p.useIE = ReadYesFlag(p, "useie", "no");
  ApplyAlwaysOnTop(*this, ReadYesFlag(p, "OnTop", "yes"));
  ApplyTransparency(*this);
  ApplyClipboardWatching(*this, ReadYesFlag(p, "MonitorClip", "no"));
  ShowSlotCaptions(*this);
  host.RegisterDropTarget(*this, 拖放对象1);
  ArrangeMainWindow(*this);
  host.SetFocus(编辑框1);
  host.SetTrayIcon(*this, TrayIcon::Program, TitleText());
  SetVisible(true);
  p.tipStage = 1;
  时钟_做气泡.SetPeriod(3000);
}

int CollapsedHeight(const MainWindow& w) { return w.标签_一起搜.top() + w.标签_一起搜.height() + 26; }

int ExpandedHeight(const MainWindow& w) { return w.显示列表框.top() + w.显示列表框.height() + 26; }

void ArrangeMainWindow(MainWindow& w) {
  const int width = w.width(), height = w.height();
  w.窗口假上.Move(2, 0, width, 24);
  w.窗口假左.Move(0, 0, 2, height);
  w.窗口假右.Move(width - 2, 0, 2, height);
  w.窗口假下.Move(0, height - 16, width, 16);
  w.窗口关闭按钮.Move(width - w.窗口关闭按钮.width() - 2, 4);
  w.窗口最小化按钮.Move(w.窗口关闭按钮.left() - w.窗口最小化按钮.width(), 4);
  w.窗口更多按钮.Move(w.窗口最小化按钮.left() - w.窗口更多按钮.width(), 4);
  w.窗口假上.SetText(TitleText());
  PlaceAtLowerRight(w.program.host, &w);
}

int TaskbarHeight(HostServices& host) {
  const int t = host.ScreenHeight() - host.WorkArea().bottom;
  return t != 0 ? t : 40;
}

void PlaceAtLowerRight(HostServices& host, Form* window) {
  if (!window) return;
  const int left = host.ScreenWidth() - window->width() - 4;
  const int top = host.ScreenHeight() - window->height() - TaskbarHeight(host) - 4;
  window->Move(left, top);
}

void ToggleHistoryList(MainWindow& w) {
  if (w.height() != ExpandedHeight(w)) {
    w.Move({}, {}, {}, ExpandedHeight(w));
    w.标签_历史.SetTextColour(colour::kBlue);
    w.显示列表框.SetVisible(true);
  } else {
    w.Move({}, {}, {}, CollapsedHeight(w));
    w.显示列表框.SetVisible(false);
    w.标签_历史.SetTextColour(colour::kGrey);
  }
  ArrangeMainWindow(w);
}

void ToggleToolBox(MainWindow& w) {
  const bool open = w.标签23.text() == "<";
  w.标签23.SetText(open ? ">" : "<");
  w.外形框_几个功能.SetVisible(open);
}

void ShowTitleHint(MainWindow& w, const Text& text, int seconds) {
  w.时钟_提醒.SetPeriod(0);
  w.窗口假上.SetText(text);
  w.窗口假上.SetTextColour(colour::kDarkOrange);
  w.时钟_提醒.SetPeriod(seconds * 1000);
}

void EndTitleHint(MainWindow& w) {
  w.时钟_提醒.SetPeriod(0);
  w.窗口假上.SetText(TitleText());
  w.窗口假上.SetTextColour(colour::kBlack);
}

}  // namespace quarvel
