// Slots, the engine catalogue, running searches, opening pages and the history.
#include "core/config.h"
#include "search/history.h"
#include "search/search.h"
#include "search/slots.h"
#include "tests/unit/fixture.h"

namespace quarvel::testing {
namespace {

TEST(FillTemplateTest, PutsTheTermIntoEveryPlaceholder) {
  const struct {
    const char* name;
    Text urlTemplate, term, address;
  } cases[] = {
      {"plain", "http://a/s?wd=检索词"_gbk, "abc", "http://a/s?wd=abc"},
      {"twice", "x=检索词&y=检索词"_gbk, "t", "x=t&y=t"},
      {"term holding the placeholder", "q=检索词!"_gbk, "检索词"_gbk, "q="_gbk + "检索词"_gbk + "!"},
      {"empty term", "http://a/s?wd=检索词&x"_gbk, "", "http://a/s?wd=&x"},
      {"no placeholder", "http://a/fixed", "abc", "http://a/fixed"},
      {"empty template", "", "abc", ""},
      {"GBK term stays GBK", "/searchword/?word=检索词"_gbk, "天气"_gbk, "/searchword/?word="_gbk + "天气"_gbk},
      {"blank and ampersand", "q=检索词"_gbk, "AT&T 天气"_gbk, "q=AT%26T%20"_gbk + "天气"_gbk},
      {"escaped bytes", "q=检索词"_gbk, std::string("\"#%&+?\x7F\t\n\r", 10) + std::string(1, '\0'),
       "q=%22%23%25%26%2B%3F%7F%09%0A%0D%00"},
      {"kept bytes", "q=检索词"_gbk, "a-b_c.d~e/f:g=h!'()*,;@$[]\\^`{|}<>", "q=a-b_c.d~e/f:g=h!'()*,;@$[]\\^`{|}<>"},
      {"C++, C# and 100%", "q=检索词"_gbk, "C++ C# 100%", "q=C%2B%2B%20C%23%20100%25"},
      // "甲检" hides the placeholder's first bytes behind a character that starts one byte earlier.
      {"match only on a character boundary", "\xBC" "\xBC\xEC\xCB\xF7\xB4\xCA", "X", "\xBC\xBC\xEC\xCB\xF7\xB4\xCA"},
      {"short tail copied", "ab检索"_gbk, "X", "ab检索"_gbk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FillTemplate(c.urlTemplate, c.term), c.address);
  }
}

TEST(QuoteArgumentTest, QuotesOnlyWhatWouldSplitAndEscapesByTheWindowsRules) {
  const struct {
    Text in, out;
  } cases[] = {
      {"http://a/b?c=d", "http://a/b?c=d"},
      {"http://a/b c", "\"http://a/b c\""},
      {"", "\"\""},
      {"a\"b", "\"a\\\"b\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},
      {"a b\\", "\"a b\\\\\""},
      {"a\\b c", "\"a\\b c\""},
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteArgument(c.in), c.out) << c.in;
}

class SearchTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteConfigFile("[system]\r\nButton1Exe=http://one/?q=检索词\r\nButton2Exe=http://two/?q=检索词\r\n"
                    "Button3Exe=http://three/?q=检索词\r\n"_gbk);
    host.registry["SOFTWARE\\Clients\\StartMenuInternet\\"] = "firefox.desktop";
    host.registry["SOFTWARE\\Clients\\StartMenuInternet\\firefox.desktop\\shell\\open\\command\\"] =
        "/usr/bin/firefox";
    w = &Start();
  }
  std::vector<Text> Opened() const {
    std::vector<Text> lines;
    for (const auto& run : host.runs) lines.push_back(run.commandLine);
    return lines;
  }
  std::vector<Text> Listed() const { return w->显示列表框.items(); }
  MainWindow* w = nullptr;
};

TEST_F(SearchTest, EnterOpensThreePagesThirdFirstAndRecordsNothing) {
  w->编辑框1.SyncText("热门搜索：a b"_gbk);
  w->编辑框1.RaiseKeyPress('x');
  EXPECT_TRUE(host.runs.empty());
  w->编辑框1.RaiseKeyPress(13);
  EXPECT_EQ(Opened(), (std::vector<Text>{"/usr/bin/firefox http://three/?q="_gbk + "热门搜索："_gbk + "a%20b",
                                         "/usr/bin/firefox http://two/?q="_gbk + "热门搜索："_gbk + "a%20b",
                                         "/usr/bin/firefox http://one/?q="_gbk + "热门搜索："_gbk + "a%20b"}));
  EXPECT_EQ(host.runs[0].mode, ShowMode::Normal);
  EXPECT_FALSE(host.runs[0].wait);
  EXPECT_TRUE(program.searchHistory.empty());
  EXPECT_EQ(w->编辑框1.text(), "热门搜索：a b"_gbk);
}

TEST_F(SearchTest, ASlotLabelStripsThePrefixSearchesThatSlotAndRecords) {
  w->编辑框1.SyncText("热门搜索：天气"_gbk);
  w->标签3.RaiseLeftPress();
  EXPECT_EQ(Opened(), std::vector<Text>{"/usr/bin/firefox http://two/?q="_gbk + "天气"_gbk});
  EXPECT_EQ(w->编辑框1.text(), "天气"_gbk);
  EXPECT_EQ(program.searchHistory, std::vector<Text>{"天气"_gbk});
  EXPECT_EQ(Listed(), std::vector<Text>{"天气"_gbk});
}

TEST_F(SearchTest, TogetherSearchesOneTwoThreeKeepsThePrefixAndRecordsOnce) {
  w->编辑框1.SyncText("热门搜索：x"_gbk);
  w->标签_一起搜.RaiseLeftPress();
  const Text t = "热门搜索：x"_gbk;
  EXPECT_EQ(Opened(), (std::vector<Text>{"/usr/bin/firefox http://one/?q=" + t, "/usr/bin/firefox http://two/?q=" + t,
                                         "/usr/bin/firefox http://three/?q=" + t}));
  EXPECT_EQ(program.searchHistory, std::vector<Text>{t});
}

TEST_F(SearchTest, HotSearchPrefixIsRemovedOnlyFromTheStart) {
  const struct {
    Text before, after;
  } cases[] = {
      {"热门搜索：甲"_gbk + "热门搜索：乙"_gbk, "甲乙"_gbk},
      {"新闻热门搜索："_gbk, "新闻热门搜索："_gbk},
      {"热门搜索"_gbk, "热门搜索"_gbk},
      {"热门搜索："_gbk, ""},
  };
  for (const auto& c : cases) {
    w->编辑框1.SyncText(c.before);
    StripHotSearchPrefix(*w);
    EXPECT_EQ(w->编辑框1.text(), c.after);
  }
}

TEST_F(SearchTest, HistoryListsEachTermOnceInFirstRecordedOrder) {
  for (const char* term : {"a", "b", "a", "Abc", "abc", "", ""}) {
    w->编辑框1.SyncText(term);
    w->标签2.RaiseLeftPress();
  }
  EXPECT_EQ(program.searchHistory, (std::vector<Text>{"a", "b", "a", "Abc", "abc", "", ""}));
  EXPECT_EQ(Listed(), (std::vector<Text>{"a", "b", "Abc", "abc", ""}));

  w->显示列表框.RaiseSelect(1);
  EXPECT_EQ(w->编辑框1.text(), "b");
  EXPECT_EQ(host.runs.size(), 7u);  // picking starts no search
  w->标签4.RaiseLeftPress();
  EXPECT_EQ(Listed(), (std::vector<Text>{"a", "b", "Abc", "abc", ""}));

  w->显示列表框.RaiseRightPress();
  EXPECT_EQ(host.menusShown.back(), "列表框菜单");
  host.menuChoices.push_back({"清空搜索历史"_gbk});
  w->显示列表框.RaiseRightPress();
  EXPECT_TRUE(Listed().empty());
  w->编辑框1.SyncText("c");
  w->标签2.RaiseLeftPress();
  EXPECT_EQ(Listed(), std::vector<Text>{"c"});  // cleared terms do not come back
}

TEST_F(SearchTest, MissingTemplatesFallBackToTheBuiltInOnesAndHandWrittenOnesAreTakenAsTheyStand) {
  WriteConfigFile("[system]\r\nButton1Exe=http://fixed/page\r\n");
  host.runs.clear();
  w->编辑框1.SyncText("");
  w->编辑框1.RaiseKeyPress(13);
  EXPECT_EQ(Opened(), (std::vector<Text>{
                          "/usr/bin/firefox http://s.taobao.com/search?commend=all&pid=mm_40718263_0_0&q=",
                          "/usr/bin/firefox http://www.baidu.com/s?wd=",
                          "/usr/bin/firefox http://fixed/page",
                      }));
}

TEST_F(SearchTest, WhenNoBrowserStartsTheAddressGoesToTheClipboard) {
  host.registry.clear();
  host.runProgramSucceeds = false;
  w->编辑框1.SyncText("x");
  w->标签_一起搜.RaiseLeftPress();
  // With no default browser the fallback name is looked up, which has no command either.
  EXPECT_EQ(Opened(), (std::vector<Text>{" http://one/?q=x", " http://two/?q=x", " http://three/?q=x"}));
  ASSERT_EQ(host.messages.size(), 3u);
  for (const auto& m : host.messages) {
    EXPECT_EQ(m.text, "未发现默认网络浏览器或默认网络浏览器配置错误，该网址已送至剪贴板。"_gbk);
    EXPECT_EQ(m.title, "提示："_gbk);
    EXPECT_EQ(m.kind, MessageKind::Ok);
  }
  EXPECT_EQ(host.clipboard, "http://three/?q=x");
  EXPECT_EQ(program.searchHistory, std::vector<Text>{"x"});
}

TEST_F(SearchTest, InternetExplorerWayReportsAMissingProgram) {
  program.useIE = true;
  w->编辑框1.SyncText("x");
  w->编辑框1.RaiseKeyPress(13);
  EXPECT_TRUE(host.runs.empty());
  ASSERT_EQ(host.messages.size(), 3u);
  EXPECT_EQ(host.messages[0].text, "未安装IE或IE未安装至默认路径，该网址已送至剪贴板。"_gbk);
  EXPECT_EQ(host.clipboard, "http://one/?q=x");
}

TEST_F(SearchTest, OpenPageGivesTheBrowserExactlyOneArgument) {
  OpenPage(program, "http://a/b c\"d");
  OpenPage(program, "-incognito http://evil");
  EXPECT_EQ(Opened(), std::vector<Text>{"/usr/bin/firefox \"http://a/b c\\\"d\""});
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "未知错误，该网址已送至剪贴板。"_gbk);
  EXPECT_EQ(host.clipboard, "-incognito http://evil");
}

std::vector<std::string> Flatten(const std::vector<MenuItem>& items, const std::string& indent = "") {
  std::vector<std::string> lines;
  for (const MenuItem& item : items) {
    lines.push_back(indent + item.text);
    for (const std::string& line : Flatten(item.children, indent + "  ")) lines.push_back(line);
  }
  return lines;
}

TEST_F(SearchTest, TheEngineMenuHasTheCatalogueInItsGroups) {
  std::vector<std::string> expected = {"自定义"_gbk};
  const std::vector<std::pair<Text, std::vector<Text>>> groups = {
      {"综合搜索"_gbk, {"谷歌"_gbk, "百度"_gbk, "搜狗"_gbk, "中文雅虎"_gbk, "有道"_gbk, "中搜"_gbk, "必应"_gbk}},
      {"图片搜索"_gbk, {"谷歌图片"_gbk, "百度图片"_gbk, "搜狗图片"_gbk, "必应图片"_gbk}},
      {"资源搜索"_gbk, {"迅雷狗狗影视"_gbk}},
      {"视频搜索"_gbk, {"百度视频"_gbk}},
      {"音乐搜索"_gbk, {"百度MP3"_gbk}},
      {"购物搜索"_gbk, {"淘宝"_gbk, "当当"_gbk, "卓越亚马逊"_gbk}},
      {"知识搜索"_gbk, {"百度百科"_gbk, "百度知道"_gbk}},
      {"资讯搜索"_gbk, {"百度新闻"_gbk}},
      {"地图公交"_gbk, {"百度地图"_gbk}},
      {"博客搜索"_gbk, {"有道博客"_gbk}},
      {"词典翻译"_gbk, {"dict", "爱词霸"_gbk}},
  };
  int engines = 0;
  for (const auto& [group, items] : groups) {
    expected.push_back("-");
    expected.push_back(group);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i > 0) expected.push_back("  -");
      expected.push_back("  " + items[i]);
      ++engines;
    }
  }
  EXPECT_EQ(engines, 24);
  EXPECT_EQ(Flatten(w->按钮菜单.items), expected);
}

TEST_F(SearchTest, ChoosingAnEngineChangesOnlyTheSlotWhoseArrowWasPressed) {
  host.menuChoices.push_back({"图片搜索"_gbk, "必应图片"_gbk});
  w->标签15.RaiseLeftPress();
  EXPECT_EQ(program.currentSlot, "3");
  EXPECT_EQ(w->标签4.text(), "必应图片"_gbk);
  EXPECT_EQ(ConfigValue("Button3Caption"), "必应图片"_gbk);
  EXPECT_EQ(ConfigValue("Button3Exe"), "http://cn.bing.com/images/search?q=检索词"_gbk);
  EXPECT_EQ(ConfigValue("Button1Exe"), "http://one/?q=检索词"_gbk);
  EXPECT_EQ(ConfigValue("Button3ExePartB"), "<missing>");

  host.menuChoices.push_back({"购物搜索"_gbk, "淘宝"_gbk});
  w->标签13.RaiseLeftPress();
  EXPECT_EQ(w->标签2.text(), "淘宝"_gbk);
  EXPECT_EQ(ConfigValue("Button1ExePartB"), "");
  EXPECT_EQ(ConfigValue("Button1Exe"), "http://s.taobao.com/search?commend=all&pid=mm_40718263_0_0&q=检索词"_gbk);

  host.menuChoices.push_back({"综合搜索"_gbk, "百度"_gbk});
  w->标签_下箭头.RaiseLeftPress();
  EXPECT_EQ(w->标签3.text(), "百度"_gbk);
  EXPECT_EQ(ConfigValue("Button2Exe"), "http://www.baidu.com/s?wd=检索词"_gbk);

  // The next search with that slot uses the new template.
  w->编辑框1.SyncText("x");
  w->标签3.RaiseLeftPress();
  EXPECT_EQ(Opened().back(), "/usr/bin/firefox http://www.baidu.com/s?wd=x");
}

TEST_F(SearchTest, TheMapEntryOnlySaysItIsNotOffered) {
  host.menuChoices.push_back({"地图公交"_gbk, "百度地图"_gbk});
  w->标签13.RaiseLeftPress();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "暂不提供此功能。"_gbk);
  EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(host.messages[0].title, "Quarvel");
  EXPECT_EQ(w->标签2.text(), "谷歌"_gbk);
  EXPECT_EQ(program.currentSlot, "1");
}

TEST_F(SearchTest, ADismissedMenuKeepsTheNewCurrentSlot) {
  w->标签15.RaiseLeftPress();
  EXPECT_EQ(program.currentSlot, "3");
  EXPECT_EQ(host.menusShown.back(), "按钮菜单");
  EXPECT_EQ(ConfigValue("Button3Caption"), "<missing>");
}

}  // namespace
}  // namespace quarvel::testing
