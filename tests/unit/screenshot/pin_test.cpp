// A pinned selection: it opens where the selection was, drags, and zooms by the wheel within
// 10 %..500 % round the pointer.
#include "screenshot/pin.h"

#include <gtest/gtest.h>

namespace shot {
namespace {

TEST(Pin, WheelZoomsByLevelsWithinItsLimits) {
  struct Case {
    int delta;  // one wheel event
    int zoom;   // after it
    bool changed;
  };
  const Case cases[] = {
      {120, 110, true},  {120, 125, true},  {-240, 100, true},  // two notches at once
      {60, 100, false},  {60, 110, true},                       // half notches add up
      {600, 250, true},  {2400, 500, true}, {120, 500, false},  // stops at 500 %
      {-120, 450, true}, {-9999, 10, true}, {-120, 10, false},  // and at 10 %
  };
  Pin pin(200, 100, 50, 40);
  EXPECT_EQ(pin.rect(), (RectI{50, 40, 250, 140}));
  EXPECT_EQ(pin.zoom(), 100);
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    EXPECT_EQ(pin.Wheel(c.delta, 50, 40), c.changed);
    EXPECT_EQ(pin.zoom(), c.zoom);
    // Zoomed round its top-left corner, the pin keeps it.
    EXPECT_EQ(pin.rect(), (RectI{50, 40, 50 + 2 * c.zoom, 40 + c.zoom}));
  }
}

TEST(Pin, ZoomKeepsThePointUnderThePointerAndDragMoves) {
  Pin pin(200, 100, 100, 100);
  pin.Wheel(120 * 5, 200, 150);  // 100 % -> 200 % round the picture's middle
  EXPECT_EQ(pin.zoom(), 200);
  EXPECT_EQ(pin.rect(), (RectI{0, 50, 400, 250}));
  pin.Wheel(-120 * 5, 200, 150);
  EXPECT_EQ(pin.rect(), (RectI{100, 100, 300, 200}));

  // A tiny picture far zoomed out is still one pixel.
  Pin dot(3, 3, 0, 0);
  dot.Wheel(-120 * 20, 0, 0);
  EXPECT_EQ(dot.rect(), (RectI{0, 0, 1, 1}));

  pin.Move(500, 500);  // no drag without a press
  EXPECT_EQ(pin.rect().left, 100);
  pin.Press(110, 120);
  EXPECT_TRUE(pin.dragging());
  pin.Move(160, 100);
  EXPECT_EQ(pin.rect(), (RectI{150, 80, 350, 180}));
  pin.Release();
  pin.Move(0, 0);
  EXPECT_EQ(pin.rect().left, 150);

  EXPECT_EQ(Pin::KeyPress(3), PinAction::kCopy);
  EXPECT_EQ(Pin::KeyPress(19), PinAction::kSave);
  EXPECT_EQ(Pin::KeyPress(27), PinAction::kClose);
  EXPECT_EQ(Pin::KeyPress('c'), PinAction::kNone);
}

}  // namespace
}  // namespace shot
