// The two switches of the title bar that change how MainWindow sits on the desktop: the
// transparency presets and always-on-top. The on-top state lives in the colour of 标签_顶.
#include "core/config.h"
#include "mainwindow/main_window.h"

namespace quarvel {

void ApplyTransparency(MainWindow& w) {
  w.标签_透明度.SetText(ReadConfig(w.program, "Trans", "20"));
  const double percent = ToNumber(w.标签_透明度.text());
  // Out of 0..255 (a negative percentage, or 100.4 and more) the host keeps the window opaque.
  const int opacity = static_cast<int>(255 - percent * 255 / 100);
  w.program.host.SetWindowAlpha(w, opacity);
}

void ChooseTransparencyPreset(MainWindow& w, int percent) {
  WriteConfig(w.program, "Trans", ToText(static_cast<long long>(percent)));
  ApplyTransparency(w);
}

bool IsAlwaysOnTopOn(const MainWindow& w) { return w.标签_顶.textColour() == colour::kBlue; }

void ApplyAlwaysOnTop(MainWindow& w, bool on) {
  w.标签_顶.SetTextColour(on ? colour::kBlue : colour::kGrey);
  w.SetAlwaysOnTop(on);
}

void ToggleAlwaysOnTop(MainWindow& w) {
  ShowTitleHint(w, "设置窗口总在最前或取消"_gbk);
  ApplyAlwaysOnTop(w, !IsAlwaysOnTopOn(w));
}

}  // namespace quarvel
