#pragma once
// Whether the program can open its windows at all. Without a display Qt aborts with a message
// about platform plugins that tells a user nothing; the program says what is wrong instead.
#include <functional>
#include <string>

namespace quarvel {

struct DisplayEnvironment {
  // The value of an environment variable, or nullptr when it is not set.
  std::function<const char*(const char*)> variable;
  // Whether a file (the socket of a local X server) exists.
  std::function<bool(const std::string&)> exists;
};

// "" when a display is there (or Qt was told explicitly which platform to use), else one line
// for the user saying why the program cannot start.
std::string MissingDisplayReason(const DisplayEnvironment& env);

// The same for the real environment of this process.
std::string MissingDisplayReason();

}  // namespace quarvel
