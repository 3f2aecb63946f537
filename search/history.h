#pragma once
// The search history of this run and the hot-search prefix that a notice puts before its
// preset terms.
#include "host/text.h"

namespace quarvel {

class MainWindow;

inline const Text& HotSearchPrefix() { return "热门搜索："_gbk; }

// Adds the search box's text to the history and rebuilds the list.
void RecordSearchTerm(MainWindow& w);
// The list shows every distinct term once, in the order it was first recorded.
void RefreshHistoryList(MainWindow& w);
// Removes the hot-search prefix from a search box text that begins with it.
void StripHotSearchPrefix(MainWindow& w);
void PickHistoryTerm(MainWindow& w);
// Empties the list and the history, so that cleared terms do not come back.
void ClearSearchHistory(MainWindow& w);

}  // namespace quarvel
