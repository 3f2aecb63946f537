// Shortcut files and starting with the desktop session, on an XDG desktop.
//
// A Windows shortcut (".lnk") is a desktop entry here: a program path that names a shortcut is
// the same path ending in ".desktop", so the program's own checks (does the shortcut exist,
// delete it) see the entries it made. The Startup folder is the XDG autostart folder, whose
// entries the desktop session starts when the user logs in.
#include <sys/stat.h>

#include "host/posix/gbk_convert.h"
#include "host/posix/posix_files.h"
#include "host/qt/qt_host.h"
#include "host/qt/xdg_browser.h"

namespace quarvel {
namespace {

bool EndsWithShortcutExtension(const Text& path) {
  return path.size() >= 4 && path[path.size() - 4] == '.' &&
         EqualIgnoringCase(path.substr(path.size() - 3), "lnk");
}

// The name part of a path: after its last backslash (a backslash is never the second byte of
// a GBK character that could end a folder name here, since paths are split at ASCII only).
Text FileName(const Text& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\') start = i + 1;
  return path.substr(start);
}

}  // namespace

Text QtHost::ShortcutFile(const Text& path) {
  if (!EndsWithShortcutExtension(path)) return path;
  return path.substr(0, path.size() - 4) + ".desktop";
}

bool QtHost::CreateShortcut(const Text& linkPath, const Text& target, const Text& description) {
  Text link = linkPath;
  if (FileName(link).find('.') == Text::npos) link += ".lnk";
  const Text name = description.empty() ? FileName(link) : description;
  return xdg::WriteDesktopEntry(posix::ToNativePath(ShortcutFile(link)), posix::GbkToUtf8(name),
                                posix::ToNativePath(target));
}

Text QtHost::ShortcutTarget(const Text& linkPath) {
  const auto command = xdg::DesktopEntryCommand(posix::ToNativePath(ShortcutFile(linkPath)));
  if (!command) return "";
  Text target = posix::FromNativePath((*command)[0]);
  for (std::size_t i = 1; i < command->size(); ++i) {
    target += ' ';
    target += posix::Utf8ToGbk((*command)[i]);
  }
  return target;
}

bool QtHost::SetAutorun(const Text& name, const Text& target) {
  struct stat st {};
  if (::stat(posix::ToNativePath(target).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const Text startup = SpecialFolder(SpecialFolderKind::Startup);
  if (startup.empty()) return false;
  return CreateShortcut(startup + name + ".lnk", target, name);
}

bool QtHost::CancelAutorun(const Text& name) {
  // There is no machine-wide Run list on this desktop: only the Startup entry is removed.
  const Text startup = SpecialFolder(SpecialFolderKind::Startup);
  return !startup.empty() && DeleteFile(startup + name + ".lnk");
}

}  // namespace quarvel
