#pragma once
// The Windows profile (INI) rules as plain functions on a file's bytes. HostServices'
// ReadIniValue and WriteIniValue apply them to files on disk.
#include <optional>
#include <string_view>

#include "host/text.h"

namespace quarvel::ini {

// The value of the key in the section, or nothing when the section or the key is missing.
std::optional<Text> Lookup(std::string_view fileBytes, std::string_view section, std::string_view key);

// The file's bytes after writing the key (or, with no key, after making sure the section
// exists). Every byte that does not belong to the key's line stays as it was.
Bytes Store(std::string_view fileBytes, std::string_view section, const std::optional<Text>& key,
            std::string_view value);

}  // namespace quarvel::ini
