#include "search/slots.h"

#include "core/config.h"
#include "mainwindow/main_window.h"

namespace quarvel {

const std::vector<EngineGroup>& EngineCatalogue() {
  static const std::vector<EngineGroup> catalogue = {
      {"综合搜索"_gbk,
       {{"谷歌"_gbk, "http://www.google.com/search?hl=en&q=检索词"_gbk},
        {"百度"_gbk, "http://www.baidu.com/s?wd=检索词"_gbk},
        {"搜狗"_gbk, "http://www.sogou.com/web?query=检索词"_gbk},
        {"中文雅虎"_gbk, "http://search.cn.yahoo.com/search?v=web&p=检索词"_gbk},
        {"有道"_gbk, "http://www.youdao.com/search?q=检索词"_gbk},
        {"中搜"_gbk, "http://p.zhongsou.com/p?w=检索词"_gbk},
        {"必应"_gbk, "http://cn.bing.com/search?q=检索词"_gbk}}},
      {"图片搜索"_gbk,
       {{"谷歌图片"_gbk, "http://images.google.com/images?hl=en&q=检索词"_gbk},
        {"百度图片"_gbk, "http://image.baidu.com/i?ct=201326592&word=检索词"_gbk},
        {"搜狗图片"_gbk, "http://pic.sogou.com/pics?query=检索词"_gbk},
        {"必应图片"_gbk, "http://cn.bing.com/images/search?q=检索词"_gbk}}},
      {"资源搜索"_gbk, {{"迅雷狗狗影视"_gbk, "http://www.gougou.com/search?search=检索词"_gbk}}},
      {"视频搜索"_gbk, {{"百度视频"_gbk, "http://video.baidu.com/v?word=检索词"_gbk}}},
      {"音乐搜索"_gbk, {{"百度MP3"_gbk, "http://mp3.baidu.com/m?f=ms&word=检索词"_gbk}}},
      {"购物搜索"_gbk,
       {{"淘宝"_gbk, "http://s.taobao.com/search?commend=all&pid=mm_40718263_0_0&q=检索词"_gbk, true},
        {"当当"_gbk,
         "http://union.dangdang.com/transfer/transfer.aspx?from=P-613874&backurl="
         "http://search.book.dangdang.com/search.aspx?key=检索词"_gbk},
        {"卓越亚马逊"_gbk,
         "http://www.amazon.cn/gp/associates/link-types/searchbox.html?tag=velkorin-23&creative=2028"
         "&adid=7KQ2MZW5TRB9XH3LPD6N&campaign=408&mode=blended&keyword=检索词"
         "&Submit.x=29&Submit.y=10&Submit=Go"_gbk}}},
      {"知识搜索"_gbk,
       {{"百度百科"_gbk, "http://baike.baidu.com/searchword/?word=检索词"_gbk},
        {"百度知道"_gbk,
         "http://zhidao.baidu.com/q?word=检索词&ct=17&pn=0&tn=ikaslist&rn=10&lm=0&fr=search"_gbk}}},
      {"资讯搜索"_gbk, {{"百度新闻"_gbk, "http://news.baidu.com/ns?word=检索词"_gbk}}},
      {"地图公交"_gbk, {{"百度地图"_gbk, ""}}},
      {"博客搜索"_gbk, {{"有道博客"_gbk, "http://blog.youdao.com/search?q=检索词"_gbk}}},
      {"词典翻译"_gbk,
       {{"dict", "http://dict.cn/检索词"_gbk}, {"爱词霸"_gbk, "http://www.iciba.com/检索词/"_gbk}}},
  };
  return catalogue;
}

const Text& BuiltInTemplate(int slot) {
  static const Text templates[] = {
      "http://www.google.com/search?hl=en&q=检索词"_gbk,
      "http://www.baidu.com/s?wd=检索词"_gbk,
      "http://s.taobao.com/search?commend=all&pid=mm_40718263_0_0&q=检索词"_gbk,
  };
  return templates[slot - 1];
}

const SlotKeys* KeysOfSlot(const Text& slot) {
  static const SlotKeys keys[] = {{"Button1Caption", "Button1Exe", "Button1ExePartB"},
                                  {"Button2Caption", "Button2Exe", "Button2ExePartB"},
                                  {"Button3Caption", "Button3Exe", "Button3ExePartB"}};
  if (slot == "1") return &keys[0];
  if (slot == "2") return &keys[1];
  if (slot == "3") return &keys[2];
  return nullptr;
}

Control* CaptionLabelOfSlot(MainWindow& w, const Text& slot) {
  if (slot == "1") return &w.标签2;
  if (slot == "2") return &w.标签3;
  if (slot == "3") return &w.标签4;
  return nullptr;
}

Text FillTemplate(std::string_view urlTemplate, std::string_view term) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text encodedTerm;
  for (const char ch : term) {
    const auto b = static_cast<unsigned char>(ch);
    if (b <= 0x20 || b == 0x7F || ch == '"' || ch == '#' || ch == '%' || ch == '&' || ch == '+' || ch == '?') {
      encodedTerm += '%';
      encodedTerm += kHex[b >> 4];
      encodedTerm += kHex[b & 0x0F];
    } else {
      encodedTerm += ch;
    }
  }
  const std::string_view placeholder = Placeholder();
  Text address;
  std::size_t i = 0;
  while (i < urlTemplate.size()) {
    if (urlTemplate.substr(i, placeholder.size()) == placeholder) {
      address += encodedTerm;
      i += placeholder.size();
    } else {
      const std::size_t n = CharLength(urlTemplate, i);
      address.append(urlTemplate.substr(i, n));
      i += n;
    }
  }
  return address;
}

void ShowSlotCaptions(MainWindow& w) {
  w.标签2.SetText(ReadConfig(w.program, "Button1Caption", "谷歌"_gbk));
  w.标签3.SetText(ReadConfig(w.program, "Button2Caption", "百度"_gbk));
  w.标签4.SetText(ReadConfig(w.program, "Button3Caption", "淘宝"_gbk));
}

void ArrowPressed(MainWindow& w, const char* slot) {
  w.program.currentSlot = slot;
  w.program.host.PopupMenu(w, w.按钮菜单);
}

void AssignEngine(MainWindow& w, const Text& caption, const Text& urlTemplate, bool clearPartB) {
  const SlotKeys* keys = KeysOfSlot(w.program.currentSlot);
  if (!keys) return;
  CaptionLabelOfSlot(w, w.program.currentSlot)->SetText(caption);
  WriteConfig(w.program, keys->caption, caption);
  WriteConfig(w.program, keys->urlTemplate, urlTemplate);
  if (clearPartB) WriteConfig(w.program, keys->partB, "");
}

std::vector<MenuItem> BuildEngineMenu(MainWindow& w) {
  Program& program = w.program;
  std::vector<MenuItem> menu{{"自定义"_gbk, [&program] { program.LoadWindow(WindowId::ButtonSetup); }}};
  for (const EngineGroup& group : EngineCatalogue()) {
    MenuItem submenu{group.name, {}, {}};
    for (const Engine& engine : group.engines) {
      if (!submenu.children.empty()) submenu.children.push_back({"-"});
      std::function<void()> action;
      if (engine.urlTemplate.empty()) {
        action = [&program] {
          program.host.ShowMessage("暂不提供此功能。"_gbk, MessageKind::Error, "Quarvel");
        };
      } else {
        action = [&w, &engine] { AssignEngine(w, engine.caption, engine.urlTemplate, engine.clearsPartB); };
      }
      submenu.children.push_back({engine.caption, std::move(action), {}});
    }
    menu.push_back({"-"});
    menu.push_back(std::move(submenu));
  }
  return menu;
}

}  // namespace quarvel
