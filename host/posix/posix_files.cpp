#include "host/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "host/posix/gbk_convert.h"

namespace quarvel::posix {

std::optional<Bytes> ReadFileBytes(const Text& path) {
  const std::string native = ToNativePath(path);
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Bytes bytes;
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

bool WriteFileBytes(const Text& path, const Bytes& bytes) {
  const std::string native = ToNativePath(path);
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  const std::string temp = native + ".tmp-quarvel";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temp.c_str(), native.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool FileExists(const Text& path) {
  struct stat st {};
  return ::stat(ToNativePath(path).c_str(), &st) == 0;
}

bool DeleteFile(const Text& path) { return ::unlink(ToNativePath(path).c_str()) == 0; }

bool CreateDirectory(const Text& path) { return ::mkdir(ToNativePath(path).c_str(), 0755) == 0; }

}  // namespace quarvel::posix
