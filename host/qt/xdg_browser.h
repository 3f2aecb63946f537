#pragma once
// The desktop's default web browser, as the desktop records it (the handler of the http scheme
// in the XDG mime-apps lists), read through GIO as the desktop itself reads it.
#include <optional>
#include <string>
#include <vector>

namespace quarvel::xdg {

// The desktop entry id of the default browser, e.g. "firefox-esr.desktop".
std::optional<std::string> DefaultBrowserId();
// The command of that desktop entry with its field codes (%u, %U, ...) removed.
std::optional<std::string> BrowserCommand(const std::string& desktopId);
// Whether the path (or, for a bare name, a file found on PATH) is an executable program file;
// the full path of it.
std::optional<std::string> FindProgram(const std::string& name);

// Desktop entries are this desktop's shortcut files. Writes one that starts the program, with no
// arguments; true on success.
bool WriteDesktopEntry(const std::string& path, const std::string& name, const std::string& program);
// The program and arguments that a desktop entry starts (field codes such as %u left out);
// nothing when the file cannot be read as a desktop entry.
std::optional<std::vector<std::string>> DesktopEntryCommand(const std::string& path);

}  // namespace quarvel::xdg
