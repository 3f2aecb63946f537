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

bool WriteDesktopEntry(const std::string& path, const std::string& name, const std::string& program) {
  // Exec quoting: the path in double quotes, with ", `, $ and \ escaped, and % doubled.
  std::string exec = "\"";
  for (const char c : program) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') exec += '\\';
    if (c == '%') exec += '%';
    exec += c;
  }
  exec += '"';
  GKeyFile* entry = g_key_file_new();
  g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TYPE, "Application");
  g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NAME, name.c_str());
  g_key_file_set_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, exec.c_str());
  const bool saved = g_key_file_save_to_file(entry, path.c_str(), nullptr);
  g_key_file_free(entry);
  // File managers start only desktop entries that may be executed.
  return saved && ::chmod(path.c_str(), 0755) == 0;
}

std::optional<std::vector<std::string>> DesktopEntryCommand(const std::string& path) {
  GKeyFile* entry = g_key_file_new();
  std::optional<std::vector<std::string>> command;
  if (g_key_file_load_from_file(entry, path.c_str(), G_KEY_FILE_NONE, nullptr)) {
    gchar* exec =
        g_key_file_get_string(entry, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    gchar** argv = nullptr;
    if (exec && g_shell_parse_argv(exec, nullptr, &argv, nullptr)) {
      std::vector<std::string> parts;
      for (gchar** arg = argv; *arg; ++arg) {
        std::string part;
        bool fieldCode = false;
        for (const char* p = *arg; *p; ++p) {
          if (*p == '%' && p[1]) {
            if (p[1] == '%')
              part += '%';
            else
              fieldCode = true;
            ++p;
          } else {
            part += *p;
          }
        }
        if (!fieldCode || !part.empty()) parts.push_back(part);
      }
      if (!parts.empty()) command = parts;
      g_strfreev(argv);
    }
    g_free(exec);
  }
  g_key_file_free(entry);
  return command;
}

}  // namespace quarvel::xdg
