// Dim bands and the darkening of pixels.
#include "screenshot/dim.h"

#include <algorithm>

namespace shot {

DimBands BandsOutside(const RectI& area, const RectI& clear) {
  DimBands out;
  auto add = [&out](const RectI& r) {
    if (r.width() > 0 && r.height() > 0) out.bands[out.count++] = r;
  };
  const int top = std::clamp(clear.top, area.top, area.bottom);
  const int bottom = std::clamp(clear.bottom, top, area.bottom);
  const int left = std::clamp(clear.left, area.left, area.right);
  const int right = std::clamp(clear.right, left, area.right);
  add({area.left, area.top, area.right, top});
  add({area.left, bottom, area.right, area.bottom});
  add({area.left, top, left, bottom});
  add({right, top, area.right, bottom});
  return out;
}

void DarkenPixels(std::uint32_t* pixels, int count) {
  constexpr std::uint32_t kKeep = 154;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    // Red and blue in one multiply, green in another: no channel carries into the next.
    const std::uint32_t rb = ((p & 0xFF00FF) * kKeep >> 8) & 0xFF00FF;
    const std::uint32_t g = ((p & 0x00FF00) * kKeep >> 8) & 0x00FF00;
    pixels[i] = rb | g;
  }
}

}  // namespace shot
