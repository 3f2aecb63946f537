#include "host/posix/gbk_convert.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace quarvel::posix {
namespace {

std::string Convert(const char* to, const char* from, std::string_view in, bool* ok) {
  if (ok) *ok = true;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    if (ok) *ok = false;
    return std::string(in);
  }
  std::string out;
  out.resize(in.size() * 2 + 8);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  size_t done = 0;
  while (srcLeft > 0) {
    char* dst = out.data() + done;
    size_t dstLeft = out.size() - done;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    done = out.size() - dstLeft;
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {  // EILSEQ or EINVAL: a byte sequence that cannot be converted; skip one character
      if (ok) *ok = false;
      if (done + 1 > out.size()) out.resize(out.size() * 2);
      out[done++] = '?';
      size_t skip = 1;
      if (std::string_view(from) == "UTF-8") {
        const auto lead = static_cast<unsigned char>(*src);
        skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      } else if (static_cast<unsigned char>(*src) >= 0x81 && srcLeft >= 2) {
        skip = 2;
      }
      skip = std::min(skip, srcLeft);
      src += skip;
      srcLeft -= skip;
    }
  }
  iconv_close(cd);
  out.resize(done);
  return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) { return Convert("UTF-8", "GBK", gbk, nullptr); }

std::string Utf8ToGbk(std::string_view utf8, bool* ok) { return Convert("GBK", "UTF-8", utf8, ok); }

std::string ToNativePath(std::string_view gbkPath) {
  std::string path = GbkToUtf8(gbkPath);  // in UTF-8 a backslash is never part of a character
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string FromNativePath(std::string_view nativePath, bool* ok) {
  std::string path(nativePath);
  std::replace(path.begin(), path.end(), '/', '\\');
  return Utf8ToGbk(path, ok);
}

}  // namespace quarvel::posix
