// Running processes through the system's process list, and the logical drives.
#include <windows.h>
#include <winternl.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

using QueryFunction = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

}  // namespace

// The process list straight from the kernel: a Toolhelp snapshot asks for the same list and
// copies it into a section first, which under Wine costs three times as much per tick.
std::vector<std::u16string> Win32Processes::RunningImageNames() {
  static const auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return {};
  NTSTATUS status = kLengthMismatch;
  // Processes may start between a call that asks for the size and the next one.
  for (int attempt = 0; attempt < 4 && status == kLengthMismatch; ++attempt) {
    ULONG needed = 0;
    status = query(SystemProcessInformation, buffer_.data(), static_cast<ULONG>(buffer_.size()),
                   &needed);
    if (status == kLengthMismatch) buffer_.resize(std::max<std::size_t>(needed, buffer_.size()) * 2);
  }
  if (!NT_SUCCESS(status)) return {};
  std::vector<std::u16string> names;
  for (std::size_t offset = 0;;) {
    const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer_.data() + offset);
    const UNICODE_STRING& image = entry->ImageName;
    if (image.Buffer && image.Length > 0) {
      names.push_back(Narrow16(std::wstring_view(image.Buffer, image.Length / sizeof(wchar_t))));
    }
    if (entry->NextEntryOffset == 0) break;
    offset += entry->NextEntryOffset;
  }
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
