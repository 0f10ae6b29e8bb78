// Known folders as a test sets them; nullopt is a folder the system does not name.
#pragma once

#include <optional>
#include <string>

#include "box/platform/known_folders.h"

namespace velmo {

class FakeKnownFolders final : public KnownFolders {
 public:
  std::optional<std::u16string> CommonPrograms() override { return common_programs; }

  std::optional<std::u16string> common_programs =
      u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
};

}  // namespace velmo
