// The two balloon tips shortly after start-up, and the way back from the notification area.
#include "mainwindow/main_window.h"

namespace quarvel {

void BalloonTick(MainWindow& w) {
  Program& p = w.program;
  w.时钟_做气泡.SetPeriod(0);
  if (p.tipStage == 1) {
    const Control& arrow = w.标签_下箭头;
    const int x = static_cast<int>(w.left() + arrow.left() + arrow.width() / 2.0);
    const int y = w.top() + arrow.top() - 2;
    p.host.ShowBalloonTip(x, y, "　单击此类按钮可更改或自定义搜索引擎　"_gbk);
    w.时钟_做气泡.SetPeriod(5000);
    p.tipStage = 2;
  } else if (p.tipStage == 2) {
    p.host.ShowBalloonTip(w.left(), w.top(), "　请试试将检索词直接拖放至本窗口　"_gbk);
  }
}

void ShowMainWindow(MainWindow& w) {
  w.SetVisible(true);
  w.program.host.SwitchToThisWindow(w, true);
}

}  // namespace quarvel
