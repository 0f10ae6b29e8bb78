// Asks a window to close, as the taskbar's "close window" does: WM_CLOSE, posted. Tests close
// the box this way rather than with a synthetic Alt+F4, whose key-ups Wine never sees once the
// window has gone; the keys it then believes held can close the next box that starts.
//   close_window.exe <window title, the whole rest of the command line>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR title, int) {
  HWND window = FindWindowW(nullptr, title);
  if (!window) return 3;
  return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
