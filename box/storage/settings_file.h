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
    kUnreadable,  // exists but could not be read or is not text: kept aside before any save
  };
  State state = State::kMissing;
  IniFile ini;
};

SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path);
// One atomic write. An unreadable original is first copied to path + ".unreadable" so that
// nothing the user had is lost.
bool WriteSettingsFile(FileSystem& fs, const std::u16string& path, const SettingsDocument& doc);

}  // namespace velmo
