// Start-up of the window, home area, hover images and the key preview.
#include <gtest/gtest.h>

#include "window_fixture.h"

namespace velmo {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartUpState) {
  EXPECT_EQ(form().caption, u"Velmo盒子");
  EXPECT_TRUE(form().topmost);
  EXPECT_TRUE(form().visible);
  EXPECT_EQ(form().opacity, 255);
  EXPECT_EQ(window->docking().countdown(), 3);
  struct TimerCase {
    const char* name;
    int interval;
    bool enabled;
  };
  const TimerCase timers[] = {
      {"Timer6", 100, true},  {"Timer7", 10, false},  {"Timer8", 10, false},
      {"Timer10", 800, true}, {"Timer37", 100, true}, {"Timer4", 10, false},
      {"Timer5", 10, false},  {"Timer15", 10, false}, {"Timer16", 10, false}};
  for (const TimerCase& t : timers) {
    EXPECT_EQ(TimerOf(t.name).interval_ms, t.interval) << t.name;
    EXPECT_EQ(TimerOf(t.name).enabled, t.enabled) << t.name;
  }
  for (const char* page : {"Picture17", "Picture18", "Picture33", "Picture49", "Picture8",
                           "Picture52", "Picture54", "Picture60", "Picture63", "Picture66"}) {
    EXPECT_EQ(Get(page).left, kPageHiddenLeft) << page;
    EXPECT_EQ(Get(page).top, 0) << page;
  }
  EXPECT_EQ(Get("Picture35").left, kDrawerCollapsedLeft);
}

TEST_F(MainWindowTest, VersionLabelAndNameLabel) {
  EXPECT_EQ(Get("LblVersion").text, u"版本：1.4.0.11");
  EXPECT_EQ(Get("LblName").text, u"Velmo盒子");
}

TEST_F(MainWindowTest, HelpAreaHoldsTwelveLinesSecondAndEleventhEmpty) {
  std::u16string help = Get("PicHelp").text;
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t end; (end = help.find(u"\r\n", start)) != std::u16string::npos; start = end + 2) {
    lines.push_back(help.substr(start, end - start));
  }
  lines.push_back(help.substr(start));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], u"输入框前置标识符说明");
  EXPECT_EQ(lines[1], u"");
  EXPECT_EQ(lines[4], u"^- 启用百度搜索输入的内容。");
  EXPECT_EQ(lines[10], u"");
  EXPECT_EQ(lines[11], u"使用方法：前置符+输入内容");
}

TEST_F(MainWindowTest, HomeArea) {
  const char16_t* titles[] = {u"音乐", u"便笺", u"快速启动", u"小工具"};
  for (int i = 0; i < 4; ++i) {
    Control& tile = Get("Picture39", i);
    EXPECT_EQ(tile.text, titles[i]);
    EXPECT_EQ(tile.image_list, &window->images().ilb);
    EXPECT_EQ(tile.image, 2 * i + 1);
    EXPECT_FALSE(Get("Picture40", i).visible);
  }
  EXPECT_EQ(Get("Label13").text, u"最近打开的内容");
  EXPECT_EQ(Get("Label13").tag, u"最近打开的内容");
  EXPECT_EQ(Get("Picture4").tool_tip, u"执行");
  EXPECT_EQ(Get("Picture4").image, 23);
  EXPECT_EQ(Get("Text2").kind, ControlKind::kTextBox);
}

TEST_F(MainWindowTest, RecentContentLabelRunsItsTextOnlyWhenItNamesSomething) {
  int runs = 0;
  window->on_execute = [&runs] { ++runs; };
  form().Click(Get("Label13"));
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(window->command_box().text, u"");
  Get("Label13").text = u"notepad";
  form().Click(Get("Label13"));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(window->command_box().text, u"notepad");
}

TEST_F(MainWindowTest, HomeTilesShowHoverImageAndOverlayUntilThePointerIsOverTheBackground) {
  for (int i = 0; i < 4; ++i) {
    form().MoveOver(Get("Picture39", i));
    EXPECT_EQ(Get("Picture39", i).image, 2 * i + 2);
    EXPECT_TRUE(Get("Picture40", i).visible);
    for (int j = 0; j < 4; ++j) {
      if (j != i) {
        EXPECT_EQ(Get("Picture39", j).image, 2 * j + 1);
      }
    }
  }
  form().MouseMove(4520, 600, MouseButton::kNone, {});  // the window's background
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Get("Picture39", i).image, 2 * i + 1);
    EXPECT_FALSE(Get("Picture40", i).visible);
  }
}

TEST_F(MainWindowTest, ButtonsShowNPlusOneUnderThePointerAndNOverTheirSurface) {
  struct Case {
    const char* button;
    int normal;
    int drawer_left;
    int surface_x, surface_y;  // a spot on the surface beneath, client twips
  };
  const Case cases[] = {{"Picture4", 23, kDrawerCollapsedLeft, 4520, 600},
                        {"Picture36", 21, kDrawerCollapsedLeft, 200, 3000},
                        {"PicShutdown", 1, 0, 3000, 1800},
                        {"PicComputer", 33, 0, 3000, 1800},
                        {"Picture14", 13, 0, 3000, 1800}};
  for (const Case& c : cases) {
    Get("Picture35").left = c.drawer_left;
    Control& b = Get(c.button);
    form().MoveOver(b);
    EXPECT_EQ(b.image, c.normal + 1) << c.button;
    form().MouseMove(c.surface_x, c.surface_y, MouseButton::kNone, {});
    EXPECT_EQ(b.image, c.normal) << c.button;
  }
}

TEST_F(MainWindowTest, CtrlAltKeysReachThePlayerBeforeTheFocusedControl) {
  std::vector<int> player;
  window->on_player_key = [&player](const KeyEvent& e) {
    player.push_back(e.key);
    return true;
  };
  bool box_saw_key = false;
  window->command_box().on_key_down = [&box_saw_key](const KeyEvent&) {
    box_saw_key = true;
    return false;
  };
  EXPECT_TRUE(form().KeyDown({37, {false, true, true}}, &window->command_box()));
  EXPECT_FALSE(box_saw_key);
  EXPECT_FALSE(form().KeyDown({37, {true, true, true}}, &window->command_box()));
  EXPECT_FALSE(form().KeyDown({37, {false, true, false}}, &window->command_box()));
  EXPECT_TRUE(box_saw_key);
  EXPECT_EQ(player, std::vector<int>{37});
}

}  // namespace
}  // namespace velmo
