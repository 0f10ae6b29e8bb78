// Holds a file open without sharing, as a sync tool or a virus scanner does, until a window of
// the given title has shown (a minute at most): meanwhile no other program can read, write or
// replace it. Prints "held" once it holds the file.
//   hold_file.exe <window title, no spaces> <path, the whole rest of the command line>
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  std::wstring line(args);
  std::size_t space = line.find(L' ');
  if (space == std::wstring::npos) return 2;
  std::wstring title = line.substr(0, space);
  std::wstring path = line.substr(space + 1);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  for (int i = 0; i < 1200 && !FindWindowW(nullptr, title.c_str()); ++i) Sleep(50);
  CloseHandle(file);
  return 0;
}
