// The pin's drag, zoom and keys.
#include "screenshot/pin.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace shot {
namespace {

// Zoom levels a wheel steps through: fine near 100 %, coarser far from it.
constexpr std::array<int, 21> kZoomLevels = {10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 110,
                                             125, 150, 175, 200, 250, 300, 350, 400, 450, 500};
static_assert(kZoomLevels.front() == kPinMinZoom && kZoomLevels.back() == kPinMaxZoom);

constexpr int kKeyCtrlC = 3;
constexpr int kKeyCtrlS = 19;
constexpr int kKeyEscape = 27;

}  // namespace

Pin::Pin(int picture_width, int picture_height, int left, int top)
    : width_(picture_width),
      height_(picture_height),
      left_(static_cast<float>(left)),
      top_(static_cast<float>(top)) {}

RectI Pin::rect() const {
  const int left = RoundPixel(left_), top = RoundPixel(top_);
  const int w = std::max(1, static_cast<int>(std::lround(width_ * zoom_ / 100.0)));
  const int h = std::max(1, static_cast<int>(std::lround(height_ * zoom_ / 100.0)));
  return {left, top, left + w, top + h};
}

void Pin::Press(int screen_x, int screen_y) {
  dragging_ = true;
  grab_x_ = static_cast<float>(screen_x) - left_;
  grab_y_ = static_cast<float>(screen_y) - top_;
}

void Pin::Move(int screen_x, int screen_y) {
  if (!dragging_) return;
  left_ = static_cast<float>(screen_x) - grab_x_;
  top_ = static_cast<float>(screen_y) - grab_y_;
}

bool Pin::Wheel(int delta, int screen_x, int screen_y) {
  wheel_rest_ += delta;
  const int notches = wheel_rest_ / kWheelNotch;
  wheel_rest_ -= notches * kWheelNotch;
  if (notches == 0) return false;
  // The zoom is always one of the levels.
  const std::ptrdiff_t index =
      std::find(kZoomLevels.begin(), kZoomLevels.end(), zoom_) - kZoomLevels.begin();
  const int last = static_cast<int>(kZoomLevels.size()) - 1;
  const int zoom = kZoomLevels[std::clamp(static_cast<int>(index) + notches, 0, last)];
  if (zoom == zoom_) return false;
  ZoomTo(zoom, screen_x, screen_y);
  return true;
}

void Pin::ZoomTo(int zoom, int screen_x, int screen_y) {
  const float ratio = static_cast<float>(zoom) / static_cast<float>(zoom_);
  left_ = static_cast<float>(screen_x) - (static_cast<float>(screen_x) - left_) * ratio;
  top_ = static_cast<float>(screen_y) - (static_cast<float>(screen_y) - top_) * ratio;
  zoom_ = zoom;
}

PinAction Pin::KeyPress(int code) {
  switch (code) {
    case kKeyCtrlC:
      return PinAction::kCopy;
    case kKeyCtrlS:
      return PinAction::kSave;
    case kKeyEscape:
      return PinAction::kClose;
    default:
      return PinAction::kNone;
  }
}

}  // namespace shot
