// Folders whose place the system decides.
#pragma once

#include <optional>
#include <string>

namespace velmo {

class KnownFolders {
 public:
  virtual ~KnownFolders() = default;
  // The all-users Start Menu "Programs" folder, without a trailing backslash; nullopt when the
  // system does not say.
  virtual std::optional<std::u16string> CommonPrograms() = 0;
};

}  // namespace velmo
