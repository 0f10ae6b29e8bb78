// Starting programs with CreateProcessW and opening targets with ShellExecuteExW.
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

namespace {

bool Start(const std::wstring& application, std::wstring command_line, WindowStyle style) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow =
      static_cast<WORD>(style == WindowStyle::kMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  PROCESS_INFORMATION process{};
  // CreateProcessW may write into the command line: it needs its own buffer.
  command_line.push_back(L'\0');
  if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), command_line.data(),
                      nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return process.dwProcessId != 0;
}

std::u16string SystemFolder() {
  wchar_t buffer[MAX_PATH];
  UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Narrow16(std::wstring_view(buffer, n)) : u"C:\\Windows\\System32";
}

void HandToShell(const std::u16string& target, const std::u16string& parameters) {
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
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

bool Win32Launcher::StartCommandLine(const std::u16string& command_line, WindowStyle style) {
  // An empty or blank line names no program; CreateProcessW would fail on it anyway.
  if (command_line.find_first_not_of(u" \t") == std::u16string::npos) return false;
  return Start(std::wstring(), Wide(command_line), style);
}

bool Win32Launcher::StartProgramFile(const std::u16string& path, WindowStyle style) {
  if (path.empty()) return false;
  ProgramFileStart start = PlanProgramFileStart(path, SystemFolder());
  return Start(Wide(start.application), Wide(start.command_line), style);
}

void Win32Launcher::OpenWithShell(const std::u16string& target) { HandToShell(target, u""); }

void Win32Launcher::StartWithShell(const std::u16string& program, const std::u16string& arguments) {
  HandToShell(program, arguments);
}

}  // namespace velmo
