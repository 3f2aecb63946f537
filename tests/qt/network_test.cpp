// QtHost's network operations against real servers on 127.0.0.1: mail through an aiosmtpd
// server, pages through Python's http.server. Both are small scripts in peers/; each test
// starts the servers it needs and stops them again.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <clocale>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/posix/gbk_convert.h"
#include "host/qt/qt_host.h"

namespace quarvel::qt_testing {
namespace {

bool WaitUntil(const std::function<bool()>& done, int milliseconds = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > milliseconds) return false;
    QThread::msleep(10);
  }
  return true;
}

std::string S(const QJsonValue& value) {
  return value.toString().toStdString();
}

std::string FromHex(const QJsonValue& value) {
  return QByteArray::fromHex(value.toString().toLatin1()).toStdString();
}

std::string ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool WriteAll(const QString& path, const std::string& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// A program path (GBK, backslashes) for a file of the test.
Text ProgramPath(const QString& nativePath) {
  return posix::FromNativePath(nativePath.toStdString());
}

std::string AllByteValues() {
  std::string bytes;
  for (int round = 0; round < 3; ++round)
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// One of the scripts in peers/, run with the system's Python. It prints "PORT <n>" once it
// listens and ends when its standard input closes.
class Peer {
 public:
  Peer(const char* script, const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start("/usr/bin/python3",
                   QStringList{QStringLiteral(QUARVEL_TEST_PEERS "/") + script} + arguments);
    QElapsedTimer clock;
    clock.start();
    while (!process_.canReadLine() && clock.elapsed() < 15000 && process_.state() != QProcess::NotRunning) {
      process_.waitForReadyRead(100);
    }
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("PORT ")) port_ = line.mid(5).toInt();
  }
  ~Peer() { Stop(); }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  int port() const { return port_; }
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.closeWriteChannel();
    if (!process_.waitForFinished(10000)) {
      process_.kill();
      process_.waitForFinished(5000);
    }
  }

 private:
  QProcess process_;
  int port_ = 0;
};

// A port on 127.0.0.1 held by a socket that does not listen (connections are refused), or that
// listens and never accepts (connections open, and the server never says a word).
class LocalSocket {
 public:
  explicit LocalSocket(bool listening) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
        (!listening || listen(fd_, 4) == 0)) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~LocalSocket() { close(fd_); }
  LocalSocket(const LocalSocket&) = delete;
  LocalSocket& operator=(const LocalSocket&) = delete;
  int port() const { return port_; }

 private:
  int fd_;
  int port_ = 0;
};

constexpr char kLogin[] = "feedback@quarvel.test";
constexpr char kPassword[] = "s3cret pass";

// The aiosmtpd server of peers/smtp_peer.py with its record of events and received mails.
class MailServer {
 public:
  explicit MailServer(const QStringList& options = {})
      : peer_("smtp_peer.py",
              QStringList{"--dir", dir_.path(), "--login", kLogin, "--password", kPassword} + options) {}

  int port() const { return peer_.port(); }
  void Stop() { peer_.Stop(); }

  // events.txt: "EHLO <name>", "AUTH <mechanism> accepted|refused", "NOOP", "MAIL <n>", "QUIT".
  std::vector<std::string> Events(const std::string& prefix = "") const {
    std::vector<std::string> events;
    const QString text = QString::fromStdString(ReadAll(dir_.filePath("events.txt")));
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
      if (line.startsWith(QString::fromStdString(prefix))) events.push_back(line.toStdString());
    }
    return events;
  }
  bool WaitForEvents(const std::string& prefix, std::size_t count) const {
    return WaitUntil([&] { return Events(prefix).size() >= count; });
  }
  QJsonObject Mail(int number) const {
    return QJsonDocument::fromJson(
               QByteArray::fromStdString(ReadAll(dir_.filePath(QString("mail-%1.json").arg(number)))))
        .object();
  }

 private:
  QTemporaryDir dir_;
  Peer peer_;
};

using Events = std::vector<std::string>;

TEST(NetworkMailTest, ServerIsReachedAndLoginCheckedOnConnect) {
  struct Case {
    const char* name;
    QStringList serverOptions;
    const char* login;
    const char* password;
    bool connects;
    Events logins;  // what the server saw
  };
  const Case cases[] = {
      {"LOGIN offered", {}, kLogin, kPassword, true, {"AUTH LOGIN accepted"}},
      {"wrong password", {}, kLogin, "wrong", false, {"AUTH LOGIN refused"}},
      {"unknown login", {}, "someone@else", kPassword, false, {"AUTH LOGIN refused"}},
      {"PLAIN only", {"--exclude-mechanism", "LOGIN"}, kLogin, kPassword, true, {"AUTH PLAIN accepted"}},
      {"PLAIN only, wrong password",
       {"--exclude-mechanism", "LOGIN"},
       kLogin,
       "wrong",
       false,
       {"AUTH PLAIN refused"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MailServer server(c.serverOptions);
    ASSERT_NE(server.port(), 0);
    QtHost host;
    EXPECT_EQ(host.SmtpConnect("127.0.0.1", server.port(), c.login, c.password, 5000), c.connects);
    EXPECT_EQ(server.Events("AUTH"), c.logins);
    // A good login is checked by a whole exchange on the open connection.
    EXPECT_EQ(server.Events("NOOP").size(), c.connects ? 1u : 0u);
  }
}

TEST(NetworkMailTest, ConnectFailsSoonWithoutAServer) {
  QtHost host;
  {
    LocalSocket refusing(false);
    ASSERT_NE(refusing.port(), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(host.SmtpConnect("127.0.0.1", refusing.port(), kLogin, kPassword, 10000));
    EXPECT_LT(clock.elapsed(), 2000);
  }
  {
    // The connection opens, the greeting never comes: the wait ends with the timeout.
    LocalSocket silent(true);
    ASSERT_NE(silent.port(), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(host.SmtpConnect("127.0.0.1", silent.port(), kLogin, kPassword, 1000));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 5000);
  }
  EXPECT_NE(host.SmtpSend("subject", "body", "dev@quarvel.test", "user@example.com"), "");
}

// While it lives, the process runs in a German locale (built for the tests), whose day and month
// names differ from English, and in a time zone 3:30 hours behind UTC.
class ForeignClock {
 public:
  ForeignClock() : previousLocale_(std::setlocale(LC_ALL, nullptr)) {
    if (const char* zone = getenv("TZ")) previousZone_ = zone;
    setenv("TZ", "QRV+03:30", 1);
    tzset();
    if (!getenv("LOCPATH")) {
      setenv("LOCPATH", QUARVEL_TEST_LOCALES, 1);
      setPath_ = true;
    }
    german_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  }
  ~ForeignClock() {
    std::setlocale(LC_ALL, previousLocale_.c_str());
    if (setPath_) unsetenv("LOCPATH");
    if (previousZone_) {
      setenv("TZ", previousZone_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  ForeignClock(const ForeignClock&) = delete;
  ForeignClock& operator=(const ForeignClock&) = delete;
  bool german() const { return german_; }

 private:
  std::string previousLocale_;
  std::optional<std::string> previousZone_;
  bool setPath_ = false;
  bool german_ = false;
};

TEST(NetworkMailTest, MailArrivesWithItsHeadersBodyAndAttachmentsIntact) {
  QTemporaryDir files;
  const std::string binary = AllByteValues();
  const std::string report = "报告内容\r\n"_gbk;
  ASSERT_TRUE(WriteAll(files.filePath("data.bin"), binary));
  ASSERT_TRUE(WriteAll(files.filePath("报告.txt"), report));
  MailServer server;
  ASSERT_NE(server.port(), 0);
  ForeignClock clock;
  EXPECT_TRUE(clock.german());
  QtHost host;
  ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
  ASSERT_TRUE(host.SmtpAddAttachment(ProgramPath(files.filePath("data.bin"))));
  ASSERT_TRUE(host.SmtpAddAttachment(ProgramPath(files.filePath("报告.txt"))));

  const Text subject = "意见反馈：搜索“很好用”"_gbk;
  const Text body = "第一行\r\n第二行 ① ×\r\n\r\nlast line, no break"_gbk;
  const std::time_t sent = std::time(nullptr);
  ASSERT_EQ(host.SmtpSend(subject, body, "dev@quarvel.test", "user@example.com"), "");
  QJsonObject mail = server.Mail(1);
  ASSERT_FALSE(mail.isEmpty());
  EXPECT_EQ(S(mail["mechanism"]), "LOGIN");
  EXPECT_EQ(S(mail["mail_from"]), "user@example.com");
  EXPECT_EQ(mail["rcpt_tos"].toArray(), QJsonArray{"dev@quarvel.test"}) << S(mail["rcpt_tos"][0]);
  EXPECT_EQ(S(mail["from"]), R"("user@example.com" <user@example.com>)");
  EXPECT_EQ(S(mail["to"]), "dev@quarvel.test");
  EXPECT_TRUE(mail["cc"].isNull());
  EXPECT_TRUE(S(mail["subject_raw"]).starts_with("=?gb2312?B?")) << S(mail["subject_raw"]);
  EXPECT_EQ(FromHex(mail["subject_hex"]), subject);
  const QString date = mail["date"].toString();
  EXPECT_TRUE(
      QRegularExpression(R"(^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|)"
                         R"(Nov|Dec) \d{4} \d\d:\d\d:\d\d [+-]\d{4}$)")
          .match(date)
          .hasMatch())
      << date.toStdString();
  EXPECT_TRUE(date.endsWith(" -0330")) << date.toStdString();
  EXPECT_NEAR(mail["date_epoch"].toDouble(), static_cast<double>(sent), 5.0) << date.toStdString();
  EXPECT_EQ(S(mail["mime_version"]), "1.0");
  EXPECT_EQ(S(mail["content_type"]), "multipart/mixed");

  const QJsonArray parts = mail["parts"].toArray();
  ASSERT_EQ(parts.size(), 3);
  struct Part {
    const char* type;
    const char* charset;
    const char* disposition;
    std::string fileName;
    std::string bytes;
  };
  const Part expected[] = {{"text/plain", "gb2312", nullptr, "", body},
                           {"application/octet-stream", nullptr, "attachment", "data.bin", binary},
                           {"application/octet-stream", nullptr, "attachment", "报告.txt"_gbk, report}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const QJsonObject part = parts[i].toObject();
    EXPECT_EQ(S(part["type"]), expected[i].type);
    EXPECT_EQ(S(part["charset"]), expected[i].charset ? expected[i].charset : "");
    EXPECT_EQ(S(part["encoding"]), "base64");
    EXPECT_EQ(S(part["disposition"]), expected[i].disposition ? expected[i].disposition : "");
    EXPECT_EQ(FromHex(part["filename_hex"]), expected[i].fileName);
    EXPECT_EQ(FromHex(part["payload_hex"]), expected[i].bytes);
  }

  // The next mail goes over the same connection, without the cleared attachments; a long
  // subject is split into several encoded words that read back as the whole.
  host.SmtpClearAttachments();
  Text longSubject;
  for (int i = 0; i < 12; ++i) longSubject += "反馈abc，"_gbk;
  ASSERT_EQ(host.SmtpSend(longSubject, "ok", "dev@quarvel.test", "user@example.com"), "");
  mail = server.Mail(2);
  EXPECT_EQ(FromHex(mail["subject_hex"]), longSubject);
  const QStringList words =
      mail["subject_raw"].toString().split(QRegularExpression(R"(\s+)"), Qt::SkipEmptyParts);
  EXPECT_GT(words.size(), 1);
  for (const QString& word : words) EXPECT_LE(word.size(), 75) << word.toStdString();
  EXPECT_EQ(mail["parts"].toArray().size(), 1);
  EXPECT_EQ(server.Events("EHLO").size(), 1u);

  // An ASCII subject stays as it is.
  ASSERT_EQ(host.SmtpSend("Plain subject", "", "dev@quarvel.test", "user@example.com"), "");
  EXPECT_EQ(S(server.Mail(3)["subject_raw"]), "Plain subject");
}

TEST(NetworkMailTest, OnlyReadableRegularFilesAreAttached) {
  QTemporaryDir files;
  ASSERT_TRUE(WriteAll(files.filePath("note.txt"), "note"));
  ASSERT_TRUE(QDir(files.path()).mkdir("folder"));
  const std::pair<QString, bool> cases[] = {{files.filePath("note.txt"), true},
                                            {files.filePath("missing.txt"), false},
                                            {files.filePath("folder"), false}};
  QtHost host;
  for (const auto& [path, accepted] : cases) {
    EXPECT_EQ(host.SmtpAddAttachment(ProgramPath(path)), accepted) << path.toStdString();
  }

  // Only the accepted file goes with the mail.
  MailServer server;
  ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
  ASSERT_EQ(host.SmtpSend("files", "body", "dev@quarvel.test", "user@example.com"), "");
  const QJsonArray parts = server.Mail(1)["parts"].toArray();
  ASSERT_EQ(parts.size(), 2);
  EXPECT_EQ(FromHex(parts[1].toObject()["filename_hex"]), "note.txt");
  EXPECT_EQ(FromHex(parts[1].toObject()["payload_hex"]), "note");
}

TEST(NetworkMailTest, SendDescribesRefusalsAndLostServers) {
  MailServer server({"--refuse-recipient", "nobody@quarvel.test"});
  QtHost host;
  ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
  const Text refused = host.SmtpSend("subject", "body", "nobody@quarvel.test", "user@example.com");
  EXPECT_NE(refused.find("550"), Text::npos) << refused;
  EXPECT_NE(refused.find("No such user"), Text::npos) << refused;
  // The session recovers from the refusal.
  EXPECT_EQ(host.SmtpSend("subject", "body", "dev@quarvel.test", "user@example.com"), "");

  server.Stop();
  const Text lost = host.SmtpSend("subject", "body", "dev@quarvel.test", "user@example.com");
  EXPECT_NE(lost, "");
}

TEST(NetworkMailTest, ConnectionIsReopenedAfterTheServerDroppedIt) {
  MailServer server({"--idle-timeout", "0.5"});
  QtHost host;
  ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
  QThread::msleep(1500);
  EXPECT_EQ(host.SmtpSend("subject", "body", "dev@quarvel.test", "user@example.com"), "");
  EXPECT_EQ(server.Events("EHLO").size(), 2u);
  EXPECT_EQ(server.Events("AUTH"), (Events{"AUTH LOGIN accepted", "AUTH LOGIN accepted"}));
}

TEST(NetworkMailTest, QuitEndsEachConnection) {
  MailServer server;
  ASSERT_NE(server.port(), 0);
  {
    QtHost host;
    ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
    // Connecting again ends the first connection.
    ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
    EXPECT_TRUE(server.WaitForEvents("QUIT", 1));
    EXPECT_EQ(server.Events("EHLO").size(), 2u);
    EXPECT_EQ(server.Events("NOOP").size(), 2u);
    EXPECT_EQ(server.Events("QUIT").size(), 1u);
    host.SmtpDisconnect();
    EXPECT_TRUE(server.WaitForEvents("QUIT", 2));
    host.SmtpDisconnect();  // nothing left to close

    // So does the end of the host.
    ASSERT_TRUE(host.SmtpConnect("127.0.0.1", server.port(), kLogin, kPassword, 5000));
  }
  EXPECT_TRUE(server.WaitForEvents("QUIT", 3));
}

// The http.server of peers/http_peer.py with its log of requests.
class WebServer {
 public:
  explicit WebServer(const std::string& body)
      : written_(WriteAll(dir_.filePath("body"), body)),
        peer_("http_peer.py", {"--body", dir_.filePath("body"), "--log", dir_.filePath("requests.jsonl")}) {}

  int port() const { return written_ ? peer_.port() : 0; }
  Text Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port()) + path; }
  std::vector<QJsonObject> Requests() const {
    std::vector<QJsonObject> requests;
    for (const QByteArray& line :
         QByteArray::fromStdString(ReadAll(dir_.filePath("requests.jsonl"))).split('\n')) {
      if (!line.isEmpty()) requests.push_back(QJsonDocument::fromJson(line).object());
    }
    return requests;
  }

 private:
  QTemporaryDir dir_;
  bool written_;
  Peer peer_;
};

const std::string kPage =
    "<html>"_gbk + std::string(1, '\0') + "谷歌搜索：“①”"_gbk + AllByteValues() + "\r\n";

TEST(NetworkHttpTest, GetReturnsTheBodyBytesAndAsksLikeAnOldBrowser) {
  WebServer server(kPage);
  ASSERT_NE(server.port(), 0);
  QtHost host;
  EXPECT_EQ(host.HttpGet(server.Url("/data")), kPage);

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(S(requests[0]["request"]), "GET /data HTTP/1.0");
  std::vector<std::pair<QString, QString>> headers;
  for (const QJsonValue& header : requests[0]["headers"].toArray()) {
    headers.emplace_back(header.toArray()[0].toString(), header.toArray()[1].toString());
  }
  const auto has = [&](const QString& name, const QString& value) {
    return std::count(headers.begin(), headers.end(), std::pair{name, value}) == 1;
  };
  EXPECT_TRUE(has("Accept", "*/*"));
  EXPECT_TRUE(has("User-Agent", "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"));
}

TEST(NetworkHttpTest, FailuresGiveEmptyBytes) {
  WebServer server(kPage);
  ASSERT_NE(server.port(), 0);
  LocalSocket refusing(false);
  ASSERT_NE(refusing.port(), 0);
  const std::pair<const char*, Text> cases[] = {
      {"not found", server.Url("/missing")},
      {"refused", "http://127.0.0.1:" + std::to_string(refusing.port()) + "/data"},
  };
  QtHost host;
  for (const auto& [name, url] : cases) {
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(host.HttpGet(url), "") << name;
    EXPECT_LT(clock.elapsed(), 5000) << name;
  }
}

TEST(NetworkHttpTest, WorkerThreadsFetchAtTheSameTime) {
  WebServer server(kPage);
  ASSERT_NE(server.port(), 0);
  QtHost host;
  constexpr int kThreads = 8, kRounds = 4;
  std::vector<std::vector<Bytes>> results(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        const std::string path =
            round % 2 ? "/data" : "/echo/t" + std::to_string(t) + "r" + std::to_string(round);
        results[t].push_back(host.HttpGet(server.Url(path)));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    for (int round = 0; round < kRounds; ++round) {
      const std::string expected = round % 2 ? kPage : "t" + std::to_string(t) + "r" + std::to_string(round);
      EXPECT_EQ(results[t][round], expected) << "thread " << t << " round " << round;
    }
  }
  EXPECT_EQ(server.Requests().size(), static_cast<std::size_t>(kThreads * kRounds));
}

}  // namespace
}  // namespace quarvel::qt_testing
