// What the box holds in memory while it runs, and the services it runs on.
#pragma once

#include <string>
#include <vector>

#include "box/platform/clipboard.h"
#include "box/platform/clock.h"
#include "box/platform/dialogs.h"
#include "box/platform/file_icons.h"
#include "box/platform/files.h"
#include "box/platform/global_hotkeys.h"
#include "box/platform/keyboard_hook.h"
#include "box/platform/known_folders.h"
#include "box/platform/launcher.h"
#include "box/platform/media_engine.h"
#include "box/platform/power.h"
#include "box/platform/processes.h"
#include "box/platform/recycle_bin.h"
#include "box/platform/registry.h"
#include "box/platform/screen.h"
#include "box/platform/speech.h"
#include "box/storage/dictionary_files.h"
#include "box/storage/list_files.h"
#include "box/storage/settings.h"
#include "box/storage/settings_file.h"
#include "box/storage/usage_file.h"

namespace velmo {

struct Services {
  FileSystem& files;
  Registry& registry;
  Speech& speech;
  Screen& screen;
  Clock& clock;
  Launcher& launcher;
  Dialogs& dialogs;
  Clipboard& clipboard;
  Processes& processes;
  KnownFolders& known_folders;
  MediaEngine& media;
  RecycleBin& recycle_bin;
  KeyboardHook& keyboard_hook;
  Power& power;
  GlobalHotkeys& hotkeys;
  FileIcons& icons;
};

// A message for the message panel.
struct Notice {
  std::u16string text;
  std::u16string title;
};

struct BoxState {
  std::u16string program_path;    // full path of VelmoBox.exe
  std::u16string program_folder;  // its folder, no trailing backslash
  std::u16string version;         // "major.minor.0.revision"

  // The lists are the only in-memory copy between start-up and shut-down.
  UserLists lists;
  // How often and how lately each item was launched through the command box (Usage.sd).
  UsageFile usage;
  Settings settings;  // the live copy of the twelve switches
  SettingsDocument settings_file;
  // Loaded while the window starts: read them through english() and chinese(), which wait.
  Dictionaries dictionaries;
  // Image names of the programs that pause the music while they run ("game.exe"), in the order
  // added; kept in config.ini.
  std::vector<std::u16string> pause_list;
  bool sound_muted = false;  // the drawer's sound button; mutes the speech routine
  // The two global hotkeys as config.ini holds them; empty turns one off.
  HotkeySettings hotkeys;
  // What start-up found wrong with the files of DATA; the window says it once when not empty.
  Notice startup_notice;
};

// Speaks unless the drawer's sound button has muted the box. A missing or failing speech
// engine means silence, never an error.
inline void SpeakText(const BoxState& state, Speech& speech, const std::u16string& text) {
  if (!state.sound_muted) speech.Speak(text);
}

}  // namespace velmo
