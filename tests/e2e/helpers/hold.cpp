// Holds what a busy program holds, so that no other program can have it: the clipboard (open,
// its content left alone) or a file (open without sharing). Leaves "<name>.held" once it holds
// it and lets go once "<name>.release" exists, or after a minute.
//   hold.exe clipboard <name>
//   hold.exe file <path, which is also the name>
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR line, int) {
  const std::wstring args = line;
  const size_t space = args.find(L' ');
  if (space == std::wstring::npos) return 2;
  const std::wstring what = args.substr(0, space), name = args.substr(space + 1);
  HANDLE file = INVALID_HANDLE_VALUE;
  if (what == L"clipboard") {
    if (!OpenClipboard(nullptr)) return 1;
  } else if (what == L"file") {
    file = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
  } else {
    return 2;
  }
  CloseHandle(
      CreateFileW((name + L".held").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const std::wstring release = name + L".release";
  for (int i = 0; i < 1200 && GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    Sleep(50);
  }
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
  } else {
    CloseClipboard();
  }
  return 0;
}
