// Arrow-key moves and sizes of the selection.
#include "screenshot/selection_keys.h"

#include <algorithm>

namespace shot {
namespace {

// A new size for one axis: grown up to `room`, or shrunk, never below 1 (an empty side stays
// empty until it is grown).
float Resized(float size, bool shrink, float room) {
  if (shrink) return size > 1 ? size - 1 : size;
  return size + 1 <= room ? size + 1 : size;
}

}  // namespace

RectF NudgeFrame(const RectF& frame, Arrow arrow, bool shift, bool ctrl, int screen_width,
                 int screen_height) {
  const float w = static_cast<float>(screen_width), h = static_cast<float>(screen_height);
  RectF out = frame;
  const bool horizontal = arrow == Arrow::kLeft || arrow == Arrow::kRight;
  if (ctrl) {
    if (horizontal) {
      out.width = Resized(frame.width, shift, w - frame.left);
    } else {
      out.height = Resized(frame.height, shift, h - frame.top);
    }
    return out;
  }
  const float step = shift ? 10.0f : 1.0f;
  const float sign = arrow == Arrow::kLeft || arrow == Arrow::kUp ? -1.0f : 1.0f;
  if (horizontal) {
    out.left = std::clamp(frame.left + sign * step, 0.0f, std::max(0.0f, w - frame.width));
  } else {
    out.top = std::clamp(frame.top + sign * step, 0.0f, std::max(0.0f, h - frame.height));
  }
  return out;
}

}  // namespace shot
