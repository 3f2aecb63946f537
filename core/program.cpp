#include "core/program.h"

#include "core/config.h"
#include "mainwindow/main_window.h"
#include "settings/button_setup_window.h"

namespace quarvel {
namespace {

std::unique_ptr<ProgramWindow> MakeWindow(Program& program, WindowId id) {
  switch (id) {
    case WindowId::Main:
      return std::make_unique<MainWindow>(program);
    case WindowId::ButtonSetup:
      return std::make_unique<ButtonSetupWindow>(program);
    default:
      return nullptr;
  }
}

std::size_t Slot(WindowId id) { return static_cast<std::size_t>(id); }

}  // namespace

Program::Program(HostServices& host) : host(host) {}

Program::~Program() {
  for (auto& window : windows_)
    if (window) host.DetachWindow(*window);
}

int Program::Run() {
  LoadWindow(WindowId::Main);
  return host.RunEventLoop();
}

void Program::Quit() {
  MainWindow& w = mainWindow();
  WriteConfig(*this, "Trans", w.标签_透明度.text());
  WriteConfig(*this, "OnTop", IsAlwaysOnTopOn(w) ? "yes" : "no");
  WriteConfig(*this, "MonitorClip", IsClipboardWatched(w) ? "yes" : "no");
  host.SetTrayIcon(w, TrayIcon::None, {});
  host.EndProgram(0);
}

Form* Program::LoadWindow(WindowId id) {
  if (Form* existing = Window(id)) {
    host.SwitchToThisWindow(*existing, false);
    return existing;
  }
  std::unique_ptr<ProgramWindow> window = MakeWindow(*this, id);
  if (!window) return nullptr;
  ProgramWindow& w = *window;
  windows_[Slot(id)] = std::move(window);
  host.AttachWindow(w);
  w.OnCreate();
  w.SetVisible(true);
  return &w;
}

void Program::DestroyWindow(WindowId id) {
  std::unique_ptr<Form> window = std::move(windows_[Slot(id)]);
  if (!window) return;
  static_cast<ProgramWindow&>(*window).OnDestroy();
  host.DetachWindow(*window);
  // The window's own handler may be running still: free it once that event is over.
  std::shared_ptr<Form> doomed(std::move(window));
  host.Post([doomed] {});
}

bool Program::IsWindowLoaded(WindowId id) const { return windows_[Slot(id)] != nullptr; }

Form* Program::Window(WindowId id) const { return windows_[Slot(id)].get(); }

MainWindow& Program::mainWindow() const { return static_cast<MainWindow&>(*windows_[Slot(WindowId::Main)]); }

}  // namespace quarvel
