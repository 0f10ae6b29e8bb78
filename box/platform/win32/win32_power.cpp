// Sleep through SetSuspendState of the system's powrprof.dll. "rundll32 powrprof.dll
// SetSuspendState" would hand rundll32's own arguments over as the function's flags, which
// hibernates a PC whose hibernation is on.
#include <windows.h>

#include <thread>

#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN hibernate, BOOLEAN force,
                                           BOOLEAN wake_up_events_disabled);

// The call needs the shutdown privilege, which a user's token holds but leaves disabled.
void EnableShutdownPrivilege() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  }
  CloseHandle(token);
}

}  // namespace

bool Win32Power::Suspend() {
  HMODULE library = LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  auto suspend = library ? reinterpret_cast<SetSuspendStateFn>(
                               reinterpret_cast<void*>(GetProcAddress(library, "SetSuspendState")))
                         : nullptr;
  if (!suspend) return false;
  EnableShutdownPrivilege();
  // The call returns only when the PC wakes up; meanwhile the window answers the system's
  // notice that it is going to sleep.
  std::thread([suspend] { suspend(FALSE, FALSE, FALSE); }).detach();
  return true;
}

}  // namespace velmo
