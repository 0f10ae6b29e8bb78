// Running processes through a Toolhelp snapshot, and the logical drives.
#include <windows.h>
#include <tlhelp32.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {

std::vector<std::u16string> Win32Processes::RunningImageNames() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return {};
  std::vector<std::u16string> names;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    names.push_back(Narrow16(entry.szExeFile));
  }
  CloseHandle(snapshot);
  return names;
}

std::vector<std::u16string> Win32Processes::LogicalDrives() {
  // The answer is "C:\<NUL>D:\<NUL><NUL>". A drive may appear between the call that asks for
  // the size and the one that fills the buffer, so a size asked for again is tried again.
  std::wstring buffer;
  DWORD length = GetLogicalDriveStringsW(0, nullptr);
  for (int attempt = 0; attempt < 4 && length > buffer.size(); ++attempt) {
    buffer.assign(length, L'\0');
    length = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  if (length == 0 || length > buffer.size()) return {};
  std::vector<std::u16string> drives;
  std::wstring_view rest(buffer.data(), length);
  while (!rest.empty()) {
    std::size_t end = rest.find(L'\0');
    if (end == std::wstring_view::npos) end = rest.size();
    if (end > 0) drives.push_back(Narrow16(rest.substr(0, end)));
    rest.remove_prefix(end == rest.size() ? end : end + 1);
  }
  return drives;
}

}  // namespace velmo
