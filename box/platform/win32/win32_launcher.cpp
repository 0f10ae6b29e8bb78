// Starting programs with CreateProcessW and opening targets with ShellExecuteExW.
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

namespace {

int ShowCommand(WindowStyle style) {
  return style == WindowStyle::kMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
}

bool HandToShell(const std::u16string& target, const std::u16string& parameters, int show) {
  // The shell may hand the target to COM servers: it wants an apartment on this thread.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::wstring file = Wide(target);
  std::wstring arguments = Wide(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // Wait for the hand-over to finish: the box may be closed right after.
  info.fMask = SEE_MASK_NOASYNC;
  info.hwnd = GetActiveWindow();
  info.lpFile = file.c_str();
  info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
  info.nShow = show;
  bool started = ShellExecuteExW(&info) != FALSE;
  if (SUCCEEDED(com)) CoUninitialize();
  return started;
}

std::u16string FolderFrom(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH];
  UINT n = get(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Narrow16(std::wstring_view(buffer, n)) : std::u16string();
}

}  // namespace

bool Win32Launcher::StartCommandLine(const std::u16string& command_line, WindowStyle style) {
  return LaunchCommandLine(*this, command_line, style);
}

bool Win32Launcher::StartProgramFile(const std::u16string& path, WindowStyle style) {
  return LaunchProgramFile(*this, path, style);
}

void Win32Launcher::OpenWithShell(const std::u16string& target) {
  HandToShell(target, u"", SW_SHOWNORMAL);
}

std::uint32_t Win32Launcher::StartProcess(const std::u16string& application,
                                          const std::u16string& command_line, WindowStyle style) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(ShowCommand(style));
  PROCESS_INFORMATION process{};
  // CreateProcessW may write into the command line: it needs its own buffer.
  std::wstring line = Wide(command_line);
  line.push_back(L'\0');
  if (!CreateProcessW(application.empty() ? nullptr : W(application), line.data(), nullptr,
                      nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

bool Win32Launcher::StartThroughShell(const std::u16string& program,
                                      const std::u16string& parameters, WindowStyle style) {
  return HandToShell(program, parameters, ShowCommand(style));
}

std::vector<std::u16string> Win32Launcher::SearchFolders() {
  std::vector<std::u16string> folders = {FolderFrom(GetSystemDirectoryW),
                                         FolderFrom(GetWindowsDirectoryW)};
  if (folders.front().empty()) folders.front() = u"C:\\Windows\\System32";
  DWORD n = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  std::wstring path(n, L'\0');
  n = n > 0 ? GetEnvironmentVariableW(L"PATH", path.data(), n) : 0;
  path.resize(n);
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find(L';', start);
    if (end == std::wstring::npos) end = path.size();
    std::u16string folder = Narrow16(std::wstring_view(path).substr(start, end - start));
    if (folder.size() >= 2 && folder.front() == u'"' && folder.back() == u'"') {
      folder = folder.substr(1, folder.size() - 2);
    }
    // A relative entry (".") would be the current folder again.
    if (IsFullPath(folder)) folders.push_back(std::move(folder));
    start = end + 1;
  }
  return folders;
}

bool Win32Launcher::IsFile(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(W(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace velmo
