// A selection pinned to the screen: where its window stands, how far it is zoomed, and what
// the mouse and keys do to it. Positions are screen pixels.
#pragma once

#include "screenshot/geometry.h"

namespace shot {

inline constexpr int kPinMinZoom = 10;   // per cent
inline constexpr int kPinMaxZoom = 500;  // per cent
inline constexpr int kWheelNotch = 120;  // one wheel notch, as the system counts it

enum class PinAction { kNone, kCopy, kSave, kClose };

class Pin {
 public:
  // The picture's size and where it was on the screen: the pin opens there at 100 %.
  Pin(int picture_width, int picture_height, int left, int top);

  // The window's place: the picture at the zoom, never smaller than one pixel.
  RectI rect() const;
  int zoom() const { return zoom_; }

  // A drag with the left button moves the pin.
  void Press(int screen_x, int screen_y);
  void Move(int screen_x, int screen_y);
  void Release() { dragging_ = false; }
  bool dragging() const { return dragging_; }

  // Each notch (delta 120, forward) steps the zoom up a level, backward down one, within
  // 10 %..500 %; the picture's point under the pointer stays under it. Smaller deltas add up.
  // True when the zoom changed.
  bool Wheel(int delta, int screen_x, int screen_y);

  // Ctrl+C (3), Ctrl+S (19), Escape (27); a double-click closes too.
  static PinAction KeyPress(int code);

 private:
  void ZoomTo(int zoom, int screen_x, int screen_y);

  int width_;
  int height_;
  float left_;
  float top_;
  int zoom_ = 100;
  int wheel_rest_ = 0;
  bool dragging_ = false;
  float grab_x_ = 0;  // the pointer's offset from the window's corner during a drag
  float grab_y_ = 0;
};

}  // namespace shot
