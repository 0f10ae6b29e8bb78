// The icon cache.
#include "box/command/icon_cache.h"

namespace velmo {

std::shared_ptr<const IconPixels> IconCache::Get(const std::u16string& path, int size) {
  auto [it, added] = entries_.try_emplace({path, size});
  if (added) {
    ++pending_;
    source_.Fetch(path, size);
  }
  return it->second.icon;
}

bool IconCache::Collect() {
  bool arrived = false;
  for (FetchedIcon& f : source_.TakeFetched()) {
    auto it = entries_.find({f.path, f.size});
    if (it == entries_.end() || it->second.arrived) continue;
    it->second.arrived = true;
    it->second.icon = std::move(f.icon);
    --pending_;
    arrived = true;
  }
  return arrived;
}

}  // namespace velmo
