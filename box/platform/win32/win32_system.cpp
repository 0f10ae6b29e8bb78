// Instance lock, screen and clock.
#include <windows.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

Win32InstanceLock::~Win32InstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

bool Win32InstanceLock::Acquire(const std::u16string& name) {
  // Local\ scopes the lock to the user's session, like one box per desktop.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, Wide(u"Local\\" + name).c_str());
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  return true;
}

int Win32Screen::Dpi() {
  return static_cast<int>(window_ ? GetDpiForWindow(window_) : GetDpiForSystem());
}
int Win32Screen::WidthPixels() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Screen::HeightPixels() { return GetSystemMetrics(SM_CYSCREEN); }

std::vector<PixelRect> Win32Screen::WorkAreas() {
  std::vector<PixelRect> areas;
  auto add = [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
      auto& out = *reinterpret_cast<std::vector<PixelRect>*>(data);
      PixelRect r{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
      if (info.dwFlags & MONITORINFOF_PRIMARY) {
        out.insert(out.begin(), r);
      } else {
        out.push_back(r);
      }
    }
    return TRUE;
  };
  EnumDisplayMonitors(nullptr, nullptr, add, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

PixelPoint Win32Screen::CursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::int64_t Win32Clock::MonotonicMs() { return static_cast<std::int64_t>(GetTickCount64()); }

std::u16string Win32Clock::TimeText(const LocalTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  wchar_t text[64];
  int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 64);
  return n > 1 ? std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(n - 1))
               : std::u16string();
}

std::u16string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  // The path as the file system knows it: started through an 8.3 name ("C:\PROGRA~1\...") or
  // a subst drive, the box still knows its folder by the names that folder listings give, and
  // the start at log-in names a drive that exists at log-in.
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Narrow16(path);
  std::wstring final_path(32768, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file, final_path.data(), static_cast<DWORD>(final_path.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(file);
  if (n == 0 || n >= final_path.size()) return Narrow16(path);
  final_path.resize(n);
  if (final_path.rfind(L"\\\\?\\UNC\\", 0) == 0) return Narrow16(L"\\\\" + final_path.substr(8));
  if (final_path.rfind(L"\\\\?\\", 0) == 0) return Narrow16(final_path.substr(4));
  return Narrow16(final_path);
}

}  // namespace velmo
