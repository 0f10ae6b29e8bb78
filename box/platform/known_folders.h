// Folders whose place the system decides.
#pragma once

#include <optional>
#include <string>

namespace velmo {

enum class KnownFolder {
  kCommonPrograms,   // the all-users Start Menu "Programs" folder
  kWindows,          // C:\Windows
  kProgramFiles,     // the 64-bit program files folder
  kProgramFilesX86,  // the 32-bit one (the same folder on a 32-bit system)
  kProgramData,
  kTemp,           // the user's temporary folder
  kRecent,         // the user's recent documents
  kCookies,        // the user's web cookies
  kLocalAppData,   // the user's local application data
  kInternetCache,  // the user's web cache
};

class KnownFolders {
 public:
  virtual ~KnownFolders() = default;
  // The folder's full path without a trailing backslash; nullopt when the system does not say.
  virtual std::optional<std::u16string> Get(KnownFolder folder) = 0;
};

}  // namespace velmo
