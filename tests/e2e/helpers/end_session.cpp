// Tells a window that the user logs off, as Windows does: WM_QUERYENDSESSION, then
// WM_ENDSESSION. Exit code 0 when the window agreed to end the session.
//   end_session.exe <window title, the whole rest of the command line>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR title, int) {
  HWND window = FindWindowW(nullptr, title);
  if (!window) return 3;
  DWORD_PTR agreed = 0;
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                      &agreed);
  if (!agreed) return 1;
  SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return 0;
}
