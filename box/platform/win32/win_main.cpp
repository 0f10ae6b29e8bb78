// VelmoBox.exe: creating the main window is start-up, closing it is the end of the process.
#include <windows.h>

#include "box/app/box.h"
#include "box/platform/win32/startup_trace.h"
#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_service_set.h"
#include "box/platform/win32/window_host.h"
#include "box/storage/text_codec.h"
#include "version.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  velmo::MarkStartup("main");
  // Libraries loaded by name (the rich text, the dialogs, the delay-loaded COM and shell
  // libraries) come from the system folder only, never from a copy planted beside the program.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // A drive with no disk in it (an empty card reader) fails the call that touched it; the
  // system shows no box for it, from the window or the cleaner's worker.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  using namespace velmo;
  Win32InstanceLock instance_lock;
  // A second instance ends here, before it builds a window, creates a folder or reads a file.
  if (!App::AcquireInstance(instance_lock)) return 0;
  Win32ServiceSet platform(MakeSapiVoice);

  BoxState state;
  state.program_path = ProgramPath();
  state.program_folder = state.program_path.substr(0, state.program_path.find_last_of(u'\\'));
  state.version = Utf8ToUtf16(VELMO_VERSION_TEXT);

  Box box(state, platform.services);
  velmo::MarkStartup("built");
  box.Startup();
  velmo::MarkStartup("loaded");
  // Nothing runs after the settings are written: every window and timer goes with the process.
  // The exit code says whether everything was saved. A close that could not write a change
  // leaves the box running, and saying so.
  auto close = [&box](bool session_ends) {
    if (session_ends) ExitProcess(static_cast<UINT>(box.EndSession()));
    if (std::optional<int> code = box.Close()) ExitProcess(static_cast<UINT>(*code));
  };
  WindowHost host(box.window(), close);
  // The badge stands in for the box: closing it closes the box.
  WindowHost mini_host(box.mini(), close);
  mini_host.CreateWhenShown();
  if (!host.Create()) return 1;
  velmo::MarkStartup("shown");
  host.SyncAlso(mini_host);
  mini_host.SyncAlso(host);
  platform.screen.set_window(host.hwnd());
  platform.clipboard.set_owner(host.hwnd());
  platform.hotkeys.set_after_press([&host] { host.Sync(); });
  return host.Run();
}
