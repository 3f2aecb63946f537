#include "resources/default_config.h"

namespace quarvel {

const Text& DefaultConfigText() {
  return "[system]\r\n"
         "Trans=0\r\n"
         "OnTop=yes\r\n"
         "MonitorClip=no\r\n"
         "useie=no\r\n"
         "Button2Caption=当当\r\n"
         "Button2Exe=http://union.dangdang.com/transfer/transfer.aspx?from=P-613874&backurl="
         "http://search.book.dangdang.com/search.aspx?key=检索词\r\n"
         "Button3Caption=卓越亚马逊\r\n"
         "Button3Exe=http://www.amazon.cn/gp/associates/link-types/searchbox.html?tag=velkorin-23"
         "&creative=2028&adid=7KQ2MZW5TRB9XH3LPD6N&campaign=408&mode=blended&keyword=检索词"
         "&Submit.x=29&Submit.y=10&Submit=Go\r\n"
         "Button1Caption=百度\r\n"
         "Button1Exe=http://www.baidu.com/s?wd=检索词\r\n"_gbk;
}

}  // namespace quarvel
