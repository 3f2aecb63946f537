#pragma once
// Fixed texts of the program are written in UTF-8 in the source and turned into GBK bytes
// while compiling: "热门搜索："_gbk is a const std::string holding C8 C8 C3 C5 CB D1 CB F7 A3 BA.
// A character that GBK cannot represent is a compile error.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quarvel::gbk_detail {

struct Pair {
  std::uint16_t unicode;
  std::uint16_t gbk;
};

inline constexpr Pair kTable[] = {
#include "gbk_table.inc"
};

template <std::size_t N>
struct Utf8Literal {
  char bytes[N]{};
  constexpr Utf8Literal(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = s[i];
  }
  static constexpr std::size_t size = N - 1;  // without the terminating zero
};

// Decodes the UTF-8 character at i and moves i past it.
consteval std::uint32_t DecodeUtf8(const char* s, std::size_t n, std::size_t& i) {
  const auto b = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(s[k])); };
  const std::uint32_t c = b(i);
  if (c < 0x80) {
    i += 1;
    return c;
  }
  const std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
  if (len == 0 || i + len > n) throw "malformed UTF-8 in a text literal";
  std::uint32_t cp = c & (0xFF >> (len + 1));
  for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (b(i + k) & 0x3F);
  i += len;
  return cp;
}

consteval std::uint16_t ToGbkCode(std::uint32_t cp) {
  if (cp < 0x80) return static_cast<std::uint16_t>(cp);
  std::size_t lo = 0, hi = std::size(kTable);
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (kTable[mid].unicode < cp)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == std::size(kTable) || kTable[lo].unicode != cp) throw "character not representable in GBK";
  return kTable[lo].gbk;
}

template <Utf8Literal S>
consteval std::size_t GbkLength() {
  std::size_t i = 0, n = 0;
  while (i < S.size) n += ToGbkCode(DecodeUtf8(S.bytes, S.size, i)) > 0xFF ? 2 : 1;
  return n;
}

template <Utf8Literal S>
consteval std::array<char, GbkLength<S>()> ToGbk() {
  std::array<char, GbkLength<S>()> out{};
  std::size_t i = 0, o = 0;
  while (i < S.size) {
    const std::uint16_t code = ToGbkCode(DecodeUtf8(S.bytes, S.size, i));
    if (code > 0xFF) out[o++] = static_cast<char>(code >> 8);
    out[o++] = static_cast<char>(code & 0xFF);
  }
  return out;
}

template <Utf8Literal S>
inline constexpr auto kGbk = ToGbk<S>();

}  // namespace quarvel::gbk_detail

namespace quarvel::literals {

template <gbk_detail::Utf8Literal S>
const std::string& operator""_gbk() {
  static const std::string text(gbk_detail::kGbk<S>.data(), gbk_detail::kGbk<S>.size());
  return text;
}

}  // namespace quarvel::literals
