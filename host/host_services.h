#pragma once
// HostServices: every platform operation the program uses. The logic reaches the operating
// system only through this interface; one implementation exists per desktop (Qt on Linux), and
// one for the tests, which records the calls and answers from a script.
//
// Conventions: texts are GBK. Paths are written the Windows way, with backslashes; a host on
// another system maps them. No operation throws: failures show as false, "" or empty bytes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "host/text.h"

namespace quarvel {


// Results of ShowMessage.
enum class MessageResult { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

enum class MessageKind {
  Ok,               // always on top, OK only
  Error,            // always on top, error icon, OK
  Question,         // always on top, question icon, OK
  YesNo,            // always on top, Yes and No
  YesNoCancel,      // always on top, Yes, No and Cancel
};

enum class ShowMode { Hidden, Normal, Minimised, Maximised, NormalNoActivate, MinimisedNoActivate };
enum class SpecialFolderKind { Desktop, Startup };
enum class TrayIcon { None, Program, ShopBox };

struct WorkAreaRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class HostServices {
 public:
  virtual ~HostServices() = default;

  // Configuration and files. The INI operations follow the Windows profile functions and are
  // the same on every host (ini.cpp); they use ReadFileBytes and WriteFileBytes.
  Text ReadIniValue(const Text& file, const Text& section, const Text& key, const Text& defaultValue);
  bool WriteIniValue(const Text& file, const Text& section, const std::optional<Text>& key,
                     const Text& value = {});

  // The whole file, or nothing when it cannot be read.
  virtual std::optional<Bytes> ReadFileBytes(const Text& path) = 0;
  // Creates or replaces the file with exactly these bytes.
  virtual bool WriteFileBytes(const Text& path, const Bytes& bytes) = 0;
  virtual bool FileExists(const Text& path) = 0;
  virtual bool DeleteFile(const Text& path) = 0;
  virtual bool CreateDirectory(const Text& path) = 0;
  // The folder that holds the program's files, without a trailing backslash.
  virtual Text RunDirectory() = 0;
  virtual Text ExecutableName() = 0;
  // Ends in a backslash; "" when the folder cannot be had.
  virtual Text SpecialFolder(SpecialFolderKind kind) = 0;

  // Registry, processes and the shell.
  // Root key: always the local machine hive. The path is split at its last backslash into key
  // and value name; an empty value name reads the key's default value.
  virtual Text ReadRegistryText(const Text& path, const Text& defaultValue) = 0;
  // Starts the command line; true when the process was created.
  virtual bool RunProgram(const Text& commandLine, bool wait, ShowMode mode) = 0;
  virtual void ShellOpen(const Text& path) = 0;
  virtual bool CreateShortcut(const Text& linkPath, const Text& target, const Text& description) = 0;
  virtual Text ShortcutTarget(const Text& linkPath) = 0;
  virtual bool SetAutorun(const Text& name, const Text& target) = 0;
  virtual bool CancelAutorun(const Text& name) = 0;

  // Clipboard, randomness and events.
  virtual Text GetClipboardText() = 0;
  virtual void SetClipboardText(const Text& text) = 0;
  virtual void SeedRandom() = 0;
  virtual int RandomInt(int low, int high) = 0;
  virtual void ProcessEvents() = 0;

  // User interface.
  // A modal, always-on-top message box; an empty title shows "信息：".
  virtual MessageResult ShowMessage(const Text& text, MessageKind kind, const Text& title) = 0;
  // Creates the window of this form on the desktop, hidden; the host attaches its view.
  virtual void AttachWindow(Form& form) = 0;
  // Removes the window of this form from the desktop.
  virtual void DetachWindow(Form& form) = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual WorkAreaRect WorkArea() = 0;
  // 0..255; a value outside counts as 255 (opaque).
  virtual void SetWindowAlpha(Form& form, int opacity) = 0;
  // TrayIcon::None removes the window's icon. Mouse events on the icon reach form.onTrayEvent.
  virtual void SetTrayIcon(Form& form, TrayIcon icon, const Text& tip) = 0;
  // Shows the menu at the mouse; runs the chosen item's action before it returns.
  virtual void PopupMenu(Form& form, const Menu& menu) = 0;
  virtual void BeginWindowDrag(Form& form) = 0;
  virtual void SetFocus(Control& control) = 0;
  // Restores the window when minimised and brings it to the front.
  virtual void SwitchToThisWindow(Form& form, bool altTab) = 0;
  virtual std::optional<Text> OpenFileDialog(Control& dialog) = 0;
  virtual void ShowBalloonTip(int x, int y, const Text& text) = 0;
  // Drops anywhere on the window reach the drop object's got-text, got-hypertext and got-URL.
  virtual void RegisterDropTarget(Form& form, Control& dropObject) = 0;

  // Network and threads.
  // HTTP/1.0 GET; the body, or empty bytes on any failure. May be called from any thread.
  virtual Bytes HttpGet(const Text& url) = 0;
  virtual bool SmtpConnect(const Text& server, int port, const Text& login, const Text& password,
                           int timeoutMs) = 0;
  virtual void SmtpClearAttachments() = 0;
  virtual bool SmtpAddAttachment(const Text& path) = 0;
  // "" on success, otherwise a description of the failure.
  virtual Text SmtpSend(const Text& subject, const Text& body, const Text& recipient, const Text& sender) = 0;
  virtual void SmtpDisconnect() = 0;

  // The event loop of the program: runs until EndProgram.
  virtual int RunEventLoop() = 0;
  virtual void EndProgram(int exitCode) = 0;
  // Runs the task on the user-interface thread once the current event has been handled (used
  // to free a window whose own handler closed it).
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace quarvel
