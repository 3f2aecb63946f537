#include "host/qt/display_check.h"

#include <sys/stat.h>

#include <cstdlib>

namespace quarvel {
namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

// The socket of the local X server for a display name such as ":0", ":1.0" or "unix:2"; ""
// when the name points elsewhere (another host, as with ssh forwarding) and cannot be checked.
std::string LocalSocket(const std::string& display) {
  const auto colon = display.rfind(':');
  if (colon == std::string::npos) return "";
  const std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix") return "";
  std::string number;
  for (std::size_t i = colon + 1; i < display.size() && display[i] >= '0' && display[i] <= '9'; ++i)
    number += display[i];
  if (number.empty()) return "";
  return "/tmp/.X11-unix/X" + number;
}

}  // namespace

std::string MissingDisplayReason(const DisplayEnvironment& env) {
  if (IsSet(env.variable("QT_QPA_PLATFORM"))) return "";
  if (IsSet(env.variable("WAYLAND_DISPLAY"))) return "";
  const char* display = env.variable("DISPLAY");
  if (!IsSet(display))
    return "quarvel: no graphical display found; start Quarvel from a desktop session (DISPLAY is not set).";
  const std::string socket = LocalSocket(display);
  if (!socket.empty() && !env.exists(socket))
    return std::string(
               "quarvel: no graphical display found; start Quarvel from a desktop session (DISPLAY=") +
           display + " names no running X server).";
  return "";
}

std::string MissingDisplayReason() {
  return MissingDisplayReason({[](const char* name) -> const char* { return std::getenv(name); },
                               [](const std::string& path) {
                                 struct stat st {};
                                 return ::stat(path.c_str(), &st) == 0;
                               }});
}

}  // namespace quarvel
