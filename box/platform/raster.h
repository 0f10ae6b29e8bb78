// Anti-aliased strokes and ellipses drawn straight into a 32-bit BGRX image: each pixel takes
// the shape's colour in proportion to how much of the pixel the shape covers.
#pragma once

#include <cstdint>
#include <optional>

#include "box/platform/screen.h"

namespace velmo {

// Continuous pixel coordinates: pixel (x, y) is the square [x, x + 1) x [y, y + 1), its centre at
// (x + 0.5, y + 0.5).
struct PointF {
  float x = 0;
  float y = 0;
};

struct BoxF {
  float left = 0;
  float top = 0;
  float right = 0;
  float bottom = 0;
};

class Raster {
 public:
  // A top-down image of `width` x `height` pixels, rows `stride` pixels apart, blue in the low
  // byte. Nothing outside `clip` (or the image) is touched.
  Raster(std::uint32_t* pixels, int width, int height, int stride, PixelRect clip);

  // Colours are 0x00BBGGRR, as the window models keep them.
  // A stroke `width` wide centred on a -> b, with round ends.
  void Segment(PointF a, PointF b, float width, std::uint32_t color) const;
  // The ellipse inscribed in `box`: a border `border_width` wide inside its edge, and the fill
  // within the border (the whole ellipse without one). Either may be absent.
  void Ellipse(BoxF box, float border_width, std::optional<std::uint32_t> border,
               std::optional<std::uint32_t> fill) const;

 private:
  std::uint32_t* Row(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }

  std::uint32_t* pixels_;
  int stride_;
  PixelRect clip_;  // within the image
};

}  // namespace velmo
