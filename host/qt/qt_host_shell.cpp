// Shell, registry and network operations of QtHost.
//
// The registry's default-browser keys are answered from the desktop's own record of its default
// browser (XDG mime-apps lists through GIO); commands are taken apart by the Windows rules and
// started directly, never through a shell.
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "host/posix/command_line.h"
#include "host/posix/gbk_convert.h"
#include "host/qt/curl_library.h"
#include "host/qt/qt_host.h"
#include "host/qt/xdg_browser.h"

namespace quarvel {
namespace {

const std::string kBrowsersKey = "SOFTWARE\\Clients\\StartMenuInternet\\";
const std::string kOpenCommandSuffix = "\\shell\\open\\command\\";

QString ToQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

Text QtHost::ReadRegistryText(const Text& path, const Text& defaultValue) {
  if (path == kBrowsersKey) {
    const auto id = xdg::DefaultBrowserId();
    return id ? posix::Utf8ToGbk(*id) : defaultValue;
  }
  if (path.size() > kBrowsersKey.size() + kOpenCommandSuffix.size() && path.starts_with(kBrowsersKey) &&
      path.ends_with(kOpenCommandSuffix)) {
    const Text name =
        path.substr(kBrowsersKey.size(), path.size() - kBrowsersKey.size() - kOpenCommandSuffix.size());
    const auto command = xdg::BrowserCommand(posix::GbkToUtf8(name));
    return command ? posix::Utf8ToGbk(*command) : defaultValue;
  }
  return defaultValue;
}

bool QtHost::RunProgram(const Text& commandLine, bool wait, ShowMode) {
  const auto command = posix::ParseCommandLine(
      posix::GbkToUtf8(commandLine),
      [](const std::string& candidate) { return xdg::FindProgram(candidate).has_value(); });
  if (!command) return false;
  const QString program = ToQString(*xdg::FindProgram(command->program));
  QStringList arguments;
  for (const std::string& argument : command->arguments) arguments << ToQString(argument);
  if (wait) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) return false;
    process.waitForFinished(-1);
    return true;
  }
  return QProcess::startDetached(program, arguments);
}

void QtHost::ShellOpen(const Text& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(posix::ToNativePath(path))));
}

Bytes QtHost::HttpGet(const Text& url) {
  const CurlLibrary* curl = Curl();
  CURL* handle = curl ? curl->easy_init() : nullptr;
  if (!handle) return {};
  Bytes body;
  const std::string address = posix::GbkToUtf8(url);
  curl_slist* headers = curl->slist_append(nullptr, "Accept: */*");
  curl->easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl->easy_setopt(handle, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl->easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  curl->easy_setopt(handle, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
  curl->easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl->easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
  curl->easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl->easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 30L);
  // A server that stops sending would otherwise hold the fetching thread for ever.
  curl->easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl->easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, 60L);
  curl->easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl->easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  using Writer = size_t (*)(char*, size_t, size_t, void*);
  const Writer write = [](char* data, size_t size, size_t count, void* out) {
    static_cast<Bytes*>(out)->append(data, size * count);
    return size * count;
  };
  curl->easy_setopt(handle, CURLOPT_WRITEFUNCTION, write);
  const CURLcode result = curl->easy_perform(handle);
  curl->slist_free_all(headers);
  curl->easy_cleanup(handle);
  if (result != CURLE_OK) return {};
  return body;
}

}  // namespace quarvel
