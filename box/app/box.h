// The whole box: the main window model with every subsystem's pages wired together, and the
// start-up and shut-down sequence. The program's entry point makes the services and one Box.
#pragma once

#include <cstdint>
#include <optional>

#include "box/app/app.h"
#include "box/cleaner/cleaner_page.h"
#include "box/clock/clock_page.h"
#include "box/clock/notes_page.h"
#include "box/command/command_pages.h"
#include "box/command/preview_panel.h"
#include "box/command/tools_page.h"
#include "box/lookups/lookup_pages.h"
#include "box/music/music_page.h"
#include "box/shell/hotkeys.h"
#include "box/shell/main_window.h"
#include "box/shell/mini_window.h"
#include "box/shell/options_page.h"
#include "box/system/key_intercept.h"

namespace velmo {

class Box {
 public:
  Box(BoxState& state, Services& services);

  // Folders, lists and settings, then each page's own start-up; the window model is then ready
  // to be shown. The checks of DATA follow the window's first picture.
  void Startup();
  // A close request: lists, keyboard hook, start at log-in, settings. When a change could not be
  // written the box says so and stays (nullopt), unless this is the second close within a few
  // seconds. Otherwise a running clean is stopped, the sound device closed, and the exit code
  // comes back (0 when every file was written) for the caller to end the process with.
  std::optional<int> Close();
  // The end of the Windows session, which cannot wait for the user: as Close, and the changed
  // lists that could not be written go to the recovery folder.
  int EndSession();

  MainWindow& window() { return window_; }
  MiniWindow& mini() { return mini_; }
  Hotkeys& hotkeys() { return hotkeys_; }
  DataSaver& saver() { return app_.saver(); }

 private:
  void End();

  Services& services_;
  MainWindow window_;
  CommandPages commands_;
  PreviewPanel preview_;
  LookupPages lookups_;
  OptionsPage options_;
  KeyIntercept key_intercept_;
  MusicPage music_;
  CleanerPage cleaner_;
  ToolsPage tools_;
  NotesPage notes_;
  ClockPage clock_;
  MiniWindow mini_;
  Hotkeys hotkeys_;
  App app_;
  std::optional<std::int64_t> held_close_ms_;  // when a close was last refused
};

}  // namespace velmo
