#pragma once
// A host for the tests: it records every platform call, answers from a script, keeps files in
// a temporary folder and runs the windows' timers on a virtual clock.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host_services.h"

namespace quarvel {

class TestHost : public HostServices {
 public:
  TestHost();
  ~TestHost() override;

  // --- Script and records -------------------------------------------------------------
  // The folder standing in for the program's folder: a fresh temporary folder per host.
  std::string nativeRunDirectory;  // UTF-8, with slashes
  std::string NativePath(const std::string& name) const { return nativeRunDirectory + "/" + name; }

  struct Message {
    Text text;
    MessageKind kind;
    Text title;
  };
  std::vector<Message> messages;
  std::deque<MessageResult> messageAnswers;  // answers in turn; OK when empty

  // Menu choices in turn, each a path of item texts (GBK) from the top of the menu; an empty
  // path dismisses the menu. Without a script every menu is dismissed.
  std::deque<std::vector<Text>> menuChoices;
  std::vector<std::string> menusShown;  // menu names, in order

  struct Run {
    Text commandLine;
    bool wait;
    ShowMode mode;
  };
  std::vector<Run> runs;
  bool runProgramSucceeds = true;
  std::map<Text, Text> registry;  // path -> value

  Text clipboard;
  int screenWidth = 1920, screenHeight = 1080;
  WorkAreaRect workArea{0, 0, 1920, 1040};
  std::deque<int> randomAnswers;  // RandomInt answers in turn; low when empty

  std::map<WindowId, int> windowAlpha;
  struct Tray {
    TrayIcon icon;
    Text tip;
  };
  std::map<WindowId, Tray> trayIcons;
  struct Balloon {
    int x, y;
    Text text;
    long long atMs;
  };
  std::vector<Balloon> balloons;
  Control* focused = nullptr;
  std::vector<WindowId> dropTargets;
  int windowDrags = 0;
  std::vector<WindowId> switchedTo;
  std::vector<Text> shellOpened;
  std::optional<int> endedWith;  // the exit code once EndProgram was called

  // --- Virtual clock --------------------------------------------------------------------
  long long nowMs() const { return nowMs_; }
  // Lets ms milliseconds pass: every timer that falls due ticks, in order of time.
  void Advance(long long ms);
  // Runs the tasks handed to Post.
  void RunPosted();

  // --- HostServices ---------------------------------------------------------------------
  std::optional<Bytes> ReadFileBytes(const Text& path) override;
  bool WriteFileBytes(const Text& path, const Bytes& bytes) override;
  bool FileExists(const Text& path) override;
  bool DeleteFile(const Text& path) override;
  bool CreateDirectory(const Text& path) override;
  Text RunDirectory() override;
  Text ExecutableName() override { return "quarvel"; }
  Text SpecialFolder(SpecialFolderKind kind) override;
  Text ReadRegistryText(const Text& path, const Text& defaultValue) override;
  bool RunProgram(const Text& commandLine, bool wait, ShowMode mode) override;
  void ShellOpen(const Text& path) override { shellOpened.push_back(path); }
  bool CreateShortcut(const Text&, const Text&, const Text&) override { return false; }
  Text ShortcutTarget(const Text&) override { return {}; }
  bool SetAutorun(const Text&, const Text&) override { return false; }
  bool CancelAutorun(const Text&) override { return false; }
  Text GetClipboardText() override { return clipboard; }
  void SetClipboardText(const Text& text) override { clipboard = text; }
  void SeedRandom() override {}
  int RandomInt(int low, int high) override;
  void ProcessEvents() override { RunPosted(); }
  MessageResult ShowMessage(const Text& text, MessageKind kind, const Text& title) override;
  void AttachWindow(Form& form) override;
  void DetachWindow(Form& form) override;
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  WorkAreaRect WorkArea() override { return workArea; }
  void SetWindowAlpha(Form& form, int opacity) override;
  void SetTrayIcon(Form& form, TrayIcon icon, const Text& tip) override;
  void PopupMenu(Form& form, const Menu& menu) override;
  void BeginWindowDrag(Form&) override { ++windowDrags; }
  void SetFocus(Control& control) override { focused = &control; }
  void SwitchToThisWindow(Form& form, bool altTab) override;
  std::optional<Text> OpenFileDialog(Control&) override { return std::nullopt; }
  void ShowBalloonTip(int x, int y, const Text& text) override { balloons.push_back({x, y, text, nowMs_}); }
  void RegisterDropTarget(Form& form, Control&) override { dropTargets.push_back(form.id()); }
  Bytes HttpGet(const Text&) override { return {}; }
  bool SmtpConnect(const Text&, int, const Text&, const Text&, int) override { return false; }
  void SmtpClearAttachments() override {}
  bool SmtpAddAttachment(const Text&) override { return false; }
  Text SmtpSend(const Text&, const Text&, const Text&, const Text&) override { return "no mail server"; }
  void SmtpDisconnect() override {}
  int RunEventLoop() override { return endedWith.value_or(0); }
  void EndProgram(int exitCode) override { endedWith = exitCode; }
  void Post(std::function<void()> task) override { posted_.push_back(std::move(task)); }

 private:
  class View;
  std::map<Form*, std::unique_ptr<View>> views_;
  std::deque<std::function<void()>> posted_;
  long long nowMs_ = 0;
  friend class View;
  std::map<Timer*, long long> deadlines_;
};

}  // namespace quarvel
