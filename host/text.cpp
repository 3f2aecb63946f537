#include "host/text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace quarvel {

namespace {

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The first character boundary at or after the byte offset pos (the text's size when none).
// Boundaries are only known by walking from the start.
std::size_t BoundaryAtOrAfter(std::string_view text, std::size_t pos) {
  std::size_t i = 0;
  while (i < pos && i < text.size()) i += CharLength(text, i);
  return i;
}

// True when what matches the text at the character boundary at. The match must also end on a
// character boundary, so it never takes half of a two-byte character. With Case::Ignore only
// single-byte characters of the text are folded.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view what, Case mode) {
  if (what.size() > text.size() - at) return false;
  std::size_t k = 0;
  while (k < what.size()) {
    const std::size_t len = CharLength(text, at + k);
    if (k + len > what.size()) return false;
    if (len == 1 && mode == Case::Ignore) {
      if (FoldAscii(text[at + k]) != FoldAscii(what[k])) return false;
    } else if (text.substr(at + k, len) != what.substr(k, len)) {
      return false;
    }
    k += len;
  }
  return true;
}

}  // namespace

bool IsLeadByte(std::string_view text, std::size_t pos) {
  if (pos + 1 >= text.size()) return false;
  const auto byte = static_cast<unsigned char>(text[pos]);
  return byte >= 0x81 && byte <= 0xFE;
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
  return IsLeadByte(text, pos) ? 2 : 1;
}

std::size_t TextLength(std::string_view text) {
  return text.size();
}

Text TextLeft(std::string_view text, std::size_t n) {
  if (n >= text.size()) return Text(text);
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t len = CharLength(text, end);
    if (end + len > n) break;
    end += len;
  }
  return Text(text.substr(0, end));
}

Text TextRight(std::string_view text, std::size_t n) {
  if (n >= text.size()) return Text(text);
  return Text(text.substr(BoundaryAtOrAfter(text, text.size() - n)));
}

// A position on the second byte of a two-byte character starts the result at the next
// character; a position of 0 counts as 1.
Text TextMid(std::string_view text, std::size_t pos, std::size_t n) {
  const std::size_t from = pos == 0 ? 0 : pos - 1;
  if (from >= text.size()) return {};
  const std::size_t begin = BoundaryAtOrAfter(text, from);
  std::size_t end = begin;
  while (end < text.size()) {
    const std::size_t len = CharLength(text, end);
    if (end + len - begin > n) break;
    end += len;
  }
  return Text(text.substr(begin, end - begin));
}

// A start of 0 counts as 1. An empty what is found at start itself when start is at most one
// past the end of the text (even on the second byte of a character), else not at all.
long FindText(std::string_view text, std::string_view what, std::size_t start, Case mode) {
  if (start == 0) start = 1;
  if (what.empty()) return start <= text.size() + 1 ? static_cast<long>(start) : -1;
  const std::size_t from = start - 1;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (i >= from && MatchesAt(text, i, what, mode)) return static_cast<long>(i + 1);
  }
  return -1;
}

// Unlike VB's Replace, the text before start is kept in the result. A start of 0 counts as 1.
Text ReplaceText(std::string_view text, std::string_view what, std::string_view with, std::size_t start,
                 std::size_t count, Case mode) {
  if (what.empty()) return Text(text);
  const std::size_t from = start == 0 ? 0 : start - 1;
  Text out;
  out.reserve(text.size());
  std::size_t done = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (i >= from && (count == 0 || done < count) && MatchesAt(text, i, what, mode)) {
      out.append(with);
      i += what.size();
      ++done;
      continue;
    }
    const std::size_t len = CharLength(text, i);
    out.append(text.substr(i, len));
    i += len;
  }
  return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MatchesAt(a, 0, b, Case::Ignore);
}

Text ToText(long long value) {
  return std::to_string(value);
}

// Up to 15 significant digits, as VB shows a Double, written without an exponent and without
// trailing zeros: 12.5, 60, -20, 0.001, and 0.3 for 0.1 + 0.2. Infinities and NaN come out as
// "inf", "-inf" and "nan".
Text ToText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";

  // Scientific form with 15 significant digits: [-]d.dddddddddddddde[+-]x.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const bool negative = sci.front() == '-';
  const std::size_t e = sci.find('e');
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
    if (sci[i] != '.') digits += sci[i];
  }
  const int exponent = std::atoi(Text(sci.substr(e + 1)).c_str());

  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return "0";  // also for -0

  Text out = negative ? "-" : "";
  const long pointAt = static_cast<long>(exponent) + 1;  // digits before the decimal point
  if (pointAt <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-pointAt), '0');
    out += digits;
  } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
    out += digits;
    out.append(static_cast<std::size_t>(pointAt) - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(pointAt));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(pointAt));
  }
  return out;
}

// Like VB's Val for decimal numbers: leading blanks, tabs and line breaks are skipped, then an
// optional sign, digits and an optional fraction are read; reading stops at anything else.
// No hexadecimal, no exponent. Independent of the process locale.
double ToNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t begin = i;
  bool nonZeroInteger = false;
  while (i < text.size() && IsDigit(text[i])) nonZeroInteger |= text[i++] != '0';
  std::size_t digitCount = i - begin;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionBegin = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    digitCount += i - fractionBegin;
  }
  if (digitCount == 0) return 0;

  double value = 0;
  const auto result = std::from_chars(text.data() + begin, text.data() + i, value, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) value = nonZeroInteger ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

}  // namespace quarvel
