// The switch's slides tick by tick, a click during a slide, writes without a slide, and what
// its owner is told.
#include "box/controls/toggle_switch.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmo {
namespace {

class ToggleSwitchTest : public ::testing::Test {
 protected:
  ToggleSwitchTest() {
    form.width = page.width = 4000;
    form.height = page.height = 2000;
    sw.on_change = [this](bool on) { changes.push_back(on); };
  }
  int Knob() { return form.Get("S.Shape2").left; }
  Color Track() {
    Color c = form.Get("S.Shape1", 0).fill_color;
    EXPECT_EQ(form.Get("S.Shape1", 1).fill_color, c);
    EXPECT_EQ(form.Get("S.Shape1", 2).fill_color, c);
    return c;
  }
  // A click where the knob stands, as the pointer gives it.
  void ClickKnob() {
    Control& knob = form.Get("S.Shape2");
    int x = knob.ClientLeft() + 90, y = knob.ClientTop() + 90;
    form.MouseDown(x, y, MouseButton::kLeft, {});
    form.MouseUp(x, y, MouseButton::kLeft, {});
  }
  void Tick(const char* timer, int n) {
    for (int i = 0; i < n; ++i) form.Tick(timer);
  }

  Form form;
  Control& page = form.Add(form.root(), ControlKind::kPanel, "Page");
  ToggleSwitch sw{form, page, "S", 3360, 120};
  std::vector<bool> changes;
};

TEST_F(ToggleSwitchTest, ShapesOfANewSwitch) {
  Control& panel = form.Get("S");
  EXPECT_EQ(std::vector<int>({panel.left, panel.top, panel.width, panel.height}),
            std::vector<int>({3360, 120, 570, 345}));
  const int lefts[] = {0, 120, 240};
  for (int i = 0; i < 3; ++i) {
    Control& part = form.Get("S.Shape1", i);
    EXPECT_EQ(part.left, lefts[i]);
    EXPECT_EQ(part.width, 300);
    EXPECT_EQ(part.border_color, kNoBackground);
  }
  Control& knob = form.Get("S.Shape2");
  EXPECT_EQ(std::vector<int>({knob.left, knob.top, knob.width}), std::vector<int>({300, 60, 195}));
  EXPECT_TRUE(sw.Value());
  EXPECT_EQ(Track(), kSwitchOnColor);
}

TEST_F(ToggleSwitchTest, SlidesTakeTenTicksEachWayWithTheColourStepsBetween) {
  ClickKnob();
  form.Tick("S.Timer1");
  EXPECT_EQ(Knob(), 273);
  EXPECT_TRUE(sw.Value()) << "still on after the first tick of a slide off";
  EXPECT_EQ(Track(), Rgb(66, 250, 96));
  Tick("S.Timer1", 8);
  EXPECT_EQ(Knob(), 57);
  EXPECT_EQ(Track(), Rgb(186, 210, 192));
  EXPECT_TRUE(changes.empty());
  form.Tick("S.Timer1");
  EXPECT_EQ(Knob(), 30);
  EXPECT_FALSE(sw.Value());
  EXPECT_EQ(Track(), kSwitchOffColor);
  EXPECT_FALSE(form.timer("S.Timer1").enabled);
  EXPECT_EQ(changes, std::vector<bool>({false}));

  form.Click(form.Get("S"));
  form.Tick("S.Timer2");
  EXPECT_EQ(Knob(), 57);
  EXPECT_TRUE(sw.Value()) << "on from the first tick of a slide on";
  EXPECT_EQ(Track(), Rgb(186, 210, 192));
  Tick("S.Timer2", 9);
  EXPECT_EQ(Knob(), 300);
  EXPECT_EQ(Track(), kSwitchOnColor);
  EXPECT_FALSE(form.timer("S.Timer2").enabled);
  EXPECT_EQ(changes, std::vector<bool>({false, true}));
}

TEST_F(ToggleSwitchTest, AClickDuringASlideTurnsItRound) {
  ClickKnob();
  Tick("S.Timer1", 4);
  ClickKnob();
  EXPECT_FALSE(form.timer("S.Timer1").enabled);
  EXPECT_TRUE(form.timer("S.Timer2").enabled);
  Tick("S.Timer2", 3);
  EXPECT_TRUE(form.timer("S.Timer2").enabled);
  form.Tick("S.Timer2");
  EXPECT_EQ(Knob(), 300);
  EXPECT_EQ(Track(), kSwitchOnColor);
  EXPECT_FALSE(form.timer("S.Timer2").enabled);
  EXPECT_TRUE(changes.empty()) << "the value never left on";

  // Turned round twice, the slide off still ends off.
  ClickKnob();
  Tick("S.Timer1", 2);
  ClickKnob();
  form.Tick("S.Timer2");
  ClickKnob();
  Tick("S.Timer1", 9);
  EXPECT_FALSE(sw.Value());
  EXPECT_EQ(Track(), kSwitchOffColor);
  EXPECT_FALSE(form.timer("S.Timer1").enabled);
}

TEST_F(ToggleSwitchTest, WritingTheValueMovesTheKnobAtOnce) {
  sw.SetValue(false);
  EXPECT_EQ(Knob(), 30);
  EXPECT_EQ(Track(), kSwitchOffColor);
  sw.SetValue(false);
  EXPECT_EQ(changes, std::vector<bool>({false})) << "told only of a change";
  ClickKnob();
  form.Tick("S.Timer2");
  sw.SetValue(true);  // ends the slide where a write puts the knob
  EXPECT_EQ(Knob(), 300);
  EXPECT_EQ(Track(), kSwitchOnColor);
  EXPECT_FALSE(form.timer("S.Timer2").enabled);
  EXPECT_EQ(changes, std::vector<bool>({false, true}));
}

}  // namespace
}  // namespace velmo
