// Registry values written from text, and start at log-in through the current user's Run key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "box/platform/registry.h"

namespace velmo {

inline constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// REG_SZ / REG_EXPAND_SZ: the text (UTF-16, NUL-terminated). REG_BINARY: one hex pair every
// three characters of the trimmed text, at most 1025 bytes. REG_DWORD: the text as one hex
// number. An empty text counts as one blank. False for other types or a failed write.
bool SetRegValue(Registry& registry, RegistryRoot root, std::u16string_view sub_key,
                 std::u16string_view name, std::uint32_t type, std::u16string_view text);
void DeleteRegValue(Registry& registry, RegistryRoot root, std::u16string_view sub_key,
                    std::u16string_view name);
// A REG_SZ value's text without its closing NUL; nullopt for a missing value or another type.
std::optional<std::u16string> GetRegString(Registry& registry, RegistryRoot root,
                                           std::u16string_view sub_key, std::u16string_view name);

// The value is named after the program file without extension; its data is the quoted full path.
void RegisterStartAtLogIn(Registry& registry, std::u16string_view program_path);
void UnregisterStartAtLogIn(Registry& registry, std::u16string_view program_path);

}  // namespace velmo
