#include "host/ini.h"

#include <vector>

#include "host/host_services.h"

namespace quarvel::ini {

namespace {

// Windows reads at most this many bytes of a value.
constexpr std::size_t kValueLimit = 10240;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Section and key arguments lose their leading bytes of 0x20 and below, as in Windows.
std::string_view SkipLeadingControls(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  return s;
}

// Written texts lose every CR and LF: one of them in a section, key or value would break the
// line in two and put lines of the caller's choosing into the file. This is deliberate and
// differs from Windows, which writes them as they are.
Text WithoutLineBreaks(std::string_view s) {
  Text out;
  out.reserve(s.size());
  for (char c : s) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

// One line of the file: its text is [begin, end), its line break [end, next). CR LF, LF alone
// and CR alone all end a line; none of them can be the second byte of a GBK character.
struct Line {
  std::size_t begin, end, next;
};

std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t begin = i;
    while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') ++i;
    const std::size_t end = i;
    if (i < bytes.size()) i += (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    lines.push_back({begin, end, i});
  }
  return lines;
}

// The name of the section when the line is a header: blanks, '[', the name, ']' and anything.
// The ']' is searched character by character, as it can be the second byte of a GBK character.
std::optional<std::string_view> HeaderName(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  if (line.empty() || line.front() != '[') return std::nullopt;
  for (std::size_t i = 1; i < line.size(); i += CharLength(line, i)) {
    if (line[i] == ']') return TrimBlanks(line.substr(1, i - 1));
  }
  return std::nullopt;
}

struct KeyLine {
  std::string_view key, value;
};

// A line with an '=' holds a key; '=' is never the second byte of a GBK character.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

// The file split into lines, with the first section of a given name found in it.
class Profile {
 public:
  explicit Profile(std::string_view bytes) : bytes_(bytes), lines_(SplitLines(bytes)) {}

  std::string_view LineText(std::size_t line) const {
    return bytes_.substr(lines_[line].begin, lines_[line].end - lines_[line].begin);
  }
  const Line& At(std::size_t line) const { return lines_[line]; }
  std::size_t Count() const { return lines_.size(); }
  bool IsHeader(std::size_t line) const { return HeaderName(LineText(line)).has_value(); }

  // The index of the header line of the first section named so, whatever its letter case.
  std::optional<std::size_t> FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const auto name = HeaderName(LineText(i));
      if (name && EqualIgnoringCase(*name, section)) return i;
    }
    return std::nullopt;
  }

 private:
  std::string_view bytes_;
  std::vector<Line> lines_;
};

// A value enclosed in a pair of double or single quotes loses them, as in Windows.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::optional<Text> Lookup(std::string_view fileBytes, std::string_view section, std::string_view key) {
  section = SkipLeadingControls(section);
  key = SkipLeadingControls(key);
  const Profile profile(fileBytes);
  const auto header = profile.FindSection(section);
  if (!header) return std::nullopt;
  for (std::size_t i = *header + 1; i < profile.Count() && !profile.IsHeader(i); ++i) {
    const auto entry = ParseKeyLine(profile.LineText(i));
    if (entry && EqualIgnoringCase(entry->key, key)) return TextLeft(Unquote(entry->value), kValueLimit);
  }
  return std::nullopt;
}

Bytes Store(std::string_view fileBytes, std::string_view section, const std::optional<Text>& key,
            std::string_view value) {
  const Text cleanSection = WithoutLineBreaks(section);
  const std::string_view sectionName = SkipLeadingControls(cleanSection);
  const std::optional<Text> cleanKey = key ? std::optional<Text>(WithoutLineBreaks(*key)) : std::nullopt;
  const std::string_view keyName = cleanKey ? SkipLeadingControls(*cleanKey) : std::string_view();
  const Text keyLine = Text(keyName) + "=" + WithoutLineBreaks(value);

  const Profile profile(fileBytes);
  const auto header = profile.FindSection(sectionName);
  if (!header) {
    Bytes out(fileBytes);
    if (!out.empty() && out.back() != '\r' && out.back() != '\n') out += "\r\n";
    out += "[" + Text(sectionName) + "]\r\n";
    if (cleanKey) out += keyLine + "\r\n";
    return out;
  }
  if (!cleanKey) return Bytes(fileBytes);

  // The key's line is replaced; a new key goes after the section's last line that is not blank.
  std::size_t lastFilled = *header;
  for (std::size_t i = *header + 1; i < profile.Count() && !profile.IsHeader(i); ++i) {
    const auto entry = ParseKeyLine(profile.LineText(i));
    if (entry && EqualIgnoringCase(entry->key, keyName)) {
      Bytes out(fileBytes.substr(0, profile.At(i).begin));
      out += keyLine;
      out += fileBytes.substr(profile.At(i).end);
      return out;
    }
    if (!TrimBlanks(profile.LineText(i)).empty()) lastFilled = i;
  }
  const Line& after = profile.At(lastFilled);
  Bytes out(fileBytes.substr(0, after.next));
  if (after.next == after.end) out += "\r\n";  // the file's last line had no line break
  out += keyLine + "\r\n";
  out += fileBytes.substr(after.next);
  return out;
}

}  // namespace quarvel::ini

namespace quarvel {

namespace {

// File names lose their leading bytes of 0x20 and below, as in Windows.
Text CleanFileName(const Text& file) {
  std::size_t i = 0;
  while (i < file.size() && static_cast<unsigned char>(file[i]) <= 0x20) ++i;
  return file.substr(i);
}

}  // namespace

// The file is read afresh at every call, so a change made by another program is seen at once.
Text HostServices::ReadIniValue(const Text& file, const Text& section, const Text& key,
                                const Text& defaultValue) {
  const auto bytes = ReadFileBytes(CleanFileName(file));
  if (!bytes) return defaultValue;
  return ini::Lookup(*bytes, section, key).value_or(defaultValue);
}

// A file that does not exist is created. One that exists but cannot be read is left alone
// (false), since writing it from nothing would lose its other sections.
bool HostServices::WriteIniValue(const Text& file, const Text& section, const std::optional<Text>& key,
                                 const Text& value) {
  const Text path = CleanFileName(file);
  auto bytes = ReadFileBytes(path);
  if (!bytes) {
    if (FileExists(path)) return false;
    bytes.emplace();
  }
  return WriteFileBytes(path, ini::Store(*bytes, section, key, value));
}

}  // namespace quarvel
