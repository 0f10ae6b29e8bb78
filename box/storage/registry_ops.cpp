// Registry values from text, and the Run value that starts the box at log-in.
#include "box/storage/registry_ops.h"

#include <optional>

#include "box/platform/files.h"

namespace velmo {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::size_t kMaxBinaryBytes = 1025;

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of the leading hex digits (0 when there are none); nullopt above 32 bits.
std::optional<std::uint32_t> LeadingHex(std::u16string_view text) {
  std::uint64_t value = 0;
  for (char16_t c : text) {
    int digit = HexDigit(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::u16string_view TrimSpaces(std::u16string_view s) {
  std::size_t first = s.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(u' ') - first + 1);
}

std::vector<std::uint8_t> StringData(std::u16string_view text) {
  std::vector<std::uint8_t> data;
  data.reserve(text.size() * 2 + 2);
  for (char16_t c : text) {
    data.push_back(static_cast<std::uint8_t>(c & 0xFF));
    data.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  data.push_back(0);  // the byte count includes the terminator, as RegSetValueExW asks
  data.push_back(0);
  return data;
}

// One two-digit pair every three characters: "0A 1F" -> 0A, 1F.
std::vector<std::uint8_t> BinaryData(std::u16string_view text) {
  text = TrimSpaces(text);
  std::vector<std::uint8_t> data;
  for (std::size_t i = 0; i < text.size() && data.size() < kMaxBinaryBytes; i += 3) {
    // Two hex digits never exceed one byte.
    data.push_back(static_cast<std::uint8_t>(*LeadingHex(text.substr(i, 2))));
  }
  return data;
}

std::optional<std::vector<std::uint8_t>> DwordData(std::u16string_view text) {
  std::optional<std::uint32_t> value = LeadingHex(TrimSpaces(text));
  if (!value) return std::nullopt;
  return std::vector<std::uint8_t>{
      static_cast<std::uint8_t>(*value), static_cast<std::uint8_t>(*value >> 8),
      static_cast<std::uint8_t>(*value >> 16), static_cast<std::uint8_t>(*value >> 24)};
}

std::u16string StartAtLogInName(std::u16string_view program_path) {
  std::u16string name = FileNameOf(program_path);
  std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string::npos) name.resize(dot);
  return name;
}

}  // namespace

bool SetRegValue(Registry& registry, RegistryRoot root, std::u16string_view sub_key,
                 std::u16string_view name, std::uint32_t type, std::u16string_view text) {
  if (text.empty()) text = u" ";
  RegistryValue value;
  value.type = type;
  switch (type) {
    case kRegSz:
    case kRegExpandSz:
      value.data = StringData(text);
      break;
    case kRegBinary:
      value.data = BinaryData(text);
      break;
    case kRegDword: {
      auto data = DwordData(text);
      if (!data) return false;
      value.data = std::move(*data);
      break;
    }
    default:
      return false;
  }
  return registry.SetValue(root, std::u16string(sub_key), std::u16string(name), value);
}

std::optional<std::u16string> GetRegString(Registry& registry, RegistryRoot root,
                                           std::u16string_view sub_key, std::u16string_view name) {
  std::optional<RegistryValue> value =
      registry.GetValue(root, std::u16string(sub_key), std::u16string(name));
  if (!value || value->type != kRegSz) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
    text += static_cast<char16_t>(value->data[i] | (value->data[i + 1] << 8));
  }
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

void DeleteRegValue(Registry& registry, RegistryRoot root, std::u16string_view sub_key,
                    std::u16string_view name) {
  if (name.empty() && sub_key.empty()) return;
  registry.DeleteValue(root, std::u16string(sub_key), std::u16string(name));
}

void RegisterStartAtLogIn(Registry& registry, std::u16string_view program_path) {
  // Quoted so that a folder with blanks can never start a different program.
  std::u16string data(u"\"");
  data.append(program_path).push_back(u'"');
  SetRegValue(registry, RegistryRoot::kCurrentUser, kRunKey, StartAtLogInName(program_path), kRegSz,
              data);
}

void UnregisterStartAtLogIn(Registry& registry, std::u16string_view program_path) {
  DeleteRegValue(registry, RegistryRoot::kCurrentUser, kRunKey, StartAtLogInName(program_path));
}

}  // namespace velmo
