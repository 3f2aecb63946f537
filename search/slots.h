#pragma once
// The three search slots: a caption on MainWindow and a URL template in config.ini, in which
// the placeholder "检索词" marks where the term goes; and the catalogue of preset engines.
#include <string_view>
#include <vector>

#include "core/form.h"

namespace quarvel {

class MainWindow;

inline const Text& Placeholder() { return "检索词"_gbk; }

struct Engine {
  Text caption;     // the menu item's text, and the caption it gives the slot
  Text urlTemplate; // empty for an entry that is not offered
  bool clearsPartB = false;
};

struct EngineGroup {
  Text name;
  std::vector<Engine> engines;
};

const std::vector<EngineGroup>& EngineCatalogue();

// The template a search uses when config.ini has none for the slot (1..3).
const Text& BuiltInTemplate(int slot);

// The keys and caption label of slot "1", "2" or "3".
struct SlotKeys {
  const char* caption;
  const char* urlTemplate;
  const char* partB;
};
const SlotKeys* KeysOfSlot(const Text& slot);
Control* CaptionLabelOfSlot(MainWindow& w, const Text& slot);

// Puts the term into every placeholder of the template. The term's bytes that would change the
// meaning of an address (controls, blank, '"', '#', '%', '&', '+', '?') are percent-encoded.
Text FillTemplate(std::string_view urlTemplate, std::string_view term);

// MainWindow's slot captions from config.ini, at start-up.
void ShowSlotCaptions(MainWindow& w);
// An arrow label: remembers the slot and pops up the engine menu.
void ArrowPressed(MainWindow& w, const char* slot);
// Gives the current slot a caption and a template.
void AssignEngine(MainWindow& w, const Text& caption, const Text& urlTemplate, bool clearPartB);
// The items of the engine menu 按钮菜单.
std::vector<MenuItem> BuildEngineMenu(MainWindow& w);

}  // namespace quarvel
