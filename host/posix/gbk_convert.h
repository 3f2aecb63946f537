#pragma once
// GBK <-> UTF-8 at the boundary between the program's texts and a POSIX desktop.
#include <string>
#include <string_view>

namespace quarvel::posix {

// Bytes that are no GBK are kept as '?'.
std::string GbkToUtf8(std::string_view gbk);
// Characters that GBK cannot hold become '?'; ok, when given, tells whether all could.
std::string Utf8ToGbk(std::string_view utf8, bool* ok = nullptr);

// A program path ("\home\me\config.ini", GBK) as a file-system path ("/home/me/config.ini",
// UTF-8), and back.
std::string ToNativePath(std::string_view gbkPath);
std::string FromNativePath(std::string_view nativePath, bool* ok = nullptr);

}  // namespace quarvel::posix
