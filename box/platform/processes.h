// The running processes and the logical drives, as the system reports them now.
#pragma once

#include <string>
#include <vector>

namespace velmo {

class Processes {
 public:
  virtual ~Processes() = default;
  // One snapshot of the image names ("notepad.exe": file name with extension) of every running
  // process. Empty when the snapshot failed; the caller tries again on its next round.
  virtual std::vector<std::u16string> RunningImageNames() = 0;
  // Root paths of the logical drives ("C:\", "D:\") in the system's order. Empty when none
  // are reported or the query failed.
  virtual std::vector<std::u16string> LogicalDrives() = 0;
};

}  // namespace velmo
