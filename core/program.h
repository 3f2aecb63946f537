#pragma once
// The program: its program-wide state, its windows, start and quit.
#include <array>
#include <memory>
#include <vector>

#include "core/form.h"
#include "host/host_services.h"

namespace quarvel {

class MainWindow;

class Program {
 public:
  explicit Program(HostServices& host);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The program entry: loads MainWindow (whose creation handler runs the start-up sequence)
  // and runs the event loop until the program is ended. Returns the exit code.
  int Run();
  // "退出": writes MainWindow's switches back, closes the other windows and ends the program.
  void Quit();

  // Creates and shows the window, running its creation handler; a window that exists already
  // is only restored when minimised, or else activated. nullptr for a window this build lacks.
  Form* LoadWindow(WindowId id);
  // Runs the window's handler for its coming destruction, then removes it.
  void DestroyWindow(WindowId id);
  bool IsWindowLoaded(WindowId id) const;
  // The window when it is loaded, else nullptr.
  Form* Window(WindowId id) const;
  MainWindow& mainWindow() const;

  HostServices& host;

  // Program-wide variables.
  Text configPath;                  // full path of config.ini
  bool useIE = false;               // open pages with Internet Explorer
  Text currentSlot;                 // "1", "2" or "3": the slot whose arrow was pressed last
  std::vector<Text> searchHistory;  // terms recorded since start
  int tipStage = 0;                 // the next start-up balloon tip

 private:
  std::array<std::unique_ptr<Form>, 6> windows_;
};

// Every window of the program derives from this: a form plus its creation and destruction
// handlers.
class ProgramWindow : public Form {
 public:
  ProgramWindow(Program& program, WindowSpec spec) : Form(std::move(spec)), program(program) {}
  virtual void OnCreate() {}
  virtual void OnDestroy() {}
  Program& program;

 protected:
  // Short names for the control declarations of the windows.
  using CS = ControlSpec;
  using K = ControlKind;
  using C = CursorShape;
};

}  // namespace quarvel
