// Reading and writing DATA\config.ini as a whole.
#pragma once

#include <string>

#include "box/platform/files.h"
#include "box/storage/ini_file.h"

namespace velmo {

struct SettingsDocument {
  enum class State {
    kMissing,     // no file: every key falls back to its delivered value
    kRead,        // parsed
    kKeptAside,   // could not be read or is not text; copied to path + ".unreadable"
    kUnreadable,  // could not be read nor copied: it stays as it is and is never written
  };
  State state = State::kMissing;
  // The file cannot be written (see FileSystem::CanReplace): no save is attempted.
  bool unwritable = false;
  IniFile ini;
};

// A file that exists but cannot be read as text is copied to path + ".unreadable" at once, so
// that whatever is said about it afterwards is already true.
SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path);
// One atomic write; false without trying for a file that is kUnreadable or unwritable.
bool WriteSettingsFile(FileSystem& fs, const std::u16string& path, const SettingsDocument& doc);

}  // namespace velmo
