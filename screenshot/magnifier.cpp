// Magnifier placement, colour texts and the enlarged pixels.
#include "screenshot/magnifier.h"

#include <algorithm>
#include <charconv>

namespace shot {
namespace {

constexpr std::uint32_t kBeyondImage = 0x202020;
constexpr std::uint32_t kTint = 0x3399FF;  // RGB(51, 153, 255) as a DIB pixel

int Scale(int pixels_at_96, int dpi) { return (pixels_at_96 * dpi + 48) / 96; }

std::uint32_t Blend(std::uint32_t a, std::uint32_t b) {
  // Half of each, channel by channel, without carries between channels.
  return ((a & 0xFEFEFE) >> 1) + ((b & 0xFEFEFE) >> 1);
}

// Black on light pixels, white on dark ones (luma of 0x00RRGGBB).
std::uint32_t Contrast(std::uint32_t p) {
  const int luma = 299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF);
  return luma > 128 * 1000 ? 0x000000 : 0xFFFFFF;
}

}  // namespace

MagnifierMetrics::MagnifierMetrics(int dpi) {
  zoom = Scale(8, dpi);
  lens = kMagnifierCells * zoom;
  width = lens + 2;
  line_height = Scale(16, dpi);
  height = lens + 2 + kMagnifierLines * line_height + Scale(4, dpi);
  gap = Scale(20, dpi);
}

RectI PlaceMagnifier(int x, int y, const MagnifierMetrics& m, int screen_width, int screen_height) {
  int left = x + m.gap;
  if (left + m.width > screen_width) left = x - m.gap - m.width;
  int top = y + m.gap;
  if (top + m.height > screen_height) top = y - m.gap - m.height;
  left = std::max(0, std::min(left, screen_width - m.width));
  top = std::max(0, std::min(top, screen_height - m.height));
  return {left, top, left + m.width, top + m.height};
}

std::u16string RgbText(std::uint32_t colour) {
  char buf[32] = "RGB(";
  char* p = buf + 4;
  for (int shift = 0; shift <= 16; shift += 8) {
    p = std::to_chars(p, buf + sizeof buf, (colour >> shift) & 0xFF).ptr;
    if (shift < 16) {
      *p++ = ',';
      *p++ = ' ';
    }
  }
  *p++ = ')';
  return std::u16string(buf, p);
}

std::u16string HexText(std::uint32_t colour) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::u16string text = u"#";
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned byte = (colour >> shift) & 0xFF;
    text += static_cast<char16_t>(kDigits[byte >> 4]);
    text += static_cast<char16_t>(kDigits[byte & 0xF]);
  }
  return text;
}

void RenderLens(const PixelView& image, int cx, int cy, const MagnifierMetrics& m,
                std::uint32_t* out, int stride) {
  const int half = kMagnifierCells / 2;
  for (int row = 0; row < kMagnifierCells; ++row) {
    const int y = cy - half + row;
    const bool y_inside = y >= 0 && y < image.height;
    const std::uint32_t* source =
        y_inside ? image.bits + static_cast<size_t>(y) * image.width : nullptr;
    std::uint32_t* first_line = out + static_cast<size_t>(row) * m.zoom * stride;
    for (int col = 0; col < kMagnifierCells; ++col) {
      const int x = cx - half + col;
      std::uint32_t p = y_inside && x >= 0 && x < image.width ? source[x] & 0xFFFFFF : kBeyondImage;
      if ((row == half) != (col == half)) p = Blend(p, kTint);
      std::fill_n(first_line + col * m.zoom, m.zoom, p);
    }
    // The cell's other lines are copies of its first.
    for (int line = 1; line < m.zoom; ++line) {
      std::copy_n(first_line, m.lens, first_line + static_cast<size_t>(line) * stride);
    }
  }
  // The centre cell's outline.
  std::uint32_t* cell = out + static_cast<size_t>(half) * m.zoom * (stride + 1);
  const std::uint32_t edge = Contrast(cell[m.zoom / 2 * stride + m.zoom / 2]);
  for (int i = 0; i < m.zoom; ++i) {
    cell[i] = edge;
    cell[static_cast<size_t>(m.zoom - 1) * stride + i] = edge;
    cell[static_cast<size_t>(i) * stride] = edge;
    cell[static_cast<size_t>(i) * stride + m.zoom - 1] = edge;
  }
}

}  // namespace shot
