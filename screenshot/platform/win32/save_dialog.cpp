// The save dialog and CutdSave.
#include "screenshot/platform/win32/save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "screenshot/platform/win32/clipboard.h"
#include "screenshot/platform/win32/picture_file.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/save_choice.h"

namespace shot {
namespace {

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(n);
  size_t sep = path.find_last_of(L"\\/");
  return sep == std::wstring::npos ? std::wstring() : path.substr(0, sep);
}

}  // namespace

std::optional<std::wstring> AskSaveFileName(HWND owner) {
  std::u16string filter = SaveDialogFilter();
  std::wstring folder = ProgramFolder();
  // Room for long paths; the documented dialog had 255 characters.
  std::vector<wchar_t> name(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = W(filter.c_str());
  ofn.nFilterIndex = kSaveFilterIndex;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = W(kSaveTitle);
  ofn.lpstrDefExt = W(kSaveDefaultExtension);
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  // Loaded on first use: the dialog library and what it pulls in would slow every start-up.
  HMODULE library = LoadLibraryW(L"comdlg32.dll");
  auto ask = reinterpret_cast<BOOL(WINAPI*)(OPENFILENAMEW*)>(
      reinterpret_cast<void*>(GetProcAddress(library, "GetSaveFileNameW")));
  const bool chosen = ask && ask(&ofn);
  if (library) FreeLibrary(library);
  if (!chosen) return std::nullopt;
  return std::wstring(name.data());
}

SaveResult CutdSave(HWND owner, const std::vector<std::uint8_t>& picture, bool on_clipboard) {
  std::optional<std::wstring> path = AskSaveFileName(owner);
  if (!path) return SaveResult::kCancelled;
  if (!WritePicture(*path, picture)) return SaveResult::kFailed;
  if (on_clipboard) EmptyTheClipboard();
  return SaveResult::kSaved;
}

}  // namespace shot
