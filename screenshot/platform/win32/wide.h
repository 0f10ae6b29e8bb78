// UTF-16 text of the portable code (char16_t) as the W functions want it (wchar_t).
#pragma once

#include <string>
#include <string_view>

namespace shot {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

inline const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline std::wstring Wide(std::u16string_view s) {
  return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}

}  // namespace shot
