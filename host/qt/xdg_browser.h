#pragma once
// The desktop's default web browser, as the desktop records it (the handler of the http scheme
// in the XDG mime-apps lists), read through GIO as the desktop itself reads it.
#include <optional>
#include <string>

namespace quarvel::xdg {

// The desktop entry id of the default browser, e.g. "firefox-esr.desktop".
std::optional<std::string> DefaultBrowserId();
// The command of that desktop entry with its field codes (%u, %U, ...) removed.
std::optional<std::string> BrowserCommand(const std::string& desktopId);
// Whether the path (or, for a bare name, a file found on PATH) is an executable program file;
// the full path of it.
std::optional<std::string> FindProgram(const std::string& name);

}  // namespace quarvel::xdg
