// A clipboard that keeps the last text it was given.
#pragma once

#include <string>

#include "box/platform/clipboard.h"

namespace velmo {

class FakeClipboard final : public Clipboard {
 public:
  bool SetText(const std::u16string& value) override {
    if (!works) return false;
    text = value;
    return true;
  }
  std::u16string text;
  bool works = true;
};

}  // namespace velmo
