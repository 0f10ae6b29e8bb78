// Snapping: the hit test over a table of window rectangles, and a click that selects one.
#include "screenshot/snap.h"

#include <gtest/gtest.h>

#include "screenshot/capture_screen.h"

namespace shot {
namespace {

constexpr int kW = 1280;
constexpr int kH = 800;

// From the top of the stack down; children follow their parent.
const std::vector<SnapRect> kWindows = {
    {{100, 100, 500, 400}, 0},    // an editor
    {{100, 130, 500, 400}, 1},    //   its client area
    {{110, 140, 300, 390}, 2},    //     a list
    {{320, 140, 700, 390}, 2},    //     a panel reaching past its parent
    {{330, 150, 400, 180}, 3},    //       a button on it
    {{100, 100, 500, 130}, 1},    //   its tool bar, below the client area in the stack
    {{1000, 600, 1500, 900}, 0},  // a window half off the screen
    {{1100, 700, 1200, 750}, 1},  //   with a control
    {{0, 0, 1280, 800}, 0},       // the desktop at the bottom
    {{50, 50, 60, 60}, 1},        //   an icon on it
};

struct SnapCase {
  const char* what;
  int x, y;
  std::optional<RectI> expected;
};

TEST(Snap, PicksTheDeepestWindowUnderThePointClippedToItsParentsAndTheScreen) {
  const SnapCase cases[] = {
      {"the list", 200, 200, RectI{110, 140, 300, 390}},
      {"between list and panel: the client area", 305, 200, RectI{100, 130, 500, 400}},
      {"the button", 350, 160, RectI{330, 150, 400, 180}},
      {"the panel, clipped to its parent", 450, 300, RectI{320, 140, 500, 390}},
      {"past the editor: the panel is not there", 600, 300, RectI{0, 0, 1280, 800}},
      {"the tool bar", 300, 110, RectI{100, 100, 500, 130}},
      {"right and bottom edges are outside", 500, 400, RectI{0, 0, 1280, 800}},
      {"left and top edges are inside", 100, 100, RectI{100, 100, 500, 130}},
      {"half off the screen: clipped", 1050, 650, RectI{1000, 600, 1280, 800}},
      {"its control", 1150, 720, RectI{1100, 700, 1200, 750}},
      {"a desktop icon", 55, 55, RectI{50, 50, 60, 60}},
      {"the desktop", 10, 10, RectI{0, 0, 1280, 800}},
      {"off the screen", 1300, 10, std::nullopt},
  };
  for (const SnapCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SnapAt(kWindows, c.x, c.y, kW, kH), c.expected);
  }
  // Levels out from the deepest: the button's panel, its client area, the editor, no further.
  const std::optional<RectI> outward[] = {RectI{330, 150, 400, 180}, RectI{320, 140, 500, 390},
                                          RectI{100, 130, 500, 400}, RectI{100, 100, 500, 400},
                                          RectI{100, 100, 500, 400}};
  for (int out = 0; out < 5; ++out)
    EXPECT_EQ(SnapAt(kWindows, 350, 160, kW, kH, out), outward[out]);
  const std::vector<SnapRect> one = {{{100, 100, 200, 200}, 0}};
  EXPECT_EQ(SnapAt(one, 50, 50, kW, kH), std::nullopt);
  EXPECT_EQ(SnapAt({}, 50, 50, kW, kH), std::nullopt);
}

TEST(Snap, HoverOutlinesAndAClickWithoutADragSelects) {
  CaptureScreen s(kW, kH);
  s.SetWindows(kWindows);
  s.Move(1150, 720, false, 0);
  EXPECT_EQ(s.snap_outline(), (RectI{1100, 700, 1200, 750}));
  // The wheel goes out a level a notch and back in; the outline moves with the pointer over
  // the same control and starts from the deepest again over another.
  s.Move(350, 160, false, 0);
  s.Wheel(1);
  EXPECT_EQ(s.snap_outline(), (RectI{320, 140, 500, 390}));
  s.Wheel(5);
  EXPECT_EQ(s.snap_outline(), (RectI{100, 100, 500, 400}));
  s.Wheel(-1);
  EXPECT_EQ(s.snap_outline(), (RectI{100, 130, 500, 400}));  // not five levels in from far out
  s.Move(352, 162, false, 0);
  EXPECT_EQ(s.snap_outline(), (RectI{100, 130, 500, 400}));
  s.Move(200, 200, false, 0);
  EXPECT_EQ(s.snap_outline(), (RectI{110, 140, 300, 390}));
  s.Wheel(-1);
  EXPECT_EQ(s.snap_outline(), (RectI{110, 140, 300, 390}));
  s.Move(1150, 720, false, 0);
  // A click that wanders 2 pixels is still a click.
  s.Press(MouseButton::kLeft, 1050, 650);
  EXPECT_FALSE(s.snap_outline());
  s.Move(1052, 648, true, 0);
  EXPECT_EQ(s.Release(MouseButton::kLeft, 1052, 648), CaptureEnd::kNone);
  EXPECT_EQ(s.mode(), Mode::kMove);
  EXPECT_EQ(s.Region(), (RectI{1000, 600, 1280, 800}));
  EXPECT_TRUE(s.frame_visible());
  EXPECT_TRUE(s.handles_visible());
  EXPECT_EQ(s.label_text(), u"280x200");
  EXPECT_EQ(s.anchor(), (PointF{1000, 600}));
  EXPECT_TRUE(s.toolbar_visible());
  EXPECT_EQ(s.toolbar_position(), (PointF{1280 - 205, 800 - 26 - 4}));
  // Once a selection exists, hovering outlines nothing.
  s.Move(200, 200, false, 0);
  EXPECT_FALSE(s.snap_outline());
  // A drag draws as before, whatever window it starts on.
  s.Press(MouseButton::kLeft, 200, 200);
  s.Move(203, 210, true, 0);
  s.Release(MouseButton::kLeft, 203, 210);
  EXPECT_EQ(s.Region(), (RectI{200, 200, 203, 210}));
  // A click outside the selection selects the window there.
  s.Press(MouseButton::kLeft, 350, 160);
  s.Release(MouseButton::kLeft, 350, 160);
  EXPECT_EQ(s.Region(), (RectI{330, 150, 400, 180}));
  EXPECT_EQ(s.selection(), (RectI{200, 200, 203, 210}));  // taken at the press, as documented
  // A click selects what the wheel outlined.
  CaptureScreen wheeled(kW, kH);
  wheeled.SetWindows(kWindows);
  wheeled.Move(350, 160, false, 0);
  wheeled.Wheel(2);
  wheeled.Press(MouseButton::kLeft, 350, 160);
  wheeled.Release(MouseButton::kLeft, 350, 160);
  EXPECT_EQ(wheeled.Region(), (RectI{100, 130, 500, 400}));
  // Without windows a click gives the empty selection at the press point.
  CaptureScreen bare(kW, kH);
  bare.Press(MouseButton::kLeft, 300, 300);
  bare.Release(MouseButton::kLeft, 300, 300);
  EXPECT_EQ(bare.Region(), (RectI{300, 300, 300, 300}));
}

}  // namespace
}  // namespace shot
