#pragma once
// The file operations of HostServices on a POSIX file system, shared by the desktop host and
// the test host.
#include <optional>
#include <string>

#include "host/host_services.h"

namespace quarvel::posix {

std::optional<Bytes> ReadFileBytes(const Text& path);
// Writes a temporary file beside the target and renames it over the target, so a failed write
// never leaves a half-written file behind.
bool WriteFileBytes(const Text& path, const Bytes& bytes);
bool FileExists(const Text& path);
bool DeleteFile(const Text& path);
bool CreateDirectory(const Text& path);

}  // namespace quarvel::posix
