// Snapping to what is under the pointer: the rectangles of the windows and their child controls
// as they were when the screen was frozen, and the one a point picks.
#pragma once

#include <optional>
#include <vector>

#include "screenshot/geometry.h"

namespace shot {

// One window's rectangle in capture-screen pixels. A list holds the top-level windows from the
// top of the stack down, each followed at once by its child controls (depth one more than their
// parent's, again from the top down, each followed by its own children).
struct SnapRect {
  RectI bounds;
  int depth = 0;
};

// The rectangle a click at (x, y) selects: the topmost window there, or the deepest child
// control of it there, clipped to its parents and to the screen; nothing when no window is
// there. `outward` goes that many levels out from the deepest one (1: its parent), up to the
// top-level window.
std::optional<RectI> SnapAt(const std::vector<SnapRect>& windows, int x, int y, int screen_width,
                            int screen_height, int outward = 0);

// The part two rectangles share (empty at the first one's top-left corner when they do not
// meet).
RectI Intersect(const RectI& a, const RectI& b);

}  // namespace shot
