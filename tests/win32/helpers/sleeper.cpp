// The process tests' subject: a windowless program that does nothing until it is ended, or for a
// minute at most so that a failed test leaves nothing behind for long.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Sleep(60 * 1000);
  return 0;
}
