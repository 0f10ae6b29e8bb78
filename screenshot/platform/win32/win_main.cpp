// Entry point of 截屏.exe.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "screenshot/platform/win32/fonts.h"
#include "screenshot/platform/win32/shot_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Libraries loaded by name (GDI+, the dialogs, the common controls) come from the system
  // folder only, never from a copy planted beside the program.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The manifest asks for per-monitor awareness; this covers a program started without it.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  shot::IconFontResource icon_font;
  const char* timing = std::getenv("VELMO_TIMING");
  shot::ShotApp app(instance, timing && std::strcmp(timing, "1") == 0);
  return app.Run();
}
