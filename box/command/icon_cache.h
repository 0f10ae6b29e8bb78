// The icons of the items' paths, kept per path and size: each is fetched from the system once,
// away from the window's thread, and lists show it from then on.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "box/platform/file_icons.h"

namespace velmo {

class IconCache {
 public:
  explicit IconCache(FileIcons& source) : source_(source) {}

  // The icon, or nullptr while it is on its way (the first call sends for it) or when the system
  // has none.
  std::shared_ptr<const IconPixels> Get(const std::u16string& path, int size);
  // Takes in what the system has fetched. True when an icon arrived.
  bool Collect();
  // Icons sent for that have not arrived.
  int pending() const { return pending_; }

 private:
  struct Entry {
    bool arrived = false;
    std::shared_ptr<const IconPixels> icon;
  };
  FileIcons& source_;
  std::map<std::pair<std::u16string, int>, Entry> entries_;
  int pending_ = 0;
};

}  // namespace velmo
