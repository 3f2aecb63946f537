#include "settings/button_setup_window.h"

#include "core/config.h"
#include "core/maker.h"
#include "mainwindow/main_window.h"
#include "search/slots.h"

namespace quarvel {

const Text& SetupDefaultTemplate(const Text& slot) {
  static const Text templates[] = {
      "http://www.google.com/search?hl=en&q=检索词&aq=f&aqi=&oq="_gbk,
      "http://www.baidu.com/s?wd=检索词"_gbk,
      "http://www.sogou.com/web?query=检索词&_asf=www.sogou.com&_ast=1221704966&w=01019900&p=40040100"_gbk,
  };
  static const Text none;
  if (slot == "1") return templates[0];
  if (slot == "2") return templates[1];
  if (slot == "3") return templates[2];
  return none;
}

ButtonSetupWindow::ButtonSetupWindow(Program& program)
    : ProgramWindow(program, WindowSpec{.id = WindowId::ButtonSetup,
                                        .name = "ButtonSetupWindow",
                                        .caption = "设置按钮相关 - Quarvel"_gbk,
                                        .rect = {0, 0, 406, 324},
                                        .framed = true}) {
  HostServices& host = program.host;
  标签2.onLeftPress = [this, &host] {
    编辑框1.SetText("");
    host.SetFocus(编辑框1);
  };
  标签5.onLeftPress = [this, &host] {
    编辑框2.SetText("");
    host.SetFocus(编辑框2);
  };
  标签9.onLeftPress = [&host] {
    host.ShowMessage("　　如您想自定义搜索引擎但不会设置，请与我联系。\r\n"
                     "　　如您想OEM本程序或预设检索词做企业推广，也请与我联系。\r\n"
                     "　　我的邮箱："_gbk +
                         kMakerContactAddress + "。"_gbk,
                     MessageKind::Question, "Quarvel");
  };
  按钮_确定.onClick = [this] { Confirm(); };
}

void ButtonSetupWindow::OnCreate() {
  HostServices& host = program.host;
  const int height = 按钮_确定.height() + 按钮_确定.top() + 40;
  Move((host.ScreenWidth() - width()) / 2, (host.ScreenHeight() - height) / 2, {}, height);
  MainWindow& main = program.mainWindow();
  const Text& slot = program.currentSlot;
  const SlotKeys* keys = KeysOfSlot(slot);
  if (!keys) return;
  编辑框1.SetText(CaptionLabelOfSlot(main, slot)->text());
  编辑框2.SetText(ReadConfig(program, keys->urlTemplate, SetupDefaultTemplate(slot)));
}

void ButtonSetupWindow::Confirm() {
  SetVisible(false);
  const Text slot = program.currentSlot;
  if (const SlotKeys* keys = KeysOfSlot(slot)) {
    WriteConfig(program, keys->caption, 编辑框1.text());
    WriteConfig(program, keys->urlTemplate, 编辑框2.text());
    CaptionLabelOfSlot(program.mainWindow(), slot)->SetText(编辑框1.text());
  }
  program.DestroyWindow(WindowId::ButtonSetup);
}

}  // namespace quarvel
