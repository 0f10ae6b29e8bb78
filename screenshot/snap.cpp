// The snap hit test.
#include "screenshot/snap.h"

#include <algorithm>
#include <cstddef>

namespace shot {

RectI Intersect(const RectI& a, const RectI& b) {
  RectI r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return {a.left, a.top, a.left, a.top};
  return r;
}

std::optional<RectI> SnapAt(const std::vector<SnapRect>& windows, int x, int y, int screen_width,
                            int screen_height, int outward) {
  std::vector<RectI> found;  // the top-level window, then each level in
  RectI clip{0, 0, screen_width, screen_height};
  if (!clip.Contains(x, y)) return std::nullopt;
  int depth = 0;  // the depth looked at: the chosen window's children
  for (const SnapRect& w : windows) {
    if (w.depth < depth) break;     // past the chosen window's children
    if (w.depth > depth) continue;  // inside a sibling that was passed over
    const RectI r = Intersect(w.bounds, clip);
    if (!r.Contains(x, y)) continue;
    found.push_back(r);
    clip = r;
    ++depth;
  }
  if (found.empty()) return std::nullopt;
  const std::size_t out = std::min<std::size_t>(std::max(outward, 0), found.size() - 1);
  return found[found.size() - 1 - out];
}

}  // namespace shot
