// A keyboard hook that keeps the rule of the real one (at most one at a time) and counts what
// the system would have done, with how many files had been written when it was removed.
#pragma once

#include <vector>

#include "box/platform/keyboard_hook.h"
#include "fakes/fake_file_system.h"

namespace velmo {

class FakeKeyboardHook final : public KeyboardHook {
 public:
  explicit FakeKeyboardHook(const FakeFileSystem& files) : files_(files) {}

  bool Install() override {
    if (installed) return true;
    if (refuse) return false;
    installed = true;
    ++hooks_set;
    return true;
  }
  void Remove() override {
    if (!installed) return;
    installed = false;
    writes_at_removal.push_back(files_.writes);
  }

  bool installed = false;
  bool refuse = false;  // the system refuses every hook
  int hooks_set = 0;
  // FakeFileSystem::writes at each removal of an installed hook.
  std::vector<int> writes_at_removal;

 private:
  const FakeFileSystem& files_;
};

}  // namespace velmo
