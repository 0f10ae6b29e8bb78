// Asks a window to close, as the taskbar's "close window" does: WM_CLOSE, posted. Tests close
// the box this way rather than with a synthetic Alt+F4, whose key-ups Wine never sees once the
// window has gone; the keys it then believes held can close the next box that starts.
//   close_window.exe <window title, the whole rest of the command line, quotes around it dropped>
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR line, int) {
  std::wstring title = line;
  if (title.size() >= 2 && title.front() == L'"' && title.back() == L'"') {
    title = title.substr(1, title.size() - 2);
  }
  HWND window = FindWindowW(nullptr, title.c_str());
  if (!window) return 3;
  return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
