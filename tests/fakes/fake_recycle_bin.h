// A Recycle Bin over the fake file system, with Windows' rules: what it takes leaves the file
// system and is kept in `bin`, in order; a network path, a drive without a bin and a path of
// MAX_PATH (260) or more are left where they are.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "box/platform/recycle_bin.h"
#include "fakes/fake_file_system.h"

namespace velmo {

class FakeRecycleBin final : public RecycleBin {
 public:
  explicit FakeRecycleBin(FakeFileSystem& files) : files_(files) {}

  std::vector<RemoveResult> Recycle(const std::vector<std::u16string>& paths) override {
    ++operations;
    std::vector<RemoveResult> results;
    for (const std::u16string& path : paths) {
      std::optional<std::uint32_t> attributes = files_.AttributesOf(path);
      constexpr std::uint32_t kNotOrdinary = file_attribute::kDirectory | file_attribute::kHidden |
                                             file_attribute::kSystem |
                                             file_attribute::kReparsePoint;
      if (!attributes || (*attributes & kNotOrdinary) != 0) {
        results.push_back(RemoveResult::kGone);
      } else if (*attributes & file_attribute::kReadOnly) {
        results.push_back(RemoveResult::kReadOnly);
      } else if (path.size() >= 260) {
        results.push_back(RemoveResult::kPathTooLong);
      } else if (path.size() < 2 || path[1] != u':' ||
                 drives_without_bin.count(std::u16string(1, path[0]) + u":")) {
        results.push_back(RemoveResult::kNoRecycleBin);
      } else if (too_big_for_bin.count(path)) {
        results.push_back(RemoveResult::kNotRecyclable);
      } else if (files_.Held(path)) {
        results.push_back(RemoveResult::kLocked);
      } else {
        files_.RemoveFile(path);
        bin.push_back(path);
        results.push_back(RemoveResult::kRemoved);
      }
    }
    return results;
  }
  bool Empty() override {
    ++emptied;
    if (!keeps_a_file) bin.clear();
    return bin.empty();
  }

  std::vector<std::u16string> bin;
  std::set<std::u16string> drives_without_bin;  // "D:": network, removable and subst drives
  std::set<std::u16string> too_big_for_bin;     // paths the shell would delete for good
  bool keeps_a_file = false;                    // another program holds a file in the bin
  int operations = 0;                           // Recycle calls
  int emptied = 0;

 private:
  FakeFileSystem& files_;
};

}  // namespace velmo
