// Clipboard watching and the small helpers that change the search term: paste, copy, quotes,
// clear. The watching state is the caption of 标签_键 together with the clipboard timer.
#include "mainwindow/main_window.h"

namespace quarvel {

bool IsClipboardWatched(const MainWindow& w) { return w.标签_键.text() == "监"_gbk; }

void ApplyClipboardWatching(MainWindow& w, bool on) {
  w.标签_键.SetText(on ? "监"_gbk : "键"_gbk);
  w.监控剪贴板.SetPeriod(on ? 1000 : 0);
}

void ToggleClipboardWatching(MainWindow& w) {
  ShowTitleHint(w, "监：监控剪贴板；键：接受用户输入"_gbk);
  if (w.标签_键.text() == "键"_gbk) {
    ApplyClipboardWatching(w, true);
  } else {
    ApplyClipboardWatching(w, false);
    w.program.host.SetFocus(w.编辑框1);
  }
}

void WatchClipboardTick(MainWindow& w) {
  HostServices& host = w.program.host;
  if (host.GetClipboardText() != w.编辑框1.text()) w.编辑框1.SetText(host.GetClipboardText());
}

void PasteIntoSearchBox(MainWindow& w) { w.编辑框1.SetText(w.program.host.GetClipboardText()); }

void CopySearchBox(MainWindow& w) { w.program.host.SetClipboardText(w.编辑框1.text()); }

void QuoteSearchBox(MainWindow& w) { w.编辑框1.SetText("“"_gbk + w.编辑框1.text() + "”"_gbk); }

void ClearSearchBox(MainWindow& w) {
  w.编辑框1.SetText("");
  w.program.host.SetFocus(w.编辑框1);
  w.编辑框1.SetTextColour(colour::kEditText);
}

}  // namespace quarvel
