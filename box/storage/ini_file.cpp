// INI reading with GetPrivateProfileString's rules, writing that touches only the key's line.
#include "box/storage/ini_file.h"

#include <charconv>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr std::size_t kReadLimit = 254;   // a 255-character buffer holds 254 and the NUL
constexpr std::size_t kWriteLimit = 256;  // the writer's fixed field

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

std::u16string_view TrimBlanks(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char16_t FoldCase(char16_t c) { return (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c; }

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// The name of a "[name]" line, up to its last "]", or nullopt for any other line.
std::optional<std::u16string_view> SectionName(std::u16string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != u'[') return std::nullopt;
  std::size_t close = line.rfind(u']');
  if (close == std::u16string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

struct KeyLine {
  std::u16string_view key;
  std::u16string_view value;
};

// Lines without "=" hold no key. A ";" line is an ordinary key line to the platform reader
// too: a comment only because nobody asks for a key that starts with ";".
std::optional<KeyLine> ParseKeyLine(std::u16string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == u'[') return std::nullopt;
  std::size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

std::u16string_view Unquote(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string ToAscii(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

// Lines [header + 1, end) of the first section of that name; only that one is searched.
struct SectionRange {
  std::size_t header, end;
};

std::optional<SectionRange> FindSection(const std::vector<std::u16string>& lines,
                                        std::u16string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionName(lines[i]);
    if (!name || !EqualsNoCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

}  // namespace

IniFile IniFile::Parse(std::u16string_view text) {
  IniFile ini;
  ini.lines_ = SplitLines(text);
  return ini;
}

std::optional<std::u16string> IniFile::Get(std::u16string_view section,
                                           std::u16string_view key) const {
  auto range = FindSection(lines_, TrimBlanks(section));
  if (!range) return std::nullopt;
  key = TrimBlanks(key);
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    auto entry = ParseKeyLine(lines_[i]);
    if (entry && EqualsNoCase(entry->key, key)) return std::u16string(Unquote(entry->value));
  }
  return std::nullopt;
}

void IniFile::Set(std::u16string_view section, std::u16string_view key,
                  std::u16string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  std::u16string new_line(key);
  new_line.append(u"=").append(value);
  auto range = FindSection(lines_, section);
  if (!range) {
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    std::u16string header(u"[");
    header.append(section).push_back(u']');
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(new_line));
    return;
  }
  std::size_t insert_at = range->header + 1;  // after the section's last non-blank line
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    auto entry = ParseKeyLine(lines_[i]);
    if (entry && EqualsNoCase(entry->key, key)) {
      lines_[i] = std::move(new_line);
      return;
    }
    if (!TrimBlanks(lines_[i]).empty()) insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(new_line));
}

std::u16string IniFile::Serialize() const {
  std::u16string out;
  for (const std::u16string& line : lines_) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

std::u16string ReadIniValue(const IniFile& ini, std::u16string_view section,
                            std::u16string_view key) {
  std::u16string value = ini.Get(section, key).value_or(std::u16string());
  if (value.size() > kReadLimit) value.resize(kReadLimit);
  return value;
}

void WriteIniValue(IniFile& ini, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) {
  value = value.substr(0, kWriteLimit);
  // The platform call takes the field up to its first NUL.
  value = value.substr(0, value.find(u'\0'));
  ini.Set(section, key, value);
}

std::optional<bool> ParseIniBool(std::u16string_view text) {
  text = TrimBlanks(text);
  if (EqualsNoCase(text, u"True")) return true;
  if (EqualsNoCase(text, u"False")) return false;
  if (auto number = ParseIniNumber(text)) return *number != 0;
  return std::nullopt;
}

std::optional<float> ParseIniNumber(std::u16string_view text) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  auto digits = [&] {
    std::size_t start = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  std::size_t mantissa_digits = digits();
  if (i < text.size() && text[i] == u'.') {
    ++i;
    mantissa_digits += digits();
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    if (digits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  std::string ascii = ToAscii(text.front() == u'+' ? text.substr(1) : text);
  float value = 0;
  // Parsed straight into a float, so that FormatSingle's text reads back bit for bit.
  auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return value;
}

std::u16string FormatSingle(float value) {
  char buffer[64];
  // Fixed notation with no precision is the shortest text that reads back as `value`.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::u16string(buffer, result.ptr);
}

std::u16string FormatBool(bool value) { return value ? u"True" : u"False"; }

}  // namespace velmo
