// The dimmed surround: outside the selection the frozen image is drawn about 40 % darker.
#pragma once

#include <array>
#include <cstdint>

#include "screenshot/geometry.h"

namespace shot {

// Up to four bands that cover `area` outside `clear`: above, below, left and right of it.
struct DimBands {
  std::array<RectI, 4> bands{};
  int count = 0;
};
DimBands BandsOutside(const RectI& area, const RectI& clear);

// Darkens `count` pixels (0x00RRGGBB, as a 32-bit DIB holds them) in place: each channel times
// 154/256, about 60 % of its value.
void DarkenPixels(std::uint32_t* pixels, int count);

}  // namespace shot
