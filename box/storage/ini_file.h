// The settings file format: a Windows INI file read and written in memory, so that saving is
// one atomic write. Reading follows GetPrivateProfileString: section and key names compare
// case-insensitively, blanks around names and values do not count, only the first section of a
// name is searched and its first line of the key wins, a value in matching quotes loses them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class IniFile {
 public:
  static IniFile Parse(std::u16string_view text);

  std::optional<std::u16string> Get(std::u16string_view section, std::u16string_view key) const;
  // Replaces the key's line in place as "key=value"; a new key goes after the last non-blank
  // line of its section, a new section at the end of the file after a blank line. Other lines
  // stay as they are.
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // Lines joined with CR LF, ending with CR LF.
  std::u16string Serialize() const;

 private:
  std::vector<std::u16string> lines_;
};

// At most 254 characters, "" for a missing file, section or key.
std::u16string ReadIniValue(const IniFile& ini, std::u16string_view section,
                            std::u16string_view key);
// The value is cut at 256 characters.
void WriteIniValue(IniFile& ini, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value);

// "True"/"False" in any case, or a decimal number (0 is off). nullopt otherwise.
std::optional<bool> ParseIniBool(std::u16string_view text);
// A decimal number with optional sign, fraction and exponent, blanks around allowed.
std::optional<float> ParseIniNumber(std::u16string_view text);
// The shortest decimal text that reads back as the same single-precision value ("11700", "-20").
std::u16string FormatSingle(float value);
std::u16string FormatBool(bool value);  // "True" / "False"

}  // namespace velmo
