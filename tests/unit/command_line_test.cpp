// Windows command lines taken apart on a POSIX desktop.
#include <gtest/gtest.h>

#include <set>

#include "host/posix/command_line.h"

namespace quarvel::posix {
namespace {

TEST(CommandLineTest, FindsTheProgramTheWayWindowsDoes) {
  const std::set<std::string> programs = {"/opt/my browser/run", "/opt/my", "/usr/bin/firefox", "/a b/c d/e"};
  const auto isProgram = [&](const std::string& p) { return programs.count(p) > 0; };
  const struct {
    const char* line;
    std::optional<Command> expected;
  } cases[] = {
      {"/usr/bin/firefox http://a/?q=x", Command{"/usr/bin/firefox", {"http://a/?q=x"}}},
      // The shortest leading part that names a program wins, blanks and all.
      {"/opt/my browser/run http://a", Command{"/opt/my", {"browser/run", "http://a"}}},
      {"/a b/c d/e http://a", Command{"/a b/c d/e", {"http://a"}}},
      {"\"/opt/my browser/run\" http://a", Command{"/opt/my browser/run", {"http://a"}}},
      {"\"/usr/bin/firefox\"", Command{"/usr/bin/firefox", {}}},
      {" http://a", std::nullopt},  // no command registered: a blank and the address
      {"", std::nullopt},
      {"/usr/bin/missing http://a", std::nullopt},
      {"\"/opt/my browser/run", Command{"/opt/my browser/run", {}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.line, isProgram), c.expected) << c.line;
}

TEST(CommandLineTest, SplitsArgumentsByTheWindowsRules) {
  const struct {
    const char* text;
    std::vector<std::string> arguments;
  } cases[] = {
      {"a b\tc", {"a", "b", "c"}},
      {"  \"a b\" c", {"a b", "c"}},
      {"\"http://a/b c\\\"d\"", {"http://a/b c\"d"}},
      {"a\\\\b", {"a\\\\b"}},             // backslashes before no quote stay
      {"\"a\\\\\" b", {"a\\", "b"}},      // 2n backslashes and a quote: n and the quote ends
      {"a\\\\\\\"b", {"a\\\"b"}},         // 2n+1 backslashes and a quote: n and a literal quote
      {"\"a\"\"b\"", {"a\"b"}},          // "" inside quotes is one quote
      {"\"\"", {""}},
      {"--x=\"y z\"", {"--x=y z"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.text), c.arguments) << c.text;
}

}  // namespace
}  // namespace quarvel::posix
