// The screen and the mouse pointer, and the one conversion between twips and pixels that the
// window models and the window host share.
#pragma once

#include <cstdint>
#include <vector>

namespace velmo {

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// Screen pixels; right and bottom are exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

// Twips (1/1440 inch) and pixels at one dpi, rounded to the nearest (halves away from zero):
// 15 twips per pixel at 96 dpi, 7.5 at 192.
class PixelScale {
 public:
  constexpr explicit PixelScale(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}
  constexpr int dpi() const { return dpi_; }
  constexpr int Pixels(int twips) const { return Round(twips, dpi_, 1440); }
  constexpr int Twips(int pixels) const { return Round(pixels, 1440, dpi_); }
  // A window or control as the host places it: edges from the rounded origin and size.
  constexpr PixelRect Rect(int left, int top, int width, int height) const {
    int x = Pixels(left), y = Pixels(top);
    return {x, y, x + Pixels(width), y + Pixels(height)};
  }

 private:
  static constexpr int Round(int value, int num, int den) {
    std::int64_t p = std::int64_t{value} * num;
    return static_cast<int>((p >= 0 ? p + den / 2 : p - den / 2) / den);
  }
  int dpi_;
};

class Screen {
 public:
  virtual ~Screen() = default;
  // The dpi the box's window is laid out at (96 at 100 %).
  virtual int Dpi() = 0;
  // Size of the primary screen.
  virtual int WidthPixels() = 0;
  virtual int HeightPixels() = 0;
  // The work area (the monitor less the task bar) of every monitor, the primary first.
  virtual std::vector<PixelRect> WorkAreas() = 0;
  virtual PixelPoint CursorPosition() = 0;

  PixelScale Scale() { return PixelScale(Dpi()); }
  int WidthTwips() { return Scale().Twips(WidthPixels()); }
  int HeightTwips() { return Scale().Twips(HeightPixels()); }
};

}  // namespace velmo
