// The open-file dialog through GetOpenFileNameW.
#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

std::optional<std::u16string> Win32Dialogs::OpenFile(const OpenFileRequest& request) {
  // Room for long paths; the dialog fails rather than truncating.
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring folder = Wide(request.initial_folder);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  if (!request.follow_shortcuts) ofn.Flags |= OFN_NODEREFERENCELINKS;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  return Narrow16(std::wstring_view(file.data()));
}

}  // namespace velmo
