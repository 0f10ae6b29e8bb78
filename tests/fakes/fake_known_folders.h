// Known folders as a test sets them; a folder missing from the map is one the system does not
// name.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "box/platform/known_folders.h"

namespace velmo {

class FakeKnownFolders final : public KnownFolders {
 public:
  std::optional<std::u16string> Get(KnownFolder folder) override {
    auto it = folders.find(folder);
    if (it == folders.end()) return std::nullopt;
    return it->second;
  }

  std::map<KnownFolder, std::u16string> folders = {
      {KnownFolder::kCommonPrograms, u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {KnownFolder::kWindows, u"C:\\Windows"},
      {KnownFolder::kProgramFiles, u"C:\\Program Files"},
      {KnownFolder::kProgramFilesX86, u"C:\\Program Files (x86)"},
      {KnownFolder::kProgramData, u"C:\\ProgramData"},
      {KnownFolder::kTemp, u"C:\\Users\\Me\\AppData\\Local\\Temp"},
      {KnownFolder::kRecent, u"C:\\Users\\Me\\AppData\\Roaming\\Microsoft\\Windows\\Recent"},
      {KnownFolder::kCookies, u"C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCookies"},
      {KnownFolder::kLocalAppData, u"C:\\Users\\Me\\AppData\\Local"},
      {KnownFolder::kInternetCache, u"C:\\Users\\Me\\AppData\\Local\\Microsoft\\Windows\\INetCache"},
  };
};

}  // namespace velmo
