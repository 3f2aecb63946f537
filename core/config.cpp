#include "core/config.h"

#include "resources/default_config.h"

namespace quarvel {

Text MakeConfigPath(HostServices& host) { return host.RunDirectory() + "\\config.ini"; }

void EnsureConfigFile(Program& program) {
  if (program.host.FileExists(program.configPath)) return;
  program.host.WriteFileBytes(program.configPath, DefaultConfigText());
}

Text ReadConfig(Program& program, const Text& key, const Text& defaultValue) {
  return program.host.ReadIniValue(program.configPath, "system", key, defaultValue);
}

bool WriteConfig(Program& program, const Text& key, const Text& value) {
  return program.host.WriteIniValue(program.configPath, "system", key, value);
}

bool ReadYesFlag(Program& program, const Text& key, const Text& defaultValue) {
  return ReadConfig(program, key, defaultValue) == "yes";
}

}  // namespace quarvel
