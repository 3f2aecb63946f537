#include "host/testhost/test_host.h"

#include <cstdlib>
#include <filesystem>
#include <limits>

#include "host/posix/gbk_convert.h"
#include "host/posix/posix_files.h"

namespace quarvel {

// Keeps the virtual clock's deadlines of one window's timers.
class TestHost::View : public FormView {
 public:
  View(TestHost& host, Form& form) : host_(host), form_(form) {}
  void ControlChanged(Control&, Property) override {}
  void WindowChanged(WindowProperty) override {}
  void TimerChanged(Timer& timer) override {
    if (timer.period() > 0)
      host_.deadlines_[&timer] = host_.nowMs_ + timer.period();
    else
      host_.deadlines_.erase(&timer);
  }
  void Forget() {
    for (Timer* t : form_.timers()) host_.deadlines_.erase(t);
  }

 private:
  TestHost& host_;
  Form& form_;
};

TestHost::TestHost() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quarvel-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  nativeRunDirectory = pattern;
}

TestHost::~TestHost() {
  std::error_code ignored;
  std::filesystem::remove_all(nativeRunDirectory, ignored);
}

void TestHost::Advance(long long ms) {
  const long long target = nowMs_ + ms;
  for (;;) {
    Timer* next = nullptr;
    long long when = std::numeric_limits<long long>::max();
    for (const auto& [timer, deadline] : deadlines_) {
      if (deadline < when) {
        when = deadline;
        next = timer;
      }
    }
    if (!next || when > target) break;
    nowMs_ = when;
    deadlines_[next] = when + next->period();
    next->RaiseTick();
    RunPosted();
  }
  nowMs_ = target;
}

void TestHost::RunPosted() {
  while (!posted_.empty()) {
    auto task = std::move(posted_.front());
    posted_.pop_front();
    task();
  }
}

std::optional<Bytes> TestHost::ReadFileBytes(const Text& path) { return posix::ReadFileBytes(path); }
bool TestHost::WriteFileBytes(const Text& path, const Bytes& bytes) { return posix::WriteFileBytes(path, bytes); }
bool TestHost::FileExists(const Text& path) { return posix::FileExists(path); }
bool TestHost::DeleteFile(const Text& path) { return posix::DeleteFile(path); }
bool TestHost::CreateDirectory(const Text& path) { return posix::CreateDirectory(path); }
Text TestHost::RunDirectory() { return posix::FromNativePath(nativeRunDirectory); }

Text TestHost::SpecialFolder(SpecialFolderKind kind) {
  const std::string name = kind == SpecialFolderKind::Desktop ? "Desktop" : "Startup";
  std::filesystem::create_directories(NativePath(name));
  return posix::FromNativePath(NativePath(name)) + "\\";
}

Text TestHost::ReadRegistryText(const Text& path, const Text& defaultValue) {
  const auto found = registry.find(path);
  return found != registry.end() ? found->second : defaultValue;
}

bool TestHost::RunProgram(const Text& commandLine, bool wait, ShowMode mode) {
  runs.push_back({commandLine, wait, mode});
  return runProgramSucceeds;
}

int TestHost::RandomInt(int low, int high) {
  if (randomAnswers.empty()) return low;
  const int answer = randomAnswers.front();
  randomAnswers.pop_front();
  return answer < low ? low : answer > high ? high : answer;
}

MessageResult TestHost::ShowMessage(const Text& text, MessageKind kind, const Text& title) {
  messages.push_back({text, kind, title});
  if (messageAnswers.empty()) return MessageResult::Ok;
  const MessageResult answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

void TestHost::AttachWindow(Form& form) {
  auto view = std::make_unique<View>(*this, form);
  form.AttachView(view.get());
  for (Timer* t : form.timers())
    if (t->period() > 0) view->TimerChanged(*t);
  views_[&form] = std::move(view);
}

void TestHost::DetachWindow(Form& form) {
  const auto found = views_.find(&form);
  if (found == views_.end()) return;
  found->second->Forget();
  form.AttachView(nullptr);
  views_.erase(found);
  trayIcons.erase(form.id());
}

void TestHost::SetWindowAlpha(Form& form, int opacity) {
  windowAlpha[form.id()] = opacity >= 0 && opacity <= 255 ? opacity : 255;
}

void TestHost::SetTrayIcon(Form& form, TrayIcon icon, const Text& tip) {
  if (icon == TrayIcon::None)
    trayIcons.erase(form.id());
  else
    trayIcons[form.id()] = {icon, tip};
}

void TestHost::PopupMenu(Form&, const Menu& menu) {
  menusShown.push_back(menu.name);
  if (menuChoices.empty()) return;
  const std::vector<Text> path = std::move(menuChoices.front());
  menuChoices.pop_front();
  const std::vector<MenuItem>* items = &menu.items;
  const MenuItem* chosen = nullptr;
  for (const Text& step : path) {
    chosen = nullptr;
    for (const MenuItem& item : *items)
      if (!item.IsSeparator() && item.text == step) chosen = &item;
    if (!chosen) return;  // no such item: the menu is dismissed
    items = &chosen->children;
  }
  if (chosen && chosen->action) chosen->action();
}

void TestHost::SwitchToThisWindow(Form& form, bool) {
  switchedTo.push_back(form.id());
  form.SyncMinimised(false);
  form.SyncVisible(true);
}

}  // namespace quarvel
