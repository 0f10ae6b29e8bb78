// Docking at the top and bottom edges, the countdown, and the transparency rule.
#include <gtest/gtest.h>

#include <cmath>

#include "box/app/app.h"
#include "window_fixture.h"

namespace velmo {
namespace {

using DockingTest = WindowTest;

TEST_F(DockingTest, CountdownDocksAWindowLeftAtItsStartPositionOnTheThirdTick) {
  EXPECT_TRUE(TimerOf("Timer10").enabled);
  EXPECT_EQ(TimerOf("Timer10").interval_ms, 800);
  form().Tick("Timer10");
  form().Tick("Timer10");
  EXPECT_EQ(form().top, 10);
  form().Tick("Timer10");
  EXPECT_EQ(form().top, kDockedTop);
  EXPECT_FALSE(TimerOf("Timer10").enabled);
}

TEST_F(DockingTest, CountdownRestsAtZeroForAWindowPlacedElsewhere) {
  form().top = 3000;
  for (int i = 0; i < 40000; ++i) form().Tick("Timer10");
  EXPECT_EQ(window->docking().countdown(), 0);
  EXPECT_EQ(form().top, 3000);
  EXPECT_TRUE(TimerOf("Timer10").enabled);
}

TEST_F(DockingTest, TopDockedWindowHidesWhenTheCursorLeavesAndComesBackFromTheStrip) {
  form().top = kDockedTop;
  CursorAt(100, 600);  // far from the window
  form().Tick("Timer6");
  ASSERT_TRUE(TimerOf("Timer7").enabled);
  EXPECT_EQ(TickUntilStopped("Timer7"), 12);
  EXPECT_EQ(form().top, kDockStrip - 6000);

  // On the strip: 3 pixels remain visible.
  CursorAt(640, 2);
  form().Tick("Timer6");
  ASSERT_TRUE(TimerOf("Timer8").enabled);
  form().Tick("Timer8");
  EXPECT_EQ(form().top, -5450);
  EXPECT_EQ(TickUntilStopped("Timer8"), 11);
  EXPECT_EQ(form().top, 0);
}

TEST_F(DockingTest, ShowAndHideSlidesStopEachOther) {
  form().top = -3000;
  TimerOf("Timer7").Start();
  TimerOf("Timer8").Start();
  form().Tick("Timer8");
  EXPECT_FALSE(TimerOf("Timer7").enabled);
  TimerOf("Timer7").Start();
  form().Tick("Timer7");
  EXPECT_FALSE(TimerOf("Timer8").enabled);
}

TEST_F(DockingTest, PointerActivityOverTheWindowStopsTheHideSlide) {
  form().top = 0;
  TimerOf("Timer7").Start();
  form().Tick("Timer7");
  form().MoveOver(Get("Label13"));
  EXPECT_FALSE(TimerOf("Timer7").enabled);
  EXPECT_EQ(form().top, -500);
}

TEST_F(DockingTest, FreeWindowStaysWhereItIs) {
  form().top = 3000;
  CursorAt(0, 0);
  form().Tick("Timer6");
  EXPECT_FALSE(TimerOf("Timer7").enabled);
  EXPECT_FALSE(TimerOf("Timer8").enabled);
  EXPECT_EQ(form().top, 3000);
}

TEST_F(DockingTest, BottomDockedWindowDropsBelowTheScreenAndComesBackFromTheLowestRows) {
  const int screen_height = 800 * 15;
  const int standing = screen_height - 6000;
  const int left_px = form().left / 15;
  struct Step {
    int x, y;
    int expected_top;
  };
  const Step steps[] = {
      {left_px + 100, 400, standing},            // over the window: stays
      {left_px - 50, 400, screen_height + 50},   // leaves: below the screen
      {left_px - 50, 799, screen_height + 50},   // lowest row, outside the span
      {left_px + 100, 796, screen_height + 50},  // inside the span, too high
      {left_px + 100, 798, standing},            // one of the two lowest rows
      {left_px + 100, 10, standing},             // above it: not outside by the rule
      {left_px + 100, 798, standing},
      {left_px + 400, 500, screen_height + 50},  // right of it
      {left_px + 100, 799, standing},
  };
  form().top = standing;
  for (const Step& s : steps) {
    CursorAt(s.x, s.y);
    form().Tick("Timer6");
    EXPECT_EQ(form().top, s.expected_top) << "cursor " << s.x << "," << s.y;
  }
}

TEST_F(DockingTest, TransparencyRule) {
  struct Case {
    bool transparent_ui;
    bool inside;
    int opacity;
  };
  const Case cases[] = {
      {true, true, 255}, {true, false, 127}, {false, false, 255}, {false, true, 255}};
  for (const Case& c : cases) {
    state.settings.Set(Setting::kTransparentUI, c.transparent_ui);
    PixelPoint p = InsideWindow();
    CursorAt(c.inside ? p.x : p.x + 400, p.y);
    form().Tick("Timer37");
    EXPECT_TRUE(form().layered);
    EXPECT_EQ(form().opacity, c.opacity) << c.transparent_ui << c.inside;
  }
}

TEST_F(DockingTest, TheWindowEdgeCountsAsOutside) {
  state.settings.Set(Setting::kTransparentUI, true);
  form().left = 7500;
  CursorAt(500, InsideWindow().y);  // exactly on the left edge
  form().Tick("Timer37");
  EXPECT_EQ(form().opacity, 127);
  CursorAt(501, InsideWindow().y);
  form().Tick("Timer37");
  EXPECT_EQ(form().opacity, 255);
}

// Start-up centring, the dock watch and the settings tick at the common display scales, checked
// against pixel positions computed here from the dpi.
class DisplayScaleTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  DisplayScaleTest() {
    state.program_folder = u"C:\\Box";
    files.AddFolder(u"C:\\Box");
    files.AddFile(u"C:\\Box\\DATA\\config.ini",
                  "[Basic]\r\nPositionRecord =False\r\n[Debug]\r\nTransparentUI = True\r\n");
  }
  BoxState state;
};

TEST_F(DisplayScaleTest, TheBoxIsCentredAndThePointerOverItsEdgesIsInsideAtEveryScale) {
  for (int dpi : {96, 120, 144, 168, 192}) {
    SCOPED_TRACE(dpi);
    screen.dpi = dpi;
    Form window;
    App app(state, services, window);
    app.Startup();
    Docking docking(window, screen, state.settings);
    docking.Start();
    auto px = [dpi](int twips) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
    const int left = px(window.left), width = px(4600);
    EXPECT_NEAR(2 * left + width, 1280, 1);

    window.top = 0;  // docked at the top, shown
    struct Probe {
      int x;
      bool inside;
    };
    for (Probe probe : {Probe{left + 1, true}, Probe{left + width - 1, true},
                        Probe{left - 1, false}, Probe{left + width + 1, false}}) {
      SCOPED_TRACE(probe.x);
      window.timer("Timer7").Stop();
      window.timer("Timer8").Stop();
      screen.cursor = {probe.x, 100};
      window.Tick("Timer37");
      EXPECT_EQ(window.opacity, probe.inside ? 255 : kHalfTransparent);
      window.Tick("Timer6");
      EXPECT_EQ(window.timer("Timer8").enabled, probe.inside);
      EXPECT_EQ(window.timer("Timer7").enabled, !probe.inside);
    }

    // Hidden below the screen, the pointer on the lowest row: the box stands on the bottom edge.
    window.top = 99999;
    screen.cursor = {left + 5, 799};
    window.Tick("Timer6");
    EXPECT_NEAR(px(window.top) + px(6000), 800, 1);
  }
}

}  // namespace
}  // namespace velmo
