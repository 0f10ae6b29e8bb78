// The magnifier beside the pointer: the pixels round it enlarged, with a cross-hair on the
// centre pixel, and that pixel's colour as "RGB(r, g, b)" and "#RRGGBB".
#pragma once

#include <cstdint>
#include <string>

#include "screenshot/geometry.h"

namespace shot {

inline constexpr int kMagnifierCells = 15;  // odd, so that the pointer's pixel is the middle one
inline constexpr int kMagnifierLines = 3;   // RGB, hexadecimal, and the C key's note

inline constexpr const char16_t* kColourCopyHint = u"按 C 复制颜色";
inline constexpr const char16_t* kColourCopied = u"已复制 ";  // followed by the "#RRGGBB" text
inline constexpr const char16_t* kColourCopyFailed = u"颜色没有复制";

// Sizes in device pixels; the documented ones are for 96 dpi and grow with the density.
struct MagnifierMetrics {
  explicit MagnifierMetrics(int dpi);
  int zoom;         // device pixels per enlarged pixel (8 at 96 dpi)
  int lens;         // side of the enlarged square: cells * zoom
  int width;        // the whole box: the lens in a 1-pixel border
  int height;       // the lens, then the text lines
  int line_height;  // one text line
  int gap;          // between the pointer and the box
};

// The box for a pointer at (x, y): below and to the right of it, on the pointer's other side
// where that would leave the screen, and never off the screen.
RectI PlaceMagnifier(int x, int y, const MagnifierMetrics& m, int screen_width, int screen_height);

// Colours are 0x00BBGGRR.
std::u16string RgbText(std::uint32_t colour);  // "RGB(255, 0, 0)"
std::u16string HexText(std::uint32_t colour);  // "#FF0000"

// Draws the lens for the image pixel (cx, cy) into `out`, m.lens x m.lens pixels with rows
// `stride` pixels apart: each cell an image pixel (dark grey beyond the image), the centre row
// and column tinted blue, the centre cell outlined in black or white, whichever stands out.
void RenderLens(const PixelView& image, int cx, int cy, const MagnifierMetrics& m,
                std::uint32_t* out, int stride);

}  // namespace shot
