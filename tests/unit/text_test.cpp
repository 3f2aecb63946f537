#include "host/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>
#include <vector>

namespace quarvel {
namespace {

// Two-byte characters whose second byte is also an ASCII character: B0 41 has 'A', B0 61 has
// 'a', 81 5C has '\', B0 5D has ']'. A match must never begin on those second bytes.
const std::string kTrailA = "\xB0\x41";
const std::string kTrailLowerA = "\xB0\x61";
const std::string kTrailBackslash = "\x81\x5C";

TEST(TextTest, LeadBytesOpenTwoByteCharactersOnlyWhenAByteFollows) {
  struct Row {
    std::string text;
    std::size_t pos;
    bool lead;
  };
  const std::vector<Row> cases = {
      {kTrailA, 0, true},     {kTrailA, 1, false},    {"\x81\x40", 0, true}, {"\xFE\x40", 0, true},
      {"\x80\x41", 0, false}, {"\xFF\x41", 0, false}, {"A\xB0", 1, false},  // nothing follows
      {"\xB0", 0, false},     {"ab", 5, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " at " + std::to_string(c.pos));
    EXPECT_EQ(IsLeadByte(c.text, c.pos), c.lead);
    EXPECT_EQ(CharLength(c.text, c.pos), c.lead ? 2u : 1u);
  }
}

TEST(TextTest, LeftRightAndMidNeverSplitATwoByteCharacter) {
  const std::string mixed = "ab中文cd"_gbk;  // a b D6 D0 CE C4 c d
  // Two characters B0 B0: every byte is in the lead range, so only a walk from the start can
  // tell that the character begins at byte 1 (0-based).
  const std::string leadsOnly = "A\xB0\xB0\xB0\xB0";
  const std::size_t all = std::string::npos;

  struct Row {
    std::string got, expected;
  };
  const std::vector<Row> cases = {
      {TextLeft(mixed, 0), ""},
      {TextLeft(mixed, 3), "ab"},
      {TextLeft(mixed, 4), "ab中"_gbk},
      {TextLeft(mixed, 5), "ab中"_gbk},
      {TextLeft(mixed, 100), mixed},
      {TextLeft("x\xB0", 2), "x\xB0"},  // a lone lead byte at the end is a character of its own
      {TextRight(mixed, 0), ""},
      {TextRight(mixed, 3), "cd"},
      {TextRight(mixed, 4), "文cd"_gbk},
      {TextRight(mixed, 7), "b中文cd"_gbk},
      {TextRight(mixed, 100), mixed},
      {TextRight(leadsOnly, 2), "\xB0\xB0"},
      {TextRight(leadsOnly, 3), "\xB0\xB0"},
      {TextRight(leadsOnly, 4), "\xB0\xB0\xB0\xB0"},
      {TextMid(mixed, 1, 2), "ab"},
      {TextMid(mixed, 3, 2), "中"_gbk},
      {TextMid(mixed, 3, 3), "中"_gbk},
      {TextMid(mixed, 4, 3), "文c"_gbk},  // starts on a second byte: begins at the next character
      {TextMid(mixed, 2, all), "b中文cd"_gbk},
      {TextMid(mixed, 8, 5), "d"},
      {TextMid(mixed, 9, 5), ""},
      {TextMid(mixed, 0, 2), "ab"},
      {TextMid(leadsOnly, 3, 2), "\xB0\xB0"},
      {TextMid(leadsOnly, 4, 2), "\xB0\xB0"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(cases[i].got, cases[i].expected);
  }
  EXPECT_EQ(TextLength(mixed), 8u);
}

TEST(TextTest, FindTextMatchesOnlyWhereACharacterBegins) {
  struct Row {
    std::string text, what;
    std::size_t start;
    Case mode;
    long expected;
  };
  const auto S = Case::Sensitive;
  const auto I = Case::Ignore;
  const std::vector<Row> cases = {
      {"hello world", "o", 1, S, 5},
      {"hello world", "o", 6, S, 8},
      {"hello world", "o", 9, S, -1},
      {"abc", "c", 4, S, -1},
      {"ab", "abc", 1, S, -1},
      {kTrailA + "A", "A", 1, S, 3},
      {kTrailA, "A", 1, S, -1},
      {kTrailBackslash + "\\", "\\", 1, S, 3},
      {kTrailBackslash, "\\", 1, S, -1},
      {"\xB0\xB0\xB0\xB0", "\xB0\xB0", 2, S, 3},  // start on a second byte
      {"A\xB0\xB0\xB0\xB0", "\xB0\xB0", 1, S, 2},
      {kTrailA, "\xB0", 1, S, -1},  // a match may not take half of a character
      {"中文中文"_gbk, "中"_gbk, 2, S, 5},
      {"搜索ABC"_gbk, "abc", 1, I, 5},
      {"abcABC", "abc", 2, S, -1},
      {"abcABC", "abc", 2, I, 4},
      {kTrailLowerA + "xa", "A", 1, I, 4},
      {kTrailLowerA, kTrailA, 1, I, -1},  // no folding inside a two-byte character
      {"[{", "{", 1, I, 2},               // only letters fold: '[' and '{' differ by 0x20 too
      {"abc", "", 2, S, 2},
      {"abc", "", 4, S, 4},
      {"abc", "", 5, S, -1},
      {"abc", "b", 0, S, 2},  // start 0 counts as 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " / " + testing::PrintToString(c.what) + " from " +
                 std::to_string(c.start));
    EXPECT_EQ(FindText(c.text, c.what, c.start, c.mode), c.expected);
  }
}

TEST(TextTest, ReplaceTextKeepsTheTextBeforeStartAndDoesNotRescan) {
  struct Row {
    std::string text, what, with;
    std::size_t start, count;
    Case mode;
    std::string expected;
  };
  const auto S = Case::Sensitive;
  const auto I = Case::Ignore;
  const std::vector<Row> cases = {
      {"a.b.c", ".", "-", 1, 0, S, "a-b-c"},
      {"a.b.c", ".", "-", 3, 0, S, "a.b-c"},
      {"a.b.c.d", ".", "-", 1, 2, S, "a-b-c.d"},
      {"a.b.c.d", ".", "-", 3, 1, S, "a.b-c.d"},
      {"aa", "a", "aa", 1, 0, S, "aaaa"},
      {"aaa", "aa", "b", 1, 0, S, "ba"},
      {"abc", "", "x", 1, 0, S, "abc"},
      {"abc", "z", "x", 1, 0, S, "abc"},
      {"abc", "c", "x", 9, 0, S, "abc"},
      {kTrailBackslash + "\\", "\\", "/", 1, 0, S, kTrailBackslash + "/"},
      {kTrailA + "A" + kTrailA, "A", "", 1, 0, S, kTrailA + kTrailA},
      {"\xB0\xB0\xB0\xB0", "\xB0\xB0", "x", 2, 0, S, "\xB0\xB0x"},
      {"Path PATH path", "path", "x", 1, 0, I, "x x x"},
      {kTrailLowerA + "a", "A", "z", 1, 0, I, kTrailLowerA + "z"},
      {"热门搜索：中文"_gbk, "中文"_gbk, "英文"_gbk, 1, 0, S, "热门搜索：英文"_gbk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " / " + testing::PrintToString(c.what));
    EXPECT_EQ(ReplaceText(c.text, c.what, c.with, c.start, c.count, c.mode), c.expected);
  }
}

TEST(TextTest, EqualIgnoringCaseFoldsOnlySingleByteLetters) {
  EXPECT_TRUE(EqualIgnoringCase("Quarvel", "qUARVEL"));
  EXPECT_TRUE(EqualIgnoringCase("中文Key"_gbk, "中文KEY"_gbk));
  EXPECT_TRUE(EqualIgnoringCase("", ""));
  EXPECT_FALSE(EqualIgnoringCase(kTrailA, kTrailLowerA));
  EXPECT_FALSE(EqualIgnoringCase("ab", "abc"));
  EXPECT_FALSE(EqualIgnoringCase("[", "{"));
  EXPECT_FALSE(EqualIgnoringCase("@", "`"));
}

TEST(TextTest, ToTextWritesPlainDecimals) {
  EXPECT_EQ(ToText(0LL), "0");
  EXPECT_EQ(ToText(-5LL), "-5");
  EXPECT_EQ(ToText(LLONG_MAX), "9223372036854775807");

  struct Row {
    double value;
    std::string expected;
  };
  const std::vector<Row> cases = {
      {12.5, "12.5"},
      {60.0, "60"},
      {-20.0, "-20"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.001, "0.001"},
      {-0.25, "-0.25"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},  // 15 significant digits
      {1e20, "100000000000000000000"},
      {123456789.125, "123456789.125"},
      {1.5e-7, "0.00000015"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ToText(c.value), c.expected);
  }
}

TEST(TextTest, ToNumberReadsTheNumberAtTheStart) {
  struct Row {
    std::string text;
    double expected;
  };
  const std::vector<Row> cases = {
      {"33", 33},       {"12.5", 12.5},
      {"-20", -20},     {"abc", 0},
      {" 7x", 7},       {"", 0},
      {"\t+3.5", 3.5},  {".5", 0.5},
      {"-.5", -0.5},    {"5.", 5},
      {".", 0},         {"-", 0},
      {"1,5", 1},       {"1e3", 1},
      {"0x1A", 0},      {"inf", 0},
      {"nan", 0},       {"--5", 0},
      {"12.5.6", 12.5}, {"中5"_gbk, 0},
      {"007", 7},       {"  -0.125 ", -0.125},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_DOUBLE_EQ(ToNumber(c.text), c.expected);
  }
}

// Numbers are written and read with a '.' whatever the user's locale says.
TEST(TextTest, NumbersIgnoreTheProcessLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "ru_RU.UTF-8"};
  bool switched = false;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name)) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const double read = ToNumber("12.5");
  const std::string written = ToText(12.5);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_DOUBLE_EQ(read, 12.5);
  EXPECT_EQ(written, "12.5");
}

}  // namespace
}  // namespace quarvel
