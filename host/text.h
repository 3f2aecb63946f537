#pragma once
// Texts are GBK byte strings. Lengths and positions count bytes; a byte of 0x81..0xFE opens a
// two-byte character, which these operations never split and in which no match may begin.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/gbk_literal.h"

namespace quarvel {

using Text = std::string;   // GBK bytes
using Bytes = std::string;  // any bytes
using namespace quarvel::literals;

// True when the byte at pos opens a two-byte character (and a second byte follows).
bool IsLeadByte(std::string_view text, std::size_t pos);
// The length of the character that starts at pos: 2 for a two-byte character, else 1.
std::size_t CharLength(std::string_view text, std::size_t pos);

std::size_t TextLength(std::string_view text);
// At most n bytes from the start; a two-byte character that n would cut is left out.
Text TextLeft(std::string_view text, std::size_t n);
// At most n bytes from the end, starting on a character boundary.
Text TextRight(std::string_view text, std::size_t n);
// At most n bytes from the 1-based byte position pos, on character boundaries.
Text TextMid(std::string_view text, std::size_t pos, std::size_t n);

enum class Case { Sensitive, Ignore };
// The 1-based position of the first match at or after the 1-based position start, or -1.
// Matches begin only on character boundaries; Case::Ignore folds ASCII letters only.
long FindText(std::string_view text, std::string_view what, std::size_t start = 1,
              Case mode = Case::Sensitive);
// Replaces matches of what by with, from the 1-based position start, at most count times
// (all when count is 0). Replaced text is not scanned again.
Text ReplaceText(std::string_view text, std::string_view what, std::string_view with,
                 std::size_t start = 1, std::size_t count = 0, Case mode = Case::Sensitive);
// Byte-wise comparison that ignores the letter case of single-byte ASCII letters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

Text ToText(long long value);
Text ToText(double value);
// The number at the start of the text (leading blanks skipped); 0 when it holds none.
double ToNumber(std::string_view text);

}  // namespace quarvel
