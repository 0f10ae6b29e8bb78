// The events between two views of a window.
#include "box/platform/accessibility.h"

#include <unordered_map>

namespace velmo {

std::vector<AccessibleEvent> AccessibleChanges(const AccessibleView& before,
                                               const AccessibleView& after) {
  using Kind = AccessibleEvent::Kind;
  std::vector<AccessibleEvent> events;
  if (after.name != before.name) events.push_back({Kind::kNameChange, 0});
  std::unordered_map<int, const AccessibleItem*> was;
  for (const AccessibleItem& item : before.items) was.emplace(item.id, &item);
  for (const AccessibleItem& now : after.items) {
    auto it = was.find(now.id);
    const AccessibleItem* old = it == was.end() ? nullptr : it->second;
    if (now.role == AccessibleRole::kAlert) {
      bool came = !old || old->invisible;
      if (!now.invisible && (came || old->name != now.name)) {
        if (came) events.push_back({Kind::kShow, now.id});
        events.push_back({Kind::kAlert, now.id});
      }
      continue;
    }
    if (!old) continue;
    if (old->name != now.name) events.push_back({Kind::kNameChange, now.id});
    if (old->checked != now.checked || old->unavailable != now.unavailable) {
      events.push_back({Kind::kStateChange, now.id});
    }
  }
  return events;
}

}  // namespace velmo
