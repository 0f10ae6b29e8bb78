// The Recycle Bin: the cleaner puts what it removes there, so that nothing is lost beyond
// recovery.
#pragma once

#include <string>
#include <vector>

namespace velmo {

// What became of one file the cleaner asked to remove.
enum class RemoveResult {
  kRemoved,        // it is in the Recycle Bin now
  kGone,           // no ordinary file was there any more
  kReadOnly,       // left in place: the file is read-only
  kLocked,         // left in place: another program holds it open, or access is denied
  kNoRecycleBin,   // left in place: its drive keeps no Recycle Bin (network, removable, subst)
  kNotRecyclable,  // left in place: the system would delete it for good (bin off, file too big)
  kPathTooLong,    // left in place: the Recycle Bin takes no path of MAX_PATH or more
};

class RecycleBin {
 public:
  virtual ~RecycleBin() = default;
  // Moves the files to the Recycle Bin with as few system operations as it can and says, for
  // each path in order, what became of it. Only ordinary files are moved: a folder, a hidden or
  // system file and a link are left (kGone for a path that is not an ordinary file). A file is
  // moved only where the system keeps it: Windows deletes for good, without a word, whatever it
  // cannot put in a bin.
  virtual std::vector<RemoveResult> Recycle(const std::vector<std::u16string>& paths) = 0;
  // Empties the Recycle Bin of every drive without asking and without a progress window; true
  // when the system then says that every drive's bin is empty.
  virtual bool Empty() = 0;
};

}  // namespace velmo
