#include "host/ini.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quarvel::ini {
namespace {

// A settings file as a user may leave it: a comment, odd spacing, quotes, Chinese values, blank
// lines, a comment inside a section, a second section with a key of the same name and no line
// break at the very end.
const std::string kSettings = std::string("; Quarvel settings\r\n") +
                              "[Main]\r\n"
                              "Width = 640\r\n" +
                              "Title=\"" + "热门 搜索"_gbk + "\"\r\n" +
                              "\r\n"
                              "[Search]\r\n" +
                              "Engine=" + "百度"_gbk + "\r\n" +
                              "Count=10\r\n"
                              "  ; old engines\r\n"
                              "\r\n"
                              "\r\n"
                              "[Other]\r\n"
                              "Engine=none";

// Replaces the one occurrence of from in text, failing the test when it is not there once.
std::string Edited(const std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
  std::string out = text;
  return out.replace(at, from.size(), to);
}

TEST(IniLookupTest, FindsKeysInTheFirstMatchingSectionWhateverTheirCase) {
  struct Row {
    std::string section, key;
    std::optional<std::string> expected;
  };
  const std::vector<Row> cases = {
      {"Main", "Width", "640"},
      {"main", "WIDTH", "640"},
      {" \t\x01Main", "\x1F  width", "640"},  // leading bytes up to 0x20 are skipped
      {"Main", "Title", "热门 搜索"_gbk},
      {"Search", "Engine", "百度"_gbk},
      {"OTHER", "engine", "none"},
      {"Missing", "Width", std::nullopt},
      {"Main", "Missing", std::nullopt},
      {"Main", "Count", std::nullopt},  // belongs to the next section
      {"Main ", "Width", std::nullopt},
      {"Mai", "Width", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.section) + " / " + testing::PrintToString(c.key));
    EXPECT_EQ(Lookup(kSettings, c.section, c.key), c.expected);
  }
  EXPECT_EQ(Lookup("", "Main", "Width"), std::nullopt);
}

TEST(IniLookupTest, TrimsValuesAndRemovesAPairOfQuotes) {
  struct Row {
    std::string line;
    std::optional<std::string> expected;
  };
  const std::vector<Row> cases = {
      {"k=  a b \t", "a b"}, {" \tk \t= x", "x"},  {"k=\"a\"", "a"},
      {"k='a'", "a"},        {"k=\" a \"", " a "}, {"k=\"\"", ""},
      {"k=\"a'", "\"a'"},    {"k=\"", "\""},       {"k=\"a\"b", "\"a\"b"},
      {"k=a=b", "a=b"},      {"k=", ""},           {"k", std::nullopt},  // no '=': not a key
      {"K=upper", "upper"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    EXPECT_EQ(Lookup("[s]\r\n" + c.line + "\r\n", "s", "k"), c.expected);
  }
}

TEST(IniLookupTest, ReadsHeadersAndLinesTheWindowsWay) {
  struct Row {
    std::string file, section, key;
    std::optional<std::string> expected;
  };
  const std::vector<Row> cases = {
      {"[s]\na=1\rb=2\r\nc=3", "s", "a", "1"},  // LF, CR and CR LF all end lines
      {"[s]\na=1\rb=2\r\nc=3", "s", "b", "2"},
      {"[s]\na=1\rb=2\r\nc=3", "s", "c", "3"},
      {"  [ s ]  rest=ignored\r\nk=1", "s", "k", "1"},
      {"  [ s ]  rest=ignored\r\nk=1", "s", "rest", std::nullopt},
      {"k=0\r\n[s]\r\nk=1", "s", "k", "1"},  // keys before any section belong to none
      {"[s]\r\nk=1\r\n[S]\r\nk=2\r\nj=3", "s", "k", "1"},
      {"[s]\r\nk=1\r\n[S]\r\nk=2\r\nj=3", "s", "j", std::nullopt},  // only the first section counts
      {"[s]\r\nk=1\r\nK=2", "s", "k", "1"},
      // B0 5D is one character whose second byte is ']': the header's name is both bytes.
      {"[\xB0\x5D]\r\nk=1", "\xB0\x5D", "k", "1"},
      {"[\xB0\x5D]\r\nk=1", "\xB0", "k", std::nullopt},
      // Folding never reaches the second byte of a character: B0 41 and B0 61 differ.
      {"[\xB0\x41]\r\nk=1", "\xB0\x61", "k", std::nullopt},
      {"[s]\r\n\xB0\x41=1", "s", "\xB0\x61", std::nullopt},
      {"[" + "设置"_gbk + "]\r\n" + "中文Key"_gbk + "=1", "设置"_gbk, "中文KEY"_gbk, "1"},
      {"[s]\r\n;k=1\r\nk=2", "s", "k", "2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file) + " / " + c.key);
    EXPECT_EQ(Lookup(c.file, c.section, c.key), c.expected);
  }
}

TEST(IniLookupTest, CutsValuesAt10240BytesWithoutSplittingACharacter) {
  const std::string zhong = "中"_gbk;
  struct Row {
    std::string value, expected;
  };
  const std::vector<Row> cases = {
      {std::string(10238, 'a') + zhong, std::string(10238, 'a') + zhong},  // exactly 10240
      {std::string(10239, 'a') + zhong, std::string(10239, 'a')},          // would end mid-character
      {std::string(10241, 'a'), std::string(10240, 'a')},
      {"\"" + std::string(10239, 'a') + zhong + "\"", std::string(10239, 'a')},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(Lookup("[s]\r\nk=" + cases[i].value + "\r\n", "s", "k"), cases[i].expected);
  }
}

TEST(IniStoreTest, ChangesOnlyTheKeysLine) {
  struct Row {
    std::string section, key, value, expected;
  };
  const std::vector<Row> cases = {
      {"Search", "Count", "20", Edited(kSettings, "Count=10", "Count=20")},
      {"search", "COUNT", "20", Edited(kSettings, "Count=10", "COUNT=20")},
      {"Main", "Width", "800", Edited(kSettings, "Width = 640", "Width=800")},
      {" \tMain", "  Width", "", Edited(kSettings, "Width = 640", "Width=")},
      {"Search", "Engine", "谷歌"_gbk, Edited(kSettings, "Engine=" + "百度"_gbk, "Engine=" + "谷歌"_gbk)},
      {"Other", "Engine", "x", Edited(kSettings, "Engine=none", "Engine=x")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section + " / " + c.key);
    EXPECT_EQ(Store(kSettings, c.section, c.key, c.value), c.expected);
  }
}

TEST(IniStoreTest, AddsMissingKeysAndSections) {
  struct Row {
    std::string file, section;
    std::optional<std::string> key;
    std::string value, expected;
  };
  const std::vector<Row> cases = {
      // After the section's last line that is not blank, before the blank lines.
      {kSettings, "Search", "Mode", "1",
       Edited(kSettings, "  ; old engines\r\n", "  ; old engines\r\nMode=1\r\n")},
      {kSettings, "main", "Top", "5", Edited(kSettings, "\"\r\n\r\n", "\"\r\nTop=5\r\n\r\n")},
      // The last line of the file has no line break: one is added before the new line.
      {kSettings, "Other", "k", "v", kSettings + "\r\nk=v\r\n"},
      {kSettings, "New", "k", "v", kSettings + "\r\n[New]\r\nk=v\r\n"},
      {"a=1\r\n", "s", "k", "v", "a=1\r\n[s]\r\nk=v\r\n"},
      {"a=1\n", "s", "k", "v", "a=1\n[s]\r\nk=v\r\n"},
      {"", " s", " k", "v", "[s]\r\nk=v\r\n"},
      {"[s]", "s", "k", "v", "[s]\r\nk=v\r\n"},
      {"[s]\na=1\nb=2\n", "s", "a", "9", "[s]\na=9\nb=2\n"},  // its own line break is kept
      {"[s]\ra=1\r\r[t]\r", "s", "b", "2", "[s]\ra=1\rb=2\r\n\r[t]\r"},
      // B0 61 is not the key B0 41: a new line is added.
      {"[s]\r\n\xB0\x41=1\r\n", "s", "\xB0\x61", "2", "[s]\r\n\xB0\x41=1\r\n\xB0\x61=2\r\n"},
      // With no key only the section is made sure of.
      {kSettings, "SEARCH", std::nullopt, "", kSettings},
      {kSettings, "New", std::nullopt, "", kSettings + "\r\n[New]\r\n"},
      {"", "s", std::nullopt, "", "[s]\r\n"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    const auto& c = cases[i];
    EXPECT_EQ(Store(c.file, c.section, c.key, c.value), c.expected);
  }
}

TEST(IniStoreTest, StripsLineBreaksSoAWriteCannotAddLines) {
  const std::string written = Store("", "s\r\n", "k\n", "a\r\n[evil]\r\nx=1");
  EXPECT_EQ(written, "[s]\r\nk=a[evil]x=1\r\n");
  EXPECT_EQ(Lookup(written, "s", "k"), "a[evil]x=1");
  EXPECT_EQ(Lookup(written, "evil", "x"), std::nullopt);

  EXPECT_EQ(Store(kSettings, "Main", "Width", "1\r\n[Main]"),
            Edited(kSettings, "Width = 640", "Width=1[Main]"));
}

TEST(IniStoreTest, WhatIsWrittenReadsBack) {
  const std::vector<std::string> values = {
      "", "plain", "百度 搜索"_gbk, "\xB0\x5D\x81\x5C", "a=b", std::string(10240, 'x'),
  };
  for (const auto& value : values) {
    SCOPED_TRACE(testing::PrintToString(value.substr(0, 20)));
    std::string file = Store(kSettings, "Search", "Engine", value);
    file = Store(file, "Added", "Value", value);
    EXPECT_EQ(Lookup(file, "search", "engine"), value);
    EXPECT_EQ(Lookup(file, "added", "value"), value);
    EXPECT_EQ(Lookup(file, "Other", "Engine"), "none");
    EXPECT_EQ(Lookup(file, "Main", "Title"), "热门 搜索"_gbk);
  }
}

}  // namespace
}  // namespace quarvel::ini
