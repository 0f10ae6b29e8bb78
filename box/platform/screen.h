// The screen and the mouse pointer.
#pragma once

namespace velmo {

struct PixelPoint {
  int x = 0;
  int y = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  // Size of the primary screen in twips (pixels * 1440 / dpi).
  virtual int WidthTwips() = 0;
  virtual int HeightTwips() = 0;
  virtual int TwipsPerPixel() = 0;  // 15 at 96 dpi
  virtual PixelPoint CursorPosition() = 0;
};

}  // namespace velmo
