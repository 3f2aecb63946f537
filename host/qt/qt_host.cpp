#include "host/qt/qt_host.h"

#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QWindow>
#include <chrono>

#include "host/posix/gbk_convert.h"
#include "host/posix/posix_files.h"
#include "host/qt/balloon.h"
#include "host/qt/qt_form_view.h"
#include "host/qt/qt_text.h"

// The images live in a static library; they have to be registered by hand.
static void InitQuarvelResources() {
  Q_INIT_RESOURCE(resources);
}

namespace quarvel {
namespace {

Text WithoutTrailingBackslash(Text path) {
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}

// A folder as a GBK path ending in a backslash; "" when it cannot be written in GBK.
Text FolderPath(const QString& folder) {
  bool ok = false;
  Text path = posix::FromNativePath(QDir::cleanPath(folder).toStdString(), &ok);
  if (!ok || path.empty()) return "";
  if (path.back() != '\\') path += '\\';
  return path;
}

// Notes where mouse buttons go down, for dragging windows from the point where the drag began.
class PressWatcher : public QObject {
 public:
  explicit PressWatcher(QPoint& lastPress) : lastPress_(lastPress) { qApp->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress)
      lastPress_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    return false;
  }

 private:
  QPoint& lastPress_;
};

}  // namespace

QtHost::QtHost()
    : random_(static_cast<std::mt19937::result_type>(std::random_device{}())),
      pressWatcher_(std::make_unique<PressWatcher>(lastPress_)) {
  InitQuarvelResources();
  // The clipboard says when its content changes; until then the text read last is still it.
  // Reading it afresh costs a round of requests to its owner, which a watch once a second
  // would otherwise make for nothing.
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, QGuiApplication::clipboard(),
                   [this] { clipboardText_.reset(); });
}

QtHost::~QtHost() {
  delete balloon_.data();
  for (auto& [form, icon] : trayIcons_) delete icon;
  // The forms may be gone already: the windows are deleted without touching them.
  for (auto& [form, window] : windows_) {
    window->Detach();
    delete window;
  }
  for (const QPointer<FormWindow>& window : leaving_) delete window.data();
}

// Files.

std::optional<Bytes> QtHost::ReadFileBytes(const Text& path) {
  return posix::ReadFileBytes(ShortcutFile(path));
}
bool QtHost::WriteFileBytes(const Text& path, const Bytes& bytes) {
  return posix::WriteFileBytes(ShortcutFile(path), bytes);
}
bool QtHost::FileExists(const Text& path) {
  return posix::FileExists(ShortcutFile(path));
}
bool QtHost::DeleteFile(const Text& path) {
  return posix::DeleteFile(ShortcutFile(path));
}
bool QtHost::CreateDirectory(const Text& path) {
  return posix::CreateDirectory(path);
}

Text QtHost::ChooseRunDirectory(const QString& programFolder, const QString& userDataFolder) {
  bool ok = false;
  const Text own = posix::FromNativePath(QDir::cleanPath(programFolder).toStdString(), &ok);
  if (ok && !programFolder.isEmpty() && ::access(QFile::encodeName(programFolder).constData(), W_OK) == 0)
    return WithoutTrailingBackslash(own);
  // Installed where the user may not write (under /usr, say): settings go to the user's own
  // data folder instead of being lost.
  QDir().mkpath(userDataFolder);
  return WithoutTrailingBackslash(posix::FromNativePath(QDir::cleanPath(userDataFolder).toStdString()));
}

Text QtHost::RunDirectory() {
  if (!runDirectory_)
    runDirectory_ = ChooseRunDirectory(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Quarvel"));
  return *runDirectory_;
}

Text QtHost::ExecutableName() {
  return ToGbk(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

Text QtHost::SpecialFolder(SpecialFolderKind kind) {
  switch (kind) {
    case SpecialFolderKind::Desktop: {
      const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
      if (desktop.isEmpty() || !QFileInfo(desktop).isDir()) return "";
      return FolderPath(desktop);
    }
    case SpecialFolderKind::Startup: {
      // The XDG autostart folder; made when it is not there yet, as it is wanted to put
      // something into it.
      QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
      if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
      const QString autostart = config + QStringLiteral("/autostart");
      if (!QDir().mkpath(autostart)) return "";
      return FolderPath(autostart);
    }
  }
  return "";
}

// Clipboard, randomness, events.

Text QtHost::GetClipboardText() {
  if (!clipboardText_) clipboardText_ = ToGbk(QGuiApplication::clipboard()->text());
  return *clipboardText_;
}

void QtHost::SetClipboardText(const Text& text) {
  QGuiApplication::clipboard()->setText(ToQt(text));
}

void QtHost::SeedRandom() {
  random_.seed(static_cast<std::mt19937::result_type>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

int QtHost::RandomInt(int low, int high) {
  if (low > high) std::swap(low, high);
  return std::uniform_int_distribution<int>(low, high)(random_);
}

void QtHost::ProcessEvents() {
  QCoreApplication::processEvents();
}

// User interface.

MessageResult QtHost::ShowMessage(const Text& text, MessageKind kind, const Text& title) {
  QMessageBox box;
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowTitle(title.empty() ? QStringLiteral("信息：") : ToQtLines(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQtLines(text));
  switch (kind) {
    case MessageKind::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::Error:
      box.setIcon(QMessageBox::Critical);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::Question:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case MessageKind::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
  }
  // Set last: the message box sets its window flags while it is being put together.
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.exec();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
      return MessageResult::Yes;
    case QMessageBox::No:
      return MessageResult::No;
    case QMessageBox::Cancel:
      return MessageResult::Cancel;
    case QMessageBox::Ok:
      return MessageResult::Ok;
    default:
      break;
  }
  // Closed without a button.
  switch (kind) {
    case MessageKind::YesNo:
      return MessageResult::No;
    case MessageKind::YesNoCancel:
      return MessageResult::Cancel;
    default:
      return MessageResult::Ok;
  }
}

void QtHost::AttachWindow(Form& form) {
  if (windows_.count(&form)) DetachWindow(form);
  auto* window = new FormWindow(form);
  windows_[&form] = window;
  form.AttachView(window);
  if (const auto it = pendingDropTargets_.find(&form); it != pendingDropTargets_.end()) {
    window->SetDropTarget(it->second);
    pendingDropTargets_.erase(it);
  }
  if (form.visible()) window->WindowChanged(WindowProperty::Visible);
}

void QtHost::DetachWindow(Form& form) {
  RemoveTrayIcon(form);
  pendingDropTargets_.erase(&form);
  const auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  FormWindow* window = it->second;
  windows_.erase(it);
  window->hide();
  if (form.view() == window) form.AttachView(nullptr);
  window->Detach();
  // Perhaps called from one of this window's own event handlers: deleted once that is over.
  window->deleteLater();
  std::erase_if(leaving_, [](const QPointer<FormWindow>& w) { return w.isNull(); });
  leaving_.emplace_back(window);
}

FormWindow* QtHost::WindowOf(const Form& form) const {
  const auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second;
}

QWidget* QtHost::WidgetOf(const Control& control) const {
  FormWindow* window = WindowOf(control.form());
  return window ? window->widgetOf(control) : nullptr;
}

QSystemTrayIcon* QtHost::TrayIconOf(const Form& form) const {
  const auto it = trayIcons_.find(&form);
  return it == trayIcons_.end() ? nullptr : it->second;
}

Balloon* QtHost::balloon() const {
  return balloon_;
}

int QtHost::ScreenWidth() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

int QtHost::ScreenHeight() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}

WorkAreaRect QtHost::WorkArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect area = screen->availableGeometry();
  return {area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
}

void QtHost::SetWindowAlpha(Form& form, int opacity) {
  FormWindow* window = WindowOf(form);
  if (!window) return;
  window->setWindowOpacity(opacity < 0 || opacity > 255 ? 1.0 : opacity / 255.0);
}

QIcon QtHost::ProgramIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/images/quarvel-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/images/quarvel-32.png"), QSize(32, 32));
  return icon;
}

void QtHost::SetTrayIcon(Form& form, TrayIcon icon, const Text& tip) {
  if (icon == TrayIcon::None) {
    RemoveTrayIcon(form);
    return;
  }
  QSystemTrayIcon*& tray = trayIcons_[&form];
  if (!tray) {
    tray = new QSystemTrayIcon();
    // No context menu of Qt's: the program pops up its own menu for every event.
    QObject::connect(tray, &QSystemTrayIcon::activated, tray,
                     [this, &form](QSystemTrayIcon::ActivationReason why) {
                       int code = 0;
                       switch (why) {
                         case QSystemTrayIcon::Trigger:
                           code = 1;
                           break;
                         case QSystemTrayIcon::DoubleClick:
                           code = 2;
                           break;
                         case QSystemTrayIcon::Context:
                           code = 3;
                           break;
                         default:
                           return;
                       }
                       if (WindowOf(form)) form.RaiseTrayEvent(code);
                     });
  }
  tray->setIcon(icon == TrayIcon::ShopBox ? QIcon(QStringLiteral(":/images/shopbox.png")) : ProgramIcon());
  tray->setToolTip(ToQtLines(tip));
  tray->show();
}

void QtHost::RemoveTrayIcon(const Form& form) {
  const auto it = trayIcons_.find(&form);
  if (it == trayIcons_.end()) return;
  // Perhaps removed from inside the icon's own mouse event: hiding it at once would delete the
  // widget whose handler is running, so both wait until that event is over.
  it->second->deleteLater();
  trayIcons_.erase(it);
}

void QtHost::PopupMenu(Form&, const Menu& menu) {
  std::function<void()> chosenAction;
  {
    QMenu popup;
    // The actions are copied: the program's menu may change while this one is open.
    std::map<QAction*, std::function<void()>> actions;
    const std::function<void(QMenu*, const std::vector<MenuItem>&)> build =
        [&](QMenu* into, const std::vector<MenuItem>& entries) {
          for (const MenuItem& item : entries) {
            if (item.IsSeparator())
              into->addSeparator();
            else if (!item.children.empty())
              build(into->addMenu(ToQtLines(item.text)), item.children);
            else
              actions[into->addAction(ToQtLines(item.text))] = item.action;
          }
        };
    build(&popup, menu.items);
    QAction* chosen = popup.exec(QCursor::pos());
    if (const auto it = actions.find(chosen); chosen && it != actions.end()) chosenAction = it->second;
  }
  if (chosenAction) chosenAction();  // run once the menu is gone
}

void QtHost::BeginWindowDrag(Form& form) {
  FormWindow* window = WindowOf(form);
  if (!window || !(QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
  if (QWindow* native = window->windowHandle(); native && native->startSystemMove()) return;
  // No window manager to do it (as under Xvfb): the window follows the mouse itself.
  window->FollowMouse(lastPress_);
}

void QtHost::SetFocus(Control& control) {
  if (QWidget* widget = WidgetOf(control)) widget->setFocus(Qt::OtherFocusReason);
}

void QtHost::SwitchToThisWindow(Form& form, bool) {
  FormWindow* window = WindowOf(form);
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
  form.SyncVisible(true);
  form.SyncMinimised(false);
}

std::optional<Text> QtHost::OpenFileDialog(Control& dialog) {
  const QString path = QFileDialog::getOpenFileName(WindowOf(dialog.form()));
  if (path.isEmpty()) return std::nullopt;
  return posix::FromNativePath(path.toStdString());
}

void QtHost::ShowBalloonTip(int x, int y, const Text& text) {
  if (balloon_) balloon_->close();  // one at a time
  balloon_ = new Balloon(ToQtLines(text), QPoint(x, y));
  balloon_->show();
}

void QtHost::RegisterDropTarget(Form& form, Control& dropObject) {
  if (FormWindow* window = WindowOf(form))
    window->SetDropTarget(&dropObject);
  else
    pendingDropTargets_[&form] = &dropObject;
}

// The event loop.

int QtHost::RunEventLoop() {
  if (pendingExit_) return *std::exchange(pendingExit_, std::nullopt);
  inEventLoop_ = true;
  const int code = QApplication::exec();
  inEventLoop_ = false;
  return code;
}

void QtHost::EndProgram(int exitCode) {
  if (inEventLoop_)
    QCoreApplication::exit(exitCode);
  else
    pendingExit_ = exitCode;  // the loop has not started: it ends at once when it does
}

void QtHost::Post(std::function<void()> task) {
  // Queued on the application object, so it runs on the user-interface thread from any thread.
  QMetaObject::invokeMethod(
      qApp, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

}  // namespace quarvel
