// Mail operations of QtHost: SMTP through libcurl.
//
// SmtpConnect opens the connection, logs in and sends NOOP: a complete exchange, so that an
// unreachable server or a refused login shows at once. The connection then stays in the cache of
// the session's curl handle and SmtpSend reuses it; when the server has dropped it meanwhile,
// curl opens a new one with the same settings. Cleaning the handle up sends QUIT.
//
// curl prefers PLAIN to LOGIN when a server offers both, while the program logs in with LOGIN
// where it can; so LOGIN is asked for first and PLAIN only when the server's EHLO reply did not
// name LOGIN.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/posix/gbk_convert.h"
#include "host/qt/curl_library.h"
#include "host/qt/qt_host.h"
#include "host/text.h"

namespace quarvel {
namespace {

constexpr const char* kLoginFirst = "AUTH=LOGIN";
constexpr const char* kLoginFallback = "AUTH=PLAIN";

struct MailSession {
  bool configured = false;  // SmtpConnect has been called
  std::string url;
  Text login, password;
  long timeoutMs = 0;
  CURL* handle = nullptr;                // holds the open connection
  std::vector<std::string> attachments;  // native paths

  // Filled by the debug callback while a transfer runs.
  std::string replyLines;  // lines of the reply being read
  std::string refusal;     // the last reply that refused something (4xx, 5xx)
  bool offersAuth = false;
  bool offersLogin = false;
  char error[CURL_ERROR_SIZE] = {};

  MailSession() = default;
  MailSession(const MailSession&) = delete;
  MailSession& operator=(const MailSession&) = delete;
  ~MailSession() { Close(); }

  void Close() {
    if (handle) Curl()->easy_cleanup(handle);  // sends QUIT
    handle = nullptr;
  }
  void StartTransfer() {
    replyLines.clear();
    refusal.clear();
    error[0] = '\0';
  }
};

MailSession& SessionIn(std::shared_ptr<void>& state) {
  if (!state) state = std::make_shared<MailSession>();
  return *static_cast<MailSession*>(state.get());
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Notes one line of the server's reply: keeps the last refusal for error texts and the
// mechanisms named in the EHLO reply ("250-AUTH LOGIN PLAIN", or the old "250-AUTH=LOGIN").
void NoteReplyLine(MailSession& session, std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.empty()) return;
  if (line.size() > 8 && line.starts_with("250") && (line[3] == '-' || line[3] == ' ')) {
    const std::string capability = Upper(line.substr(4));
    if (capability.starts_with("AUTH ") || capability.starts_with("AUTH=")) {
      session.offersAuth = true;
      std::string mechanism;
      for (std::size_t i = 5; i <= capability.size(); ++i) {
        if (i == capability.size() || capability[i] == ' ') {
          if (mechanism == "LOGIN") session.offersLogin = true;
          mechanism.clear();
        } else {
          mechanism += capability[i];
        }
      }
    }
  }
  if (!session.replyLines.empty()) session.replyLines += ' ';
  session.replyLines += line;
  const bool continues = line.size() >= 4 && line[3] == '-';
  if (!continues) {
    if (line[0] == '4' || line[0] == '5') session.refusal = session.replyLines;
    session.replyLines.clear();
  }
}

int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* context) {
  if (type != CURLINFO_HEADER_IN) return 0;
  auto& session = *static_cast<MailSession*>(context);
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      NoteReplyLine(session, std::string(data + start, i + 1 - start));
      start = i + 1;
    }
  }
  if (start < size) NoteReplyLine(session, std::string(data + start, size - start));
  return 0;
}

size_t Discard(char*, size_t size, size_t count, void*) {
  return size * count;
}

// A handle for the session's server with the given login options.
CURL* OpenHandle(const CurlLibrary& curl, MailSession& session, const char* loginOptions) {
  CURL* handle = curl.easy_init();
  if (!handle) return nullptr;
  // Each reply is awaited for up to the timeout (curl counts in whole seconds here). curl's
  // connect timeout covers the whole login: the connection itself, the greeting, EHLO and the
  // three steps of AUTH LOGIN, so it gets one timeout for each.
  const long replySeconds = (session.timeoutMs + 999) / 1000;
  curl.easy_setopt(handle, CURLOPT_URL, session.url.c_str());
  curl.easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp");
  curl.easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl.easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, session.timeoutMs * 6);
  curl.easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, replySeconds);
  // The connection stays open while the feedback window is; curl must not retire it by age.
  curl.easy_setopt(handle, CURLOPT_MAXAGE_CONN, 24L * 60 * 60);
  if (!session.login.empty()) {
    curl.easy_setopt(handle, CURLOPT_USERNAME, session.login.c_str());
    curl.easy_setopt(handle, CURLOPT_PASSWORD, session.password.c_str());
    curl.easy_setopt(handle, CURLOPT_LOGIN_OPTIONS, loginOptions);
  }
  curl.easy_setopt(handle, CURLOPT_ERRORBUFFER, session.error);
  curl.easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Discard);
  // The debug callback is how the server's replies reach the program; it also keeps curl's
  // own trace off stderr.
  curl.easy_setopt(handle, CURLOPT_DEBUGFUNCTION, &OnDebug);
  curl.easy_setopt(handle, CURLOPT_DEBUGDATA, &session);
  curl.easy_setopt(handle, CURLOPT_VERBOSE, 1L);
  return handle;
}

Text FailureText(const CurlLibrary& curl, const MailSession& session, CURLcode code) {
  Text text = session.error[0] ? session.error : curl.easy_strerror(code);
  if (!session.refusal.empty()) text += " (server: " + session.refusal + ")";
  return text;
}

// Connects and logs in; on success the session's handle holds the connection.
CURLcode Login(const CurlLibrary& curl, MailSession& session) {
  session.Close();
  CURLcode result = CURLE_OUT_OF_MEMORY;
  for (const char* options : {kLoginFirst, kLoginFallback}) {
    CURL* handle = OpenHandle(curl, session, options);
    if (!handle) return CURLE_OUT_OF_MEMORY;
    session.StartTransfer();
    session.offersAuth = session.offersLogin = false;
    curl.easy_setopt(handle, CURLOPT_CUSTOMREQUEST, "NOOP");
    result = curl.easy_perform(handle);
    curl.easy_setopt(handle, CURLOPT_CUSTOMREQUEST, nullptr);
    if (result == CURLE_OK) {
      session.handle = handle;
      return result;
    }
    // Keep the failure's text: cleaning up may talk to the server once more (QUIT).
    const std::string error = session.error;
    curl.easy_cleanup(handle);
    std::snprintf(session.error, sizeof session.error, "%s", error.c_str());
    const bool loginNotOffered = result == CURLE_LOGIN_DENIED && session.offersAuth && !session.offersLogin;
    if (!loginNotOffered) break;
  }
  return result;
}

// Header values must stay on their line.
Text OneLine(Text text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
    if (n > 1) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (n > 2) value |= static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[(value >> 18) & 63];
    out += kDigits[(value >> 12) & 63];
    out += n > 1 ? kDigits[(value >> 6) & 63] : '=';
    out += n > 2 ? kDigits[value & 63] : '=';
  }
  return out;
}

// A header text: printable ASCII as it is, anything else as "=?gb2312?B?...?=" words of at most
// 75 characters each, split between characters.
std::string HeaderText(const Text& text) {
  bool plain = true;
  for (const char c : text)
    if (c < 0x20 || c > 0x7E) plain = false;
  if (plain) return text;
  constexpr std::size_t kMaxBytes = 45;  // 60 base64 digits, 73 characters with the frame
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && end + CharLength(text, end) - start <= kMaxBytes)
      end += CharLength(text, end);
    if (!out.empty()) out += ' ';
    out += "=?gb2312?B?" + Base64(std::string_view(text).substr(start, end - start)) + "?=";
    start = end;
  }
  return out;
}

// The present time as RFC 5322 writes it, in English whatever the locale.
std::string DateHeaderValue() {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const long offsetMinutes = local.tm_gmtoff / 60;
  const long offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday],
                local.tm_mday, kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min,
                local.tm_sec, offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
  return buffer;
}

bool IsReadableFile(const std::string& nativePath) {
  const int fd = open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  close(fd);
  return regular;
}

std::string BaseName(const std::string& nativePath) {
  const std::size_t slash = nativePath.rfind('/');
  return slash == std::string::npos ? nativePath : nativePath.substr(slash + 1);
}

}  // namespace

bool QtHost::SmtpConnect(const Text& server, int port, const Text& login, const Text& password,
                         int timeoutMs) {
  MailSession& session = SessionIn(shellState_);
  session.Close();
  const std::string host = posix::GbkToUtf8(OneLine(server));
  const bool ipv6 = host.find(':') != std::string::npos;
  session.url = "smtp://" + (ipv6 ? "[" + host + "]" : host) + ":" +
                std::to_string(port > 0 && port <= 65535 ? port : 25) + "/";
  session.login = login;
  session.password = password;
  session.timeoutMs = timeoutMs > 0 ? timeoutMs : 30000;
  session.configured = true;
  const CurlLibrary* curl = Curl();
  return curl && Login(*curl, session) == CURLE_OK;
}

void QtHost::SmtpClearAttachments() {
  SessionIn(shellState_).attachments.clear();
}

bool QtHost::SmtpAddAttachment(const Text& path) {
  const std::string nativePath = posix::ToNativePath(path);
  if (!IsReadableFile(nativePath)) return false;
  SessionIn(shellState_).attachments.push_back(nativePath);
  return true;
}

Text QtHost::SmtpSend(const Text& subject, const Text& body, const Text& recipient, const Text& sender) {
  MailSession& session = SessionIn(shellState_);
  if (!session.configured) return "no mail server: SmtpConnect was not called";
  const CurlLibrary* curl = Curl();
  if (!curl) return "libcurl is not available";
  if (!session.handle) {
    const CURLcode result = Login(*curl, session);
    if (result != CURLE_OK) return FailureText(*curl, session, result);
  }
  CURL* handle = session.handle;
  const Text to = OneLine(recipient), from = OneLine(sender);

  curl_slist* headers = nullptr;
  for (const std::string& line : {"Date: " + DateHeaderValue(), "From: \"" + from + "\" <" + from + ">",
                                  "To: " + to, "Subject: " + HeaderText(OneLine(subject))}) {
    headers = curl->slist_append(headers, line.c_str());
  }
  curl_slist* recipients = curl->slist_append(nullptr, ("<" + to + ">").c_str());
  const std::string mailFrom = "<" + from + ">";

  curl_mime* mime = curl->mime_init(handle);
  curl_mimepart* text = curl->mime_addpart(mime);
  curl->mime_data(text, body.data(), body.size());
  curl->mime_type(text, "text/plain; charset=gb2312");
  curl->mime_encoder(text, "base64");
  for (const std::string& path : session.attachments) {
    curl_mimepart* part = curl->mime_addpart(mime);
    curl->mime_filedata(part, path.c_str());
    curl->mime_filename(part, HeaderText(posix::Utf8ToGbk(BaseName(path))).c_str());
    curl->mime_type(part, "application/octet-stream");
    curl->mime_encoder(part, "base64");
  }

  curl->easy_setopt(handle, CURLOPT_MAIL_FROM, mailFrom.c_str());
  curl->easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients);
  curl->easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  curl->easy_setopt(handle, CURLOPT_MIMEPOST, mime);
  session.StartTransfer();
  const CURLcode result = curl->easy_perform(handle);
  curl->easy_setopt(handle, CURLOPT_MIMEPOST, nullptr);
  curl->easy_setopt(handle, CURLOPT_HTTPHEADER, nullptr);
  curl->easy_setopt(handle, CURLOPT_MAIL_RCPT, nullptr);
  curl->easy_setopt(handle, CURLOPT_MAIL_FROM, nullptr);
  curl->mime_free(mime);
  curl->slist_free_all(recipients);
  curl->slist_free_all(headers);
  return result == CURLE_OK ? Text() : FailureText(*curl, session, result);
}

void QtHost::SmtpDisconnect() {
  if (shellState_) SessionIn(shellState_).Close();
}

}  // namespace quarvel
