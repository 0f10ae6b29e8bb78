// Any bytes as config.ini: reading never fails, writing keeps every other line, and values
// written are read back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "box/storage/ini_file.h"
#include "box/storage/text_codec.h"

using namespace velmo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::u16string text = DecodeText(bytes).text;
  IniFile ini = IniFile::Parse(text);
  std::u16string serialized = ini.Serialize();
  if (IniFile::Parse(serialized).Serialize() != serialized) std::abort();

  // The first line of the input names a section and a key to probe.
  std::vector<std::u16string> lines = SplitLines(text);
  std::u16string first = lines.empty() ? std::u16string() : lines[0];
  std::u16string section = first.substr(0, 8);
  std::u16string key = first.size() > 8 ? first.substr(8, 8) : u"Top";
  std::u16string before = ReadIniValue(ini, section, key);
  ParseIniBool(before);
  ParseIniNumber(before);

  // A plain value written under any name that fits on a line reads back unchanged.
  bool plain_names = section.find_first_of(u"[]=\r\n") == std::u16string::npos &&
                     key.find_first_of(u"[]=\r\n") == std::u16string::npos;
  std::u16string_view probe_key(key);
  while (!probe_key.empty() && (probe_key.front() == u' ' || probe_key.front() == u'\t'))
    probe_key.remove_prefix(1);
  if (plain_names && !probe_key.empty()) {
    WriteIniValue(ini, section, key, u"42");
    if (ReadIniValue(ini, section, key) != u"42") std::abort();
    if (ReadIniValue(IniFile::Parse(ini.Serialize()), section, key) != u"42") std::abort();
  }

  if (size >= 4) {
    float value;
    std::memcpy(&value, data, 4);
    if (value == value && value - value == 0) {  // finite
      auto back = ParseIniNumber(FormatSingle(value));
      if (!back || *back != value) std::abort();
    }
  }
  return 0;
}
