// Points and rectangles of the capture screen, in screen pixels, and a view of its pixels.
#pragma once

#include <cmath>
#include <cstdint>

namespace shot {

struct PointI {
  int x = 0;
  int y = 0;
  bool operator==(const PointI&) const = default;
};

// Positions the capture screen keeps as single-precision values (anchor, press point, frame).
struct PointF {
  float x = 0;
  float y = 0;
  bool operator==(const PointF&) const = default;
};

struct RectF {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  float right() const { return left + width; }
  float bottom() const { return top + height; }
  bool operator==(const RectF&) const = default;
};

// Four edges as single-precision values (the saved edges of a handle drag).
struct EdgesF {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
  bool operator==(const EdgesF&) const = default;
};

// Whole-pixel bounds; left and top inclusive, right and bottom exclusive.
struct RectI {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const RectI&) const = default;
};

// Rounds to the nearest whole pixel, halves to even.
inline int RoundPixel(float v) { return static_cast<int>(std::lrint(v)); }

inline RectI RoundRect(const RectF& r) {
  int left = RoundPixel(r.left);
  int top = RoundPixel(r.top);
  return {left, top, RoundPixel(r.left + r.width), RoundPixel(r.top + r.height)};
}

// Rows of 32-bit pixels 0x00RRGGBB, top row first (a top-down DIB), read-only.
struct PixelView {
  const std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
};

}  // namespace shot
