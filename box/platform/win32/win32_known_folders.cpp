// Known folders through the shell.
#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

std::optional<std::u16string> Win32KnownFolders::CommonPrograms() {
  PWSTR path = nullptr;
  HRESULT result = SHGetKnownFolderPath(FOLDERID_CommonPrograms, 0, nullptr, &path);
  std::optional<std::u16string> folder;
  if (SUCCEEDED(result) && path) folder = Narrow16(path);
  // The shell may hand back memory even when it fails.
  CoTaskMemFree(path);
  if (folder && folder->empty()) return std::nullopt;
  return folder;
}

}  // namespace velmo
