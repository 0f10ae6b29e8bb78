// What the kill test's helper saves in generation n, built by the box's own serialisers: the
// helper writes these bytes and the test recognises a whole file by rebuilding them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "box/storage/ini_file.h"
#include "box/storage/list_files.h"
#include "box/storage/settings_file.h"
#include "box/storage/text_codec.h"

namespace velmo::kill_test {

inline std::u16string Number(std::uint32_t n) { return Utf8ToUtf16(std::to_string(n)); }

// Digits only, as Number writes them.
inline std::optional<std::uint32_t> ParseNumber(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::uint32_t n = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = n * 10 + static_cast<std::uint32_t>(c - u'0');
  }
  return n;
}

// 1 to 400 records; odd generations hold a character without a GBK form, so they are written
// as UTF-8 and the two encodings alternate. The first record names the generation.
inline ListFile ItemsOf(std::uint32_t n) {
  ListFile file;
  file.list.Append(u"代次", Number(n));
  std::uint32_t count = (n * 7919u) % 400u;
  for (std::uint32_t i = 0; i < count; ++i) {
    file.list.Append(u"记事本" + Number(i), u"C:\\程序\\工具" + Number(n) +
                                                (n % 2 ? u"\U0001F600" : u"") + u"\\notepad.exe");
  }
  return file;
}

inline std::string ItemsBytes(std::uint32_t n) {
  return EncodeText(SerializeListFile(ItemsOf(n), ListKind::kItems));
}

// The delivered keys with a position of n and a note whose length changes with n.
inline SettingsDocument SettingsOf(std::uint32_t n) {
  SettingsDocument doc;
  doc.ini = IniFile::Parse(
      u"[Basic]\r\nGreetingAfterRunning =True\r\nPositionRecord =True\r\n"
      u"AutoRunAfterLogIn =False\r\nTop =0\r\nLeft =11700\r\n");
  WriteIniValue(doc.ini, u"Basic", u"Top", FormatSingle(-static_cast<float>(n % 1000)));
  WriteIniValue(doc.ini, u"Basic", u"Left", Number(n));
  for (std::uint32_t i = 0; i < n % 60; ++i) {
    WriteIniValue(doc.ini, u"Notes", u"Note" + Number(i),
                  std::u16string(1 + (n + i) % 80, n % 2 ? u'ẞ' : u'设'));
  }
  return doc;
}

inline std::string SettingsBytes(std::uint32_t n) {
  return EncodeText(SettingsOf(n).ini.Serialize());
}

// The generation whose bytes these are exactly, or nullopt for a torn, short or mixed file.
inline std::optional<std::uint32_t> ItemsGeneration(const std::string& bytes) {
  ListFile file = ParseListFile(DecodeText(bytes).text, ListKind::kItems);
  if (file.list.empty() || file.list.names[0] != u"代次") return std::nullopt;
  std::optional<std::uint32_t> n = ParseNumber(file.list.values[0]);
  if (!n || ItemsBytes(*n) != bytes) return std::nullopt;
  return n;
}

inline std::optional<std::uint32_t> SettingsGeneration(const std::string& bytes) {
  IniFile ini = IniFile::Parse(DecodeText(bytes).text);
  std::optional<std::uint32_t> n = ParseNumber(ReadIniValue(ini, u"Basic", u"Left"));
  if (!n || SettingsBytes(*n) != bytes) return std::nullopt;
  return n;
}

}  // namespace velmo::kill_test
