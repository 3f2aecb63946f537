#pragma once
// QtHost: the program's platform operations on a Qt desktop (Linux/X11 or Wayland).
//
// Each Form shown by the program becomes a FormWindow. The shell, registry and HTTP operations
// are in qt_host_shell.cpp, mail in qt_host_mail.cpp, shortcuts in qt_host_shortcuts.cpp.
#include <QIcon>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "host/host_services.h"

class QSystemTrayIcon;

namespace quarvel {

class Balloon;
class FormWindow;

class QtHost : public HostServices {
 public:
  // Needs the QApplication; must be destroyed before it.
  QtHost();
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  std::optional<Bytes> ReadFileBytes(const Text& path) override;
  bool WriteFileBytes(const Text& path, const Bytes& bytes) override;
  bool FileExists(const Text& path) override;
  bool DeleteFile(const Text& path) override;
  bool CreateDirectory(const Text& path) override;
  Text RunDirectory() override;
  Text ExecutableName() override;
  Text SpecialFolder(SpecialFolderKind kind) override;

  Text ReadRegistryText(const Text& path, const Text& defaultValue) override;
  bool RunProgram(const Text& commandLine, bool wait, ShowMode mode) override;
  void ShellOpen(const Text& path) override;
  bool CreateShortcut(const Text& linkPath, const Text& target, const Text& description) override;
  Text ShortcutTarget(const Text& linkPath) override;
  bool SetAutorun(const Text& name, const Text& target) override;
  bool CancelAutorun(const Text& name) override;

  Text GetClipboardText() override;
  void SetClipboardText(const Text& text) override;
  void SeedRandom() override;
  int RandomInt(int low, int high) override;
  void ProcessEvents() override;

  MessageResult ShowMessage(const Text& text, MessageKind kind, const Text& title) override;
  void AttachWindow(Form& form) override;
  void DetachWindow(Form& form) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  WorkAreaRect WorkArea() override;
  void SetWindowAlpha(Form& form, int opacity) override;
  void SetTrayIcon(Form& form, TrayIcon icon, const Text& tip) override;
  void PopupMenu(Form& form, const Menu& menu) override;
  void BeginWindowDrag(Form& form) override;
  void SetFocus(Control& control) override;
  void SwitchToThisWindow(Form& form, bool altTab) override;
  std::optional<Text> OpenFileDialog(Control& dialog) override;
  void ShowBalloonTip(int x, int y, const Text& text) override;
  void RegisterDropTarget(Form& form, Control& dropObject) override;

  Bytes HttpGet(const Text& url) override;
  bool SmtpConnect(const Text& server, int port, const Text& login, const Text& password,
                   int timeoutMs) override;
  void SmtpClearAttachments() override;
  bool SmtpAddAttachment(const Text& path) override;
  Text SmtpSend(const Text& subject, const Text& body, const Text& recipient, const Text& sender) override;
  void SmtpDisconnect() override;

  int RunEventLoop() override;
  void EndProgram(int exitCode) override;
  void Post(std::function<void()> task) override;

  // What is on the screen for a form or control; nullptr when nothing is.
  FormWindow* WindowOf(const Form& form) const;
  QWidget* WidgetOf(const Control& control) const;
  QSystemTrayIcon* TrayIconOf(const Form& form) const;
  Balloon* balloon() const;

  // The program's icon (16 and 32 pixels).
  static QIcon ProgramIcon();

  // The folder for the program's files: the program's own folder when the user may write
  // there and its path can be written in GBK, else the user's data folder (created). A GBK
  // path with backslashes and no trailing backslash.
  static Text ChooseRunDirectory(const QString& programFolder, const QString& userDataFolder);

  // A shortcut file (".lnk") is a desktop entry on this desktop: the same path ending in
  // ".desktop". Other paths come back unchanged.
  static Text ShortcutFile(const Text& path);

 private:
  void RemoveTrayIcon(const Form& form);

  std::map<const Form*, FormWindow*> windows_;
  std::vector<QPointer<FormWindow>> leaving_;  // detached, waiting to be deleted
  std::map<const Form*, QSystemTrayIcon*> trayIcons_;
  std::map<const Form*, Control*> pendingDropTargets_;  // registered before the window existed
  QPointer<Balloon> balloon_;
  std::optional<Text> runDirectory_;
  std::optional<Text> clipboardText_;  // the clipboard's text until it changes
  std::mt19937 random_;
  bool inEventLoop_ = false;
  std::optional<int> pendingExit_;  // EndProgram came before the event loop ran
  QPoint lastPress_;                // where a mouse button last went down, on the screen
  std::unique_ptr<QObject> pressWatcher_;

  // What the operations of the other files keep between calls (the mail session).
  std::shared_ptr<void> shellState_;
};

}  // namespace quarvel
