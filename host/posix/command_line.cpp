#include "host/posix/command_line.h"

namespace quarvel::posix {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
      if (text[i] == '\\') {
        std::size_t backslashes = 0;
        while (i < text.size() && text[i] == '\\') ++backslashes, ++i;
        if (i < text.size() && text[i] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            argument += '"';
            ++i;
          }
        } else {
          argument.append(backslashes, '\\');
        }
      } else if (text[i] == '"') {
        if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
          argument += '"';  // "" inside quotes stands for one quote
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        argument += text[i++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::optional<Command> ParseCommandLine(std::string_view line,
                                        const std::function<bool(const std::string&)>& isProgram) {
  if (!line.empty() && line.front() == '"') {
    const std::size_t close = line.find('"', 1);
    std::string program(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    if (program.empty() || !isProgram(program)) return std::nullopt;
    const std::string_view rest = close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
    return Command{std::move(program), SplitArguments(rest)};
  }
  for (std::size_t end = 0; end <= line.size(); ++end) {
    if (end < line.size() && !IsBlank(line[end])) continue;
    if (end == 0) continue;
    std::string candidate(line.substr(0, end));
    if (isProgram(candidate)) return Command{std::move(candidate), SplitArguments(line.substr(end))};
  }
  return std::nullopt;
}

}  // namespace quarvel::posix
