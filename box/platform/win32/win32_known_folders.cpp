// Known folders through the shell; the temporary folder through GetTempPathW.
#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

std::optional<std::u16string> TempFolder() {
  std::wstring path(MAX_PATH + 1, L'\0');
  DWORD n = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
  if (n > path.size()) {  // too small: n is the size it needs
    path.resize(n);
    n = GetTempPathW(n, path.data());
  }
  if (n == 0 || n > path.size()) return std::nullopt;
  path.resize(n);
  return Narrow16(path);
}

std::optional<std::u16string> ShellFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::optional<std::u16string> folder;
  if (SUCCEEDED(result) && path) folder = Narrow16(path);
  // The shell may hand back memory even when it fails.
  CoTaskMemFree(path);
  return folder;
}

}  // namespace

std::optional<std::u16string> Win32KnownFolders::Get(KnownFolder which) {
  const KNOWNFOLDERID* id = nullptr;
  switch (which) {
    case KnownFolder::kCommonPrograms:
      id = &FOLDERID_CommonPrograms;
      break;
    case KnownFolder::kWindows:
      id = &FOLDERID_Windows;
      break;
    case KnownFolder::kProgramFiles:
      // The 64-bit folder, as this is a 64-bit process; a 32-bit one would be given the other.
      id = &FOLDERID_ProgramFiles;
      break;
    case KnownFolder::kProgramFilesX86:
      id = &FOLDERID_ProgramFilesX86;
      break;
    case KnownFolder::kProgramData:
      id = &FOLDERID_ProgramData;
      break;
    case KnownFolder::kRecent:
      id = &FOLDERID_Recent;
      break;
    case KnownFolder::kCookies:
      id = &FOLDERID_Cookies;
      break;
    case KnownFolder::kLocalAppData:
      id = &FOLDERID_LocalAppData;
      break;
    case KnownFolder::kInternetCache:
      id = &FOLDERID_InternetCache;
      break;
    case KnownFolder::kTemp:
      break;
  }
  std::optional<std::u16string> folder = id ? ShellFolder(*id) : TempFolder();
  while (folder && !folder->empty() && folder->back() == u'\\') folder->pop_back();
  if (folder && folder->empty()) return std::nullopt;
  return folder;
}

}  // namespace velmo
