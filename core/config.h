#pragma once
// config.ini: MainWindow's settings and the three search slots, in section "system" of a file
// beside the program. There is no copy in memory: every read goes to the file.
#include "core/program.h"

namespace quarvel {

// RunDirectory followed by "\config.ini".
Text MakeConfigPath(HostServices& host);
// Creates config.ini from its default text when the file does not exist.
void EnsureConfigFile(Program& program);
// The value of a key of section "system", or the default when it is missing.
Text ReadConfig(Program& program, const Text& key, const Text& defaultValue);
bool WriteConfig(Program& program, const Text& key, const Text& value);
// A flag is on only when its value is exactly "yes".
bool ReadYesFlag(Program& program, const Text& key, const Text& defaultValue);

}  // namespace quarvel
