#pragma once
// A program started on the test host, with config.ini prepared beforehand when a test wants.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/program.h"
#include "host/testhost/test_host.h"
#include "mainwindow/main_window.h"

namespace quarvel::testing {

class ProgramTest : public ::testing::Test {
 protected:
  // Writes config.ini (raw bytes) before the program starts.
  void WriteConfigFile(const std::string& bytes) {
    std::ofstream(host.NativePath("config.ini"), std::ios::binary) << bytes;
  }
  std::optional<std::string> ConfigFile() {
    return host.ReadFileBytes(host.RunDirectory() + "\\config.ini");
  }
  Text ConfigValue(const Text& key) {
    return host.ReadIniValue(host.RunDirectory() + "\\config.ini", "system", key, "<missing>");
  }
  MainWindow& Start() {
    program.LoadWindow(WindowId::Main);
    host.RunPosted();
    return program.mainWindow();
  }

  TestHost host;
  Program program{host};
};

}  // namespace quarvel::testing
