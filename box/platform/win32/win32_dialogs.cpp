// The open-file dialog through GetOpenFileNameW; the error and question boxes through
// MessageBoxW.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <vector>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

// comdlg32 brings the printing stack with it (several MB under Wine): it is loaded when a
// dialog is first shown, not at start-up.
BOOL ShowOpenDialog(OPENFILENAMEW* ofn) {
  static const auto open = reinterpret_cast<decltype(&GetOpenFileNameW)>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"comdlg32.dll"), "GetOpenFileNameW")));
  return open && open(ofn);
}

}  // namespace

std::optional<std::u16string> Win32Dialogs::OpenFile(const OpenFileRequest& request) {
  // Room for long paths; the dialog fails rather than truncating.
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring folder = Wide(request.initial_folder);
  std::wstring title = Wide(request.title);
  // The dialog takes the filter's parts ended by NUL, and the list by a second NUL.
  std::wstring filter = Wide(request.filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  if (!filter.empty()) filter += std::wstring(2, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.Flags = OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  if (!request.follow_shortcuts) ofn.Flags |= OFN_NODEREFERENCELINKS;
  if (!ShowOpenDialog(&ofn)) return std::nullopt;
  return Narrow16(std::wstring_view(file.data()));
}

void Win32Dialogs::ShowError(const std::u16string& text, const std::u16string& title) {
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(), MB_ICONERROR | MB_OK);
}

bool Win32Dialogs::Ask(const std::u16string& text, const std::u16string& title) {
  return MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(),
                     MB_ICONQUESTION | MB_YESNO) == IDYES;
}

}  // namespace velmo
