#include "search/history.h"

#include <set>

#include "mainwindow/main_window.h"

namespace quarvel {

void RecordSearchTerm(MainWindow& w) {
  w.program.searchHistory.push_back(w.编辑框1.text());
  RefreshHistoryList(w);
}

void RefreshHistoryList(MainWindow& w) {
  w.显示列表框.ClearItems();
  std::set<Text> seen;
  for (const Text& term : w.program.searchHistory)
    if (seen.insert(term).second) w.显示列表框.AddItem(term);
}

void StripHotSearchPrefix(MainWindow& w) {
  const Text& text = w.编辑框1.text();
  if (TextLeft(text, TextLength(HotSearchPrefix())) != HotSearchPrefix()) return;
  w.编辑框1.SetText(ReplaceText(text, HotSearchPrefix(), ""));
}

void PickHistoryTerm(MainWindow& w) {
  const int index = w.显示列表框.selection();
  if (index < 0) return;
  w.编辑框1.SetText(w.显示列表框.items()[static_cast<std::size_t>(index)]);
}

void ClearSearchHistory(MainWindow& w) {
  w.显示列表框.ClearItems();
  w.program.searchHistory.clear();
}

}  // namespace quarvel
