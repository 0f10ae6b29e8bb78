// The arrow keys, Enter and Ctrl+S on the capture screen.
#include "screenshot/selection_keys.h"

#include <gtest/gtest.h>

#include "screenshot/capture_screen.h"

namespace shot {
namespace {

constexpr int kW = 1280;
constexpr int kH = 800;

struct NudgeCase {
  const char* what;
  RectF frame;
  Arrow arrow;
  bool shift, ctrl;
  RectF expected;
};

TEST(SelectionKeys, ArrowsMoveGrowAndShrinkWithinTheScreen) {
  const RectF f{100, 100, 60, 40};
  const NudgeCase cases[] = {
      {"left 1", f, Arrow::kLeft, false, false, {99, 100, 60, 40}},
      {"right 1", f, Arrow::kRight, false, false, {101, 100, 60, 40}},
      {"up 10", f, Arrow::kUp, true, false, {100, 90, 60, 40}},
      {"down 10", f, Arrow::kDown, true, false, {100, 110, 60, 40}},
      {"left stops at 0", {5, 0, 60, 40}, Arrow::kLeft, true, false, {0, 0, 60, 40}},
      {"up stops at 0", {0, 0, 60, 40}, Arrow::kUp, false, false, {0, 0, 60, 40}},
      {"right stops flush", {1215, 5, 60, 40}, Arrow::kRight, true, false, {1220, 5, 60, 40}},
      {"down stops flush", {5, 759, 60, 40}, Arrow::kDown, true, false, {5, 760, 60, 40}},
      // Ctrl sizes the right edge with either horizontal arrow and the bottom with either
      // vertical one; the left and top edges stay.
      {"ctrl+right grows", f, Arrow::kRight, false, true, {100, 100, 61, 40}},
      {"ctrl+left grows the right edge", f, Arrow::kLeft, false, true, {100, 100, 61, 40}},
      {"ctrl+down grows", f, Arrow::kDown, false, true, {100, 100, 60, 41}},
      {"ctrl+shift+right shrinks", f, Arrow::kRight, true, true, {100, 100, 59, 40}},
      {"ctrl+shift+up shrinks", f, Arrow::kUp, true, true, {100, 100, 60, 39}},
      {"grow stops at the screen",
       {1200, 760, 80, 40},
       Arrow::kRight,
       false,
       true,
       {1200, 760, 80, 40}},
      {"grow stops at the bottom",
       {1200, 760, 80, 40},
       Arrow::kDown,
       false,
       true,
       {1200, 760, 80, 40}},
      {"shrink stops at 1", {10, 10, 1, 1}, Arrow::kLeft, true, true, {10, 10, 1, 1}},
      {"an empty side grows", {10, 10, 0, 0}, Arrow::kDown, false, true, {10, 10, 0, 1}},
  };
  for (const NudgeCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(NudgeFrame(c.frame, c.arrow, c.shift, c.ctrl, kW, kH), c.expected);
  }
}

TEST(SelectionKeys, KeysActOnAFinishedSelectionOnly) {
  CaptureScreen s(kW, kH);
  // No selection yet: nothing moves, nothing ends.
  EXPECT_EQ(s.KeyDown(Key::kEnter, false, false), CaptureEnd::kNone);
  EXPECT_EQ(s.KeyDown(Key::kS, false, true), CaptureEnd::kNone);
  EXPECT_EQ(s.KeyDown(Key::kRight, false, false), CaptureEnd::kNone);
  EXPECT_FALSE(s.frame_visible());

  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(160, 140, true, 0);
  // In the middle of a drag the keys wait.
  EXPECT_EQ(s.KeyDown(Key::kRight, false, false), CaptureEnd::kNone);
  EXPECT_EQ(s.frame(), (RectF{100, 100, 60, 40}));
  s.Release(MouseButton::kLeft, 160, 140);

  s.KeyDown(Key::kRight, true, false);
  s.KeyDown(Key::kDown, false, false);
  s.KeyDown(Key::kRight, false, true);
  EXPECT_EQ(s.frame(), (RectF{110, 101, 61, 40}));
  // Everything that follows the frame follows it: handles, label, anchor, toolbar.
  EXPECT_EQ(s.anchor(), (PointF{110, 101}));
  EXPECT_EQ(s.label_text(), u"61x40");
  EXPECT_EQ(s.label_position(), (PointF{112, 103}));
  EXPECT_EQ(s.handles()[6], (RectF{167, 137, 8, 8}));  // centred on the corner
  EXPECT_TRUE(s.toolbar_visible());
  EXPECT_EQ(s.toolbar_position(), (PointF{0, 145}));  // narrower than the toolbar
  EXPECT_EQ(s.Region(), (RectI{110, 101, 171, 141}));
  EXPECT_EQ(s.clear_area(), (RectI{110, 101, 171, 141}));

  // A press inside takes the moved selection for the double-click test.
  s.Press(MouseButton::kLeft, 150, 120);
  s.Release(MouseButton::kLeft, 150, 120);
  EXPECT_EQ(s.DoubleClick(150, 120), CaptureEnd::kDoubleClickCopy);

  EXPECT_EQ(s.KeyDown(Key::kEnter, false, false), CaptureEnd::kCopy);
  EXPECT_EQ(s.KeyDown(Key::kS, false, true), CaptureEnd::kSave);
  EXPECT_EQ(s.KeyDown(Key::kS, false, false), CaptureEnd::kNone);
  EXPECT_EQ(s.KeyDown(Key::kS, true, true), CaptureEnd::kNone);
  EXPECT_EQ(s.KeyDown(Key::kOther, false, false), CaptureEnd::kNone);
  EXPECT_EQ(s.KeyPress(kKeyEscape), CaptureEnd::kEscape);
}

}  // namespace
}  // namespace shot
