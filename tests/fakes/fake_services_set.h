// Every platform service of the box faked, bundled as the box's Services. Test fixtures
// derive from it and reach each fake by its name (files, speech, launcher...).
#pragma once

#include "box/shell/box_state.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_file_icons.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_global_hotkeys.h"
#include "fakes/fake_keyboard_hook.h"
#include "fakes/fake_known_folders.h"
#include "fakes/fake_launcher.h"
#include "fakes/fake_media_engine.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_recycle_bin.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_services.h"

namespace velmo {

struct FakeServiceSet {
  FakeServiceSet() = default;
  FakeServiceSet(const FakeServiceSet&) = delete;  // `services` refers to the members
  FakeServiceSet& operator=(const FakeServiceSet&) = delete;

  FakeFileSystem files;
  FakeRegistry registry;
  FakeSpeech speech;
  FakeScreen screen;
  FakeClock clock;
  FakeLauncher launcher;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeProcesses processes;
  FakeKnownFolders known_folders;
  FakeMediaEngine media;
  FakeRecycleBin recycle_bin{files};
  FakeKeyboardHook keyboard_hook{files};
  FakePower power;
  FakeGlobalHotkeys hotkeys;
  FakeFileIcons icons;
  Services services{files,         registry,  speech,    screen,        clock, launcher,
                    dialogs,       clipboard, processes, known_folders, media, recycle_bin,
                    keyboard_hook, power,     hotkeys,   icons};
};

}  // namespace velmo
