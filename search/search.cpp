#include "search/search.h"

#include "core/config.h"
#include "mainwindow/main_window.h"
#include "search/history.h"
#include "search/slots.h"

namespace quarvel {
namespace {

const char kBrowserKey[] = "SOFTWARE\\Clients\\StartMenuInternet\\";
const char kInternetExplorer[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

void ReportNotOpened(Program& program, const Text& address, const Text& message) {
  program.host.SetClipboardText(address);
  program.host.ShowMessage(message, MessageKind::Ok, "提示："_gbk);
}

}  // namespace

Text QuoteArgument(const Text& argument) {
  const bool plain = !argument.empty() && argument.find_first_of(" \t\n\v\"") == Text::npos;
  if (plain) return argument;
  // Backslashes count only before a quote: those are doubled, and the quote escaped. Each
  // backslash is copied as it comes; the extra ones are added before a quote and at the end.
  Text quoted = "\"";
  std::size_t backslashes = 0;
  for (const char ch : argument) {
    if (ch == '\\') {
      ++backslashes;
    } else if (ch == '"') {
      quoted.append(backslashes + 1, '\\');
      quoted += '"';
      backslashes = 0;
      continue;
    } else {
      backslashes = 0;
    }
    quoted += ch;
  }
  quoted.append(backslashes, '\\');
  quoted += '"';
  return quoted;
}

void OpenPage(Program& program, const Text& address, bool useIE) {
  HostServices& host = program.host;
  // A browser would read an address that begins with '-' as one of its switches.
  if (!address.empty() && address.front() == '-') {
    ReportNotOpened(program, address, "未知错误，该网址已送至剪贴板。"_gbk);
    return;
  }
  const Text argument = QuoteArgument(address);
  if (useIE) {
    if (!host.FileExists(kInternetExplorer)) {
      ReportNotOpened(program, address, "未安装IE或IE未安装至默认路径，该网址已送至剪贴板。"_gbk);
    } else if (!host.RunProgram(Text(kInternetExplorer) + " " + argument, false, ShowMode::Maximised)) {
      ReportNotOpened(program, address, "未知错误，该网址已送至剪贴板。"_gbk);
    }
    return;
  }
  const Text browser = host.ReadRegistryText(kBrowserKey, "IEXPLORE.EXE");
  const Text command = host.ReadRegistryText(kBrowserKey + browser + "\\shell\\open\\command\\", "");
  if (!host.RunProgram(command + " " + argument, false, ShowMode::Normal))
    ReportNotOpened(program, address, "未发现默认网络浏览器或默认网络浏览器配置错误，该网址已送至剪贴板。"_gbk);
}

void SearchWithSlot(MainWindow& w, int slot) {
  const SlotKeys* keys = KeysOfSlot(ToText(static_cast<long long>(slot)));
  const Text urlTemplate = ReadConfig(w.program, keys->urlTemplate, BuiltInTemplate(slot));
  OpenPage(w.program, FillTemplate(urlTemplate, w.编辑框1.text()), w.program.useIE);
}

void SearchBoxKeyPressed(MainWindow& w, int code) {
  if (code != 13) return;
  SearchWithSlot(w, 3);
  SearchWithSlot(w, 2);
  SearchWithSlot(w, 1);
}

void SlotLabelPressed(MainWindow& w, int slot) {
  StripHotSearchPrefix(w);
  SearchWithSlot(w, slot);
  RecordSearchTerm(w);
}

void SearchAllPressed(MainWindow& w) {
  SearchWithSlot(w, 1);
  SearchWithSlot(w, 2);
  SearchWithSlot(w, 3);
  RecordSearchTerm(w);
}

}  // namespace quarvel
