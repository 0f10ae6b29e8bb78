// Processes and drives as a test sets them, with a count of the snapshots taken.
#pragma once

#include <string>
#include <vector>

#include "box/platform/processes.h"

namespace velmo {

class FakeProcesses final : public Processes {
 public:
  std::vector<std::u16string> RunningImageNames() override {
    ++snapshots;
    return running;
  }
  std::vector<std::u16string> LogicalDrives() override { return drives; }

  std::vector<std::u16string> running;
  std::vector<std::u16string> drives{u"C:\\"};
  int snapshots = 0;
};

}  // namespace velmo
