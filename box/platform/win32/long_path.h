// Paths past MAX_PATH for the W functions, which take them only in the "\\?\" form.
#pragma once

#include <windows.h>

#include <string>

namespace velmo {

// `path` as it is when every W function takes it; longer, its full form behind "\\?\" (up to
// 32,767 characters). That form is passed on as it stands, with no "." or ".." resolved and no
// "/" turned into "\", so it is made from GetFullPathNameW, which does both.
inline std::wstring LongPath(std::wstring path) {
  // A folder's own limit is 12 below MAX_PATH, room for an 8.3 name inside it.
  if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0 ||
      path.rfind(L"\\\\.\\", 0) == 0) {
    return path;
  }
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(n);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return path;
}

}  // namespace velmo
