// The save dialog, CutdSave and the save settings file (截屏.ini beside the program).
#include "screenshot/platform/win32/save_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "screenshot/platform/win32/picture_file.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/save_settings.h"

namespace shot {
namespace {

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(n);
  return path;
}

std::wstring ProgramFolder() {
  std::wstring path = ProgramPath();
  size_t sep = path.find_last_of(L"\\/");
  return sep == std::wstring::npos ? std::wstring() : path.substr(0, sep);
}

// "<program folder>\截屏.ini", named after the program.
std::wstring SettingsPath() {
  std::wstring path = ProgramPath();
  size_t sep = path.find_last_of(L"\\/");
  size_t dot = path.rfind(L'.');
  if (dot != std::wstring::npos && (sep == std::wstring::npos || dot > sep)) path.resize(dot);
  return path + L".ini";
}

std::u16string U16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring Wstr(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring PicturesFolder() {
  // Loaded on first use, like the dialog library, which loads it anyway.
  HMODULE shell = LoadLibraryW(L"shell32.dll");
  HMODULE ole = LoadLibraryW(L"ole32.dll");
  std::wstring folder;
  auto known = reinterpret_cast<HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*)>(
      reinterpret_cast<void*>(shell ? GetProcAddress(shell, "SHGetKnownFolderPath") : nullptr));
  auto free_memory = reinterpret_cast<void(WINAPI*)(LPVOID)>(
      reinterpret_cast<void*>(ole ? GetProcAddress(ole, "CoTaskMemFree") : nullptr));
  PWSTR path = nullptr;
  if (known && free_memory) {
    // The path is allocated even when the call fails, and must be freed either way.
    if (SUCCEEDED(known(FOLDERID_Pictures, 0, nullptr, &path))) folder = path;
    free_memory(path);
  }
  if (ole) FreeLibrary(ole);
  if (shell) FreeLibrary(shell);
  return folder;
}

SaveSettings ReadSettings() {
  HANDLE file = CreateFileW(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(4096, '\0');  // a folder path and a type: a bigger file is not ours
  DWORD got = 0;
  const bool read = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  if (!read) return {};
  bytes.resize(got);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  // UTF-8 only: a file with other bytes is left aside, not half read.
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                      text.data(), n);
  return ParseSaveSettings(U16(text));
}

// Written beside the file under a temporary name, flushed and moved over it: a crash leaves
// the old settings or the new ones, never half of them. A folder that cannot be written (the
// program under Program Files) keeps no settings, and nothing else changes.
void WriteSettings(const SaveSettings& settings) {
  const std::wstring text = Wstr(FormatSaveSettings(settings));
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string bytes = "\xEF\xBB\xBF";  // a BOM, so that Notepad reads it as UTF-8
  bytes.resize(3 + static_cast<size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data() + 3, n,
                      nullptr, nullptr);
  const std::wstring path = SettingsPath(), temporary = path + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!ok || !MoveFileExW(temporary.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
  }
}

}  // namespace

std::optional<SaveChoice> AskSaveFileName(HWND owner) {
  const SaveSettings settings = ReadSettings();
  std::wstring folder = Wstr(settings.folder);
  if (folder.empty() || !IsFolder(folder)) folder = PicturesFolder();
  if (folder.empty() || !IsFolder(folder)) folder = ProgramFolder();
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';  // "C:" alone is not the root
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::wstring suggested = Wstr(SuggestedFileName(
      {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}, settings.format));
  const std::u16string filter = SaveDialogFilter();
  const std::wstring extension = Wstr(ExtensionOf(settings.format));
  // The name with its folder: the dialog opens there (a bare initial folder can lose to the
  // folder the system last remembers for the program) and shows the name alone.
  const std::wstring initial = folder + suggested;
  // Room for long paths; the documented dialog had 255 characters.
  std::vector<wchar_t> name(32768, L'\0');
  initial.copy(name.data(), name.size() - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = W(filter.c_str());
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndexFor(settings.format));
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = W(kSaveTitle);
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_EXPLORER;
  // Loaded on first use: the dialog library and what it pulls in would slow every start-up.
  HMODULE library = LoadLibraryW(L"comdlg32.dll");
  auto ask = reinterpret_cast<BOOL(WINAPI*)(OPENFILENAMEW*)>(
      reinterpret_cast<void*>(library ? GetProcAddress(library, "GetSaveFileNameW") : nullptr));
  const bool chosen = ask && ask(&ofn);
  if (library) FreeLibrary(library);
  if (!chosen) return std::nullopt;
  SaveChoice choice{std::wstring(name.data()), PictureFormat::kPng};
  choice.format = FormatForSave(U16(choice.path), static_cast<int>(ofn.nFilterIndex));
  return choice;
}

SaveResult CutdSave(HWND owner, const std::vector<std::uint8_t>& picture) {
  std::optional<SaveChoice> choice = AskSaveFileName(owner);
  if (!choice) return SaveResult::kCancelled;
  if (!WritePicture(choice->path, picture, choice->format)) return SaveResult::kFailed;
  WriteSettings({std::u16string(FolderOf(U16(choice->path))), choice->format});
  return SaveResult::kSaved;
}

}  // namespace shot
