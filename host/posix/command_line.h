#pragma once
// A Windows command line taken apart the way Windows does it, so that commands written for it
// start the same program with the same arguments here.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel::posix {

struct Command {
  std::string program;
  std::vector<std::string> arguments;
  friend bool operator==(const Command&, const Command&) = default;
};

// The program is the quoted first part when the line begins with a quote; otherwise the
// shortest leading part that ends at a blank (or the line's end) and names a program file, as
// isProgram tells. The rest of the line is split into arguments by the Windows rules for
// blanks, quotes and backslashes. Nothing when no program is named. The line is UTF-8 (no
// ASCII byte can then be part of another character).
std::optional<Command> ParseCommandLine(std::string_view line,
                                        const std::function<bool(const std::string&)>& isProgram);

// The arguments of a command line by the Windows rules.
std::vector<std::string> SplitArguments(std::string_view text);

}  // namespace quarvel::posix
