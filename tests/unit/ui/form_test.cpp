// The generic window model: hit testing, event routing, timers and what the host draws.
#include "box/ui/form.h"

#include <gtest/gtest.h>

#include <optional>

namespace velmo {
namespace {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.width = 3000;
    form.height = 3000;
    panel = &form.Add(form.root(), ControlKind::kPanel, "Panel");
    panel->left = 1000;
    panel->top = 1000;
    panel->width = 1500;
    panel->height = 1500;
    button = &form.Add(*panel, ControlKind::kPicture, "Button", 2);
    button->left = 300;
    button->top = 300;
    button->width = 360;
    button->height = 360;
    button->on_click = [this](const MouseEvent& e) { clicks.push_back({e.x, e.y}); };
  }
  Form form;
  Control* panel = nullptr;
  Control* button = nullptr;
  std::vector<std::pair<int, int>> clicks;
};

TEST_F(FormTest, HitTestFindsTheTopmostShownControl) {
  struct Case {
    int x, y;
    const char* name;
  };
  const Case cases[] = {
      {1400, 1400, "Button"}, {1100, 1100, "Panel"}, {500, 500, "Form"}, {2600, 2600, "Form"}};
  for (const Case& c : cases) {
    ASSERT_NE(form.HitTest(c.x, c.y), nullptr);
    EXPECT_EQ(form.HitTest(c.x, c.y)->name, c.name) << c.x << "," << c.y;
  }
  Control& cover = form.Add(form.root(), ControlKind::kPanel, "Cover");
  cover.width = 3000;
  cover.height = 3000;
  EXPECT_EQ(form.HitTest(1400, 1400), &cover);
  cover.visible = false;
  EXPECT_EQ(form.HitTest(1400, 1400), button);
  form.BringToFront(*panel);
  cover.visible = true;
  EXPECT_EQ(form.HitTest(1400, 1400), button);
}

TEST_F(FormTest, ClickNeedsPressAndReleaseOnTheSameEnabledControl) {
  form.MouseDown(1400, 1400, MouseButton::kLeft, {});
  form.MouseUp(1100, 1100, MouseButton::kLeft, {});
  EXPECT_TRUE(clicks.empty());
  form.MouseDown(1400, 1400, MouseButton::kLeft, {});
  form.MouseUp(1400, 1400, MouseButton::kLeft, {});
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], std::make_pair(100, 100));  // relative to the button
  form.MouseDown(1400, 1400, MouseButton::kRight, {});
  form.MouseUp(1400, 1400, MouseButton::kRight, {});
  EXPECT_EQ(clicks.size(), 1u);
  panel->enabled = false;  // a disabled container disables what it holds
  form.Click(*button);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(FormTest, DoubleClickWithoutHandlerIsOneMoreClick) {
  form.DoubleClick(1400, 1400, MouseButton::kLeft, {});
  EXPECT_EQ(clicks.size(), 1u);
  int doubles = 0;
  button->on_double_click = [&doubles](const MouseEvent&) { ++doubles; };
  form.DoubleClick(1400, 1400, MouseButton::kLeft, {});
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(doubles, 1);
}

TEST_F(FormTest, MouseMovesGoToTheNearestHandlerAfterTheWindowSawThem) {
  std::vector<std::string> seen;
  form.on_any_mouse_move = [&seen] { seen.push_back("window"); };
  panel->on_mouse_move = [&seen](const MouseEvent&) { seen.push_back("panel"); };
  Control& label = form.Add(*panel, ControlKind::kLabel, "Label");
  label.width = 200;
  label.height = 200;
  form.MoveOver(label);
  form.MoveOver(*button);  // the button has no move handler
  EXPECT_EQ(seen, (std::vector<std::string>{"window", "panel", "window", "panel"}));
}

TEST_F(FormTest, ThePointerLeavesEveryControlItIsNoLongerInsideInnermostFirst) {
  std::vector<std::string> left;
  for (Control* c : {&form.root(), panel, button}) {
    c->on_mouse_leave = [&left, c] { left.push_back(c->name); };
  }
  struct Step {
    int x, y;  // -1: out of the window
    std::vector<std::string> left;
  };
  const Step steps[] = {
      {1400, 1400, {}},                 // onto the button
      {1450, 1450, {}},                 // still on it
      {1100, 1100, {"Button"}},         // onto its panel
      {1400, 1400, {}},                 // back onto the button
      {500, 500, {"Button", "Panel"}},  // straight to the background
      {1400, 1400, {}},                 //
      {-1, -1, {"Button", "Panel", "Form"}},
      {-1, -1, {}},  // a second leave has nothing left to leave
  };
  for (const Step& s : steps) {
    left.clear();
    if (s.x < 0) {
      form.MouseLeave();
    } else {
      form.MouseMove(s.x, s.y, MouseButton::kNone, {});
    }
    EXPECT_EQ(left, s.left) << s.x << "," << s.y;
  }
  // A control disabled under the pointer gives way to its container, and still hears of it.
  form.MouseMove(1400, 1400, MouseButton::kNone, {});
  left.clear();
  button->enabled = false;
  form.MouseMove(1410, 1410, MouseButton::kNone, {});
  EXPECT_EQ(left, std::vector<std::string>{"Button"});
}

TEST_F(FormTest, APressOnADisabledBoxLeavesNoOtherBoxWithTheKeyboard) {
  Control& name = form.Add(form.root(), ControlKind::kTextBox, "Name");
  Control& path = form.Add(form.root(), ControlKind::kTextBox, "Path");
  for (Control* box : {&name, &path}) {
    box->top = box == &name ? 0 : 400;
    box->width = 900;
    box->height = 300;
  }
  form.SetFocus(&name);
  form.Click(path);
  EXPECT_EQ(form.focus(), &name);  // an enabled box takes the focus in the host
  path.enabled = false;
  form.Click(path);
  EXPECT_EQ(form.focus(), nullptr);
}

TEST_F(FormTest, TimersTickOnlyWhileEnabled) {
  int ticks = 0;
  Timer& t = form.AddTimer("Timer1", 10, [&ticks] { ++ticks; });
  form.Tick(t);
  t.Start();
  form.Tick("Timer1");
  t.Stop();
  form.Tick(t);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(form.FindTimer("Timer2"), nullptr);
}

TEST_F(FormTest, NativeEditsReportChangesOnce) {
  Control& box = form.Add(form.root(), ControlKind::kTextBox, "Text2");
  int changes = 0;
  box.on_change = [&changes] { ++changes; };
  form.TextEdited(box, u"你好");
  form.TextEdited(box, u"你好");
  EXPECT_EQ(box.text, u"你好");
  EXPECT_EQ(changes, 1);
  Control& list = form.Add(form.root(), ControlKind::kListBox, "List1");
  list.items = {u"a", u"b"};
  form.SelectionMade(list, 1);
  EXPECT_EQ(list.selected, 1);
}

TEST_F(FormTest, LooksSayWhatTheHostDrawsAndWhere) {
  const PixelScale at96(96), at192(192);
  auto look_of = [this](const Control* c, const PixelScale& scale) {
    for (const ControlLook& l : form.Looks(scale)) {
      if (l.control == c) return std::optional<ControlLook>(l);
    }
    return std::optional<ControlLook>();
  };
  ASSERT_TRUE(look_of(button, at96));
  EXPECT_EQ(look_of(button, at96)->area.left, at96.Pixels(1000) + at96.Pixels(300));
  std::vector<ControlLook> before = form.Looks(at96);
  button->left += 5;  // a third of a pixel at 96 dpi, two thirds at 192
  EXPECT_EQ(form.Looks(at96), before);
  std::optional<ControlLook> at_192 = look_of(button, at192);
  button->left += 10;
  EXPECT_NE(look_of(button, at192), at_192);
  EXPECT_NE(form.Looks(at96), before);
  std::vector<ControlLook> moved = form.Looks(at96);
  button->image = 2;
  EXPECT_NE(form.Looks(at96), moved);
  std::vector<ControlLook> imaged = form.Looks(at96);
  button->on_click = nullptr;  // behaviour is not drawn
  EXPECT_EQ(form.Looks(at96), imaged);

  // A control sliding out of its container shows less and less of itself, then nothing.
  button->left = 1400;
  EXPECT_EQ(look_of(button, at96)->area.right, at96.Pixels(1000) + at96.Pixels(1500));
  button->left = 1600;
  EXPECT_FALSE(look_of(button, at96));

  // A line's ends count between pixels; its stroke reaches past them.
  Control& line = form.Add(*panel, ControlKind::kLine, "Line");
  line.border_color = Rgb(0, 0, 0);
  line.top = 300;
  line.width = 600;
  std::optional<ControlLook> level = look_of(&line, at96);
  ASSERT_TRUE(level);
  EXPECT_LT(level->area.top, at96.Pixels(1000) + at96.Pixels(300));
  line.height = 7;
  EXPECT_NE(look_of(&line, at96), level);

  panel->visible = false;
  std::vector<ControlLook> hidden = form.Looks(at96);
  EXPECT_EQ(hidden.size(), 1u) << "only the window's background";
  button->text = u"not drawn while hidden";
  EXPECT_EQ(form.Looks(at96), hidden);
}

TEST_F(FormTest, FindsControlArrayMembersByIndex) {
  EXPECT_EQ(form.Find("Button", 2), button);
  EXPECT_EQ(form.Find("Button"), nullptr);
  EXPECT_EQ(button->ClientLeft(), 1300);
  EXPECT_EQ(button->ClientTop(), 1300);
}

}  // namespace
}  // namespace velmo
