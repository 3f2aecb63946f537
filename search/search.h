#pragma once
// Running a search: the term in 编辑框1 filled into a slot's template and opened in a browser.
#include "core/program.h"

namespace quarvel {

class MainWindow;

// Opens the address in the default browser, or in Internet Explorer when useIE is set. When
// no browser can be started, the address goes to the clipboard and a message says so.
void OpenPage(Program& program, const Text& address, bool useIE = false);

// The address as one argument of a command line, quoted by the Windows rules when it needs it.
Text QuoteArgument(const Text& argument);

void SearchWithSlot(MainWindow& w, int slot);
// Enter in the search box searches with all three slots, the third first.
void SearchBoxKeyPressed(MainWindow& w, int code);
void SlotLabelPressed(MainWindow& w, int slot);
void SearchAllPressed(MainWindow& w);

}  // namespace quarvel
