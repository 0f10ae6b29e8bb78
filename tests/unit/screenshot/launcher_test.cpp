// The launcher window's layout in twips, its hover pictures and its clicks.
#include "screenshot/launcher.h"

#include <gtest/gtest.h>

namespace shot {
namespace {

TEST(Launcher, LayoutFollowsTheWindowSize) {
  Launcher l;
  EXPECT_EQ(l.panel(), (TwipsRect{15, 330, 1590, 1200}));
  EXPECT_EQ(l.title_label(), (TwipsRect{60, 0, 840, 300}));
  EXPECT_EQ(l.menu()[0].rect, (TwipsRect{1320, 15, 270, 270}));
  EXPECT_EQ(l.menu()[1].rect, (TwipsRect{660, 15, 270, 270}));
  EXPECT_EQ(l.menu()[2].rect, (TwipsRect{990, 15, 270, 270}));
  // The title ends before the first button in the strip.
  EXPECT_LE(l.title_label().left + l.title_label().width, l.menu()[2].rect.left);
  EXPECT_TRUE(l.menu()[0].visible);
  EXPECT_FALSE(l.menu()[1].visible);
  EXPECT_TRUE(l.menu()[2].visible);
  EXPECT_EQ(l.capture_button(), (TwipsRect{315, 120, 960, 960}));
  EXPECT_EQ(l.hover_frame(), l.capture_button());
  EXPECT_FALSE(l.hover_solid());

  Launcher wide(2000, 1800);
  EXPECT_EQ(wide.panel(), (TwipsRect{15, 330, 1970, 1455}));
  EXPECT_EQ(wide.menu()[0].rect.left, 1700);
  EXPECT_EQ(wide.menu()[2].rect.left, 1370);
  EXPECT_EQ(wide.capture_button().left, 505);
}

TEST(Launcher, TitleButtonsShowTheirHoverPictures) {
  Launcher l;
  for (int i = 0; i < kMenuButtonCount; ++i) EXPECT_EQ(l.menu()[i].picture, 2 * i + 1);
  l.Move(1400, 100);  // over the close button
  EXPECT_EQ(l.menu()[0].picture, 2);
  l.Move(1100, 100);  // over the minimise button
  EXPECT_EQ(l.menu()[2].picture, 6);
  EXPECT_EQ(l.menu()[0].picture, 2);  // only the body resets them
  l.Move(1610, 320);                  // the body: the border right of the buttons
  EXPECT_EQ(l.menu()[0].picture, 1);
  EXPECT_EQ(l.menu()[2].picture, 5);
  l.Move(1400, 100);
  l.Leave();
  EXPECT_EQ(l.menu()[0].picture, 1);
}

TEST(Launcher, HoverFrameFollowsTheCaptureButtonAndThePanel) {
  Launcher l;
  TwipsRect b = l.capture_button();
  int bx = l.panel().left + b.left + 100, by = l.panel().top + b.top + 100;
  l.Move(bx, by);
  EXPECT_TRUE(l.hover_solid());
  l.Move(5, 800);  // straight onto the border: the highlight stays
  EXPECT_TRUE(l.hover_solid());
  l.Move(bx, by);
  l.Move(l.panel().left + 20, l.panel().top + 20);  // onto the panel
  EXPECT_FALSE(l.hover_solid());
  l.Move(bx, by);
  l.ResetHoverFrame();
  EXPECT_FALSE(l.hover_solid());
}

TEST(Launcher, ClicksAndDrags) {
  struct Row {
    const char* part;
    int x, y;
    LauncherCommand press, click;
  };
  const Row rows[] = {
      {"capture button", 15 + 315 + 480, 330 + 120 + 480, LauncherCommand::kNone,
       LauncherCommand::kCapture},
      {"close", 1400, 100, LauncherCommand::kNone, LauncherCommand::kClose},
      {"minimise", 1100, 100, LauncherCommand::kNone, LauncherCommand::kMinimise},
      {"hidden button", 700, 100, LauncherCommand::kDrag, LauncherCommand::kNone},
      {"title label", 200, 150, LauncherCommand::kDrag, LauncherCommand::kNone},
      {"body", 5, 800, LauncherCommand::kDrag, LauncherCommand::kNone},
      {"panel", 100, 1400, LauncherCommand::kNone, LauncherCommand::kNone},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.part);
    Launcher l;
    EXPECT_EQ(l.Press(r.x, r.y), r.press);
    EXPECT_EQ(l.Release(r.x, r.y), r.click);
  }
  Launcher l;
  l.Press(1400, 100);
  EXPECT_EQ(l.Release(1100, 100), LauncherCommand::kNone);  // released on another button
  EXPECT_EQ(l.Release(1400, 100), LauncherCommand::kNone);  // no press before it
}

}  // namespace
}  // namespace shot
