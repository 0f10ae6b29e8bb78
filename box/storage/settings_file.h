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
  IniFile ini;
};

// A file that exists but cannot be read as text is copied to path + ".unreadable" at once, so
// that whatever is said about it afterwards is already true.
SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path);
// The same, but without a file at path the settings are those of delivered_path (the release
// delivers config.ini.default, so that unzipping an update never replaces the user's
// config.ini). The document stays kMissing: the first save writes path. A delivered file that
// cannot be read is not the user's: the delivered values built into the box stand for it.
SettingsDocument ReadSettingsFile(FileSystem& fs, const std::u16string& path,
                                  const std::u16string& delivered_path);
// The file's bytes as saved. A kUnreadable document is never written.
std::string SettingsFileBytes(const SettingsDocument& doc);

}  // namespace velmo
