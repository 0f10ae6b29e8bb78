// Every platform service of the box in its Windows implementation, bundled as the box's
// Services. The instance lock is not among them: only the program takes it, before any of these.
#pragma once

#include <utility>

#include "box/platform/win32/win32_services.h"
#include "box/shell/box_state.h"

namespace velmo {

struct Win32ServiceSet {
  // `make_voice` runs on the speech thread. `stand_in_dialogs`, when given, answers in place of
  // the common dialogs (a bench that scripts a file dialog); it must outlive the set.
  explicit Win32ServiceSet(SpeechThread::VoiceMaker make_voice, Dialogs* stand_in_dialogs = nullptr)
      : speech(std::move(make_voice)),
        services{files,
                 registry,
                 speech,
                 screen,
                 clock,
                 launcher,
                 stand_in_dialogs ? *stand_in_dialogs : dialogs,
                 clipboard,
                 processes,
                 known_folders,
                 media,
                 recycle_bin,
                 keyboard_hook,
                 power,
                 hotkeys,
                 icons} {}
  Win32ServiceSet(const Win32ServiceSet&) = delete;  // `services` refers to the members
  Win32ServiceSet& operator=(const Win32ServiceSet&) = delete;

  Win32FileSystem files;
  Win32Registry registry;
  SpeechThread speech;
  Win32Screen screen;
  Win32Clock clock;
  Win32Launcher launcher;
  Win32Dialogs dialogs;
  Win32Clipboard clipboard;
  Win32Processes processes;
  Win32KnownFolders known_folders;
  Win32MediaEngine media;
  Win32RecycleBin recycle_bin;
  Win32KeyboardHook keyboard_hook;
  Win32Power power;
  Win32GlobalHotkeys hotkeys;
  Win32FileIcons icons;
  Services services;
};

}  // namespace velmo
