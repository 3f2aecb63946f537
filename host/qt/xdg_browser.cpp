#include "host/qt/xdg_browser.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel::xdg {

std::optional<std::string> DefaultBrowserId() {
  GAppInfo* info = g_app_info_get_default_for_uri_scheme("http");
  if (!info) return std::nullopt;
  std::optional<std::string> id;
  if (const char* s = g_app_info_get_id(info)) id = s;
  g_object_unref(info);
  return id;
}

std::optional<std::string> BrowserCommand(const std::string& desktopId) {
  GDesktopAppInfo* info = g_desktop_app_info_new(desktopId.c_str());
  if (!info) return std::nullopt;
  std::optional<std::string> command;
  if (const char* exec = g_app_info_get_commandline(G_APP_INFO(info))) {
    // Field codes stand for what the launcher fills in; the address is added by the caller.
    std::string line;
    for (const char* p = exec; *p; ++p) {
      if (*p == '%' && p[1]) {
        if (p[1] == '%') line += '%';
        ++p;
      } else {
        line += *p;
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    command = line;
  }
  g_object_unref(info);
  return command;
}

std::optional<std::string> FindProgram(const std::string& name) {
  std::string path = name;
  if (name.find('/') == std::string::npos) {
    gchar* found = g_find_program_in_path(name.c_str());
    if (!found) return std::nullopt;
    path = found;
    g_free(found);
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0)
    return std::nullopt;
  return path;
}

}  // namespace quarvel::xdg
