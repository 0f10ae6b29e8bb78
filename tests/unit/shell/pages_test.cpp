// Pages: openers, slide timers, tick counts, end positions, enable and focus rules.
#include <gtest/gtest.h>

#include "box/shell/window_parts.h"
#include "window_fixture.h"

namespace velmo {
namespace {

TEST(SlideTickTest, StopsExactlyAtTheEnd) {
  struct Case {
    int from, step, end, ticks;
  };
  const Case cases[] = {
      {4500, -300, 0, 15}, {0, 300, 4500, 15},  {-3840, 300, 0, 13}, {0, -300, -3840, 13},
      {6000, -300, 0, 20}, {5700, -300, 0, 19}, {0, 300, 5700, 19},  {100, -300, 0, 1},
  };
  for (const Case& c : cases) {
    int value = c.from;
    int ticks = 0;
    while (!SlideTick(value, c.step, c.end)) {
      ++ticks;
      ASSERT_NE(value, c.end) << "arrived without stopping, from " << c.from;
      ASSERT_LT(ticks, 100);
    }
    EXPECT_EQ(ticks + 1, c.ticks) << "from " << c.from << " to " << c.end;
    EXPECT_EQ(value, c.end);
  }
}

struct PageCase {
  PageId id;
  const char* panel;
  const char* opener;  // control clicked to open it
  int opener_index;
  PageId opener_page;  // page that holds the opener, or the page itself for home tiles
  const char* in_timer;
  const char* back;
  const char* out_timer;
  bool back_disables;
  bool reopens_home;  // its slide-out enables the four home tiles
};

const PageCase kPages[] = {
    {PageId::kMusic, "Picture17", "Picture39", 0, PageId::kMusic, "Timer17", "Picture20", "Timer18",
     true, true},
    {PageId::kNotes, "Picture18", "Picture39", 1, PageId::kNotes, "Timer11", "Picture16", "Timer12",
     true, true},
    {PageId::kItemList, "Picture33", "Picture39", 2, PageId::kItemList, "Timer20", "Picture34",
     "Timer19", true, true},
    {PageId::kTools, "Picture49", "Picture39", 3, PageId::kTools, "Timer22", "Picture50", "Timer9",
     true, true},
    {PageId::kAddItem, "Picture8", "Picture5", -1, PageId::kItemList, "Timer1", "Picture11",
     "Timer2", true, false},
    {PageId::kCleaner, "Picture52", "PicTool", 2, PageId::kTools, "Timer24", "Picture53", "Timer23",
     true, true},
    {PageId::kPhoneBook, "Picture54", "PicTool", 4, PageId::kTools, "Timer26", "Picture55",
     "Timer27", true, true},
    {PageId::kContactEdit, "Picture60", "Picture58", -1, PageId::kPhoneBook, "Timer29", "Picture61",
     "Timer28", false, false},
    {PageId::kExtensions, "Picture66", "PicTool", 8, PageId::kTools, "Timer35", "Picture67",
     "Timer36", false, false},
};

class PagesTest : public WindowTest {
 protected:
  void Show(PageId id) {
    window->OpenPage(id);
    Page& p = window->page(id);
    while (p.slide_in->enabled) form().Tick(*p.slide_in);
  }
};

TEST_F(PagesTest, EveryPageSlidesInAndOutInFifteenTicks) {
  for (const PageCase& c : kPages) {
    SCOPED_TRACE(c.panel);
    SetUp();
    if (c.opener_page != c.id) {
      if (c.opener_page == PageId::kPhoneBook) Show(PageId::kTools);
      Show(c.opener_page);
    }
    Control& panel = Get(c.panel);
    EXPECT_EQ(panel.left, kPageHiddenLeft);
    EXPECT_EQ(panel.width, 4575);
    EXPECT_EQ(panel.height, 5535);
    form().Click(Get(c.opener, c.opener_index));
    ASSERT_TRUE(TimerOf(c.in_timer).enabled);
    EXPECT_EQ(TimerOf(c.in_timer).interval_ms, 10);
    for (int i = 0; i < 14; ++i) form().Tick(c.in_timer);
    EXPECT_EQ(panel.left, 300);
    EXPECT_EQ(TickUntilStopped(c.in_timer), 1);
    EXPECT_EQ(panel.left, 0);

    for (int i = 0; i < 4; ++i) Get("Picture39", i).enabled = false;
    Control& back = Get(c.back);
    form().Click(back);
    ASSERT_TRUE(TimerOf(c.out_timer).enabled);
    EXPECT_EQ(back.enabled, !c.back_disables);
    EXPECT_EQ(TickUntilStopped(c.out_timer), 15);
    EXPECT_EQ(panel.left, kPageHiddenLeft);
    EXPECT_TRUE(back.enabled);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Get("Picture39", i).enabled, c.reopens_home) << i;
  }
}

TEST_F(PagesTest, HomeTilesStayDisabledUntilTheirPageHasSlidOut) {
  form().Click(Get("Picture39", 0));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(Get("Picture39", i).enabled);
  // A quick second click, on the same tile or another, opens nothing more.
  Control& notes_tile = Get("Picture39", 1);
  form().DoubleClick(notes_tile.ClientLeft() + 100, notes_tile.ClientTop() + 100,
                     MouseButton::kLeft, {});
  form().Click(Get("Picture39", 0));
  EXPECT_FALSE(TimerOf("Timer11").enabled);
  EXPECT_EQ(TickUntilStopped("Timer17"), 15);
  form().Click(Get("Picture20"));
  TickUntilStopped("Timer18");
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Get("Picture39", i).enabled);
}

TEST_F(PagesTest, ADoubleClickOnAnIdleTileOpensItsPageOnce) {
  Control& tile = Get("Picture39", 3);
  form().DoubleClick(tile.ClientLeft() + 100, tile.ClientTop() + 100, MouseButton::kLeft, {});
  EXPECT_TRUE(TimerOf("Timer22").enabled);
  EXPECT_EQ(TickUntilStopped("Timer22"), 15);
  EXPECT_EQ(Get("Picture49").left, 0);
}

TEST_F(PagesTest, FocusAtTheEndOfSlides) {
  form().SetFocus(&window->command_box());
  form().Click(Get("Picture39", 0));
  EXPECT_EQ(form().focus(), nullptr);  // the tile gives the focus to the window
  TickUntilStopped("Timer17");
  EXPECT_EQ(form().focus(), &Get("Picture17"));

  form().Click(Get("Picture20"));
  TickUntilStopped("Timer18");
  form().Click(Get("Picture39", 3));
  TickUntilStopped("Timer22");
  EXPECT_EQ(form().focus(), &Get("Picture49"));
  form().Click(Get("Picture50"));
  TickUntilStopped("Timer9");
  EXPECT_EQ(form().focus(), &window->command_box());

  // The item list and the phone book hand the focus back to the command box too.
  for (PageId id : {PageId::kItemList, PageId::kPhoneBook}) {
    Show(id);
    form().SetFocus(window->page(id).panel);
    window->ClosePage(id);
    TickUntilStopped(window->page(id).slide_out->name.c_str());
    EXPECT_EQ(form().focus(), &window->command_box());
  }
}

TEST_F(PagesTest, AddItemOpenerIsEnabledAgainWhenThePageIsIn) {
  Show(PageId::kItemList);
  Control& add = Get("Picture5");
  form().Click(add);
  EXPECT_FALSE(add.enabled);
  TickUntilStopped("Timer1");
  EXPECT_TRUE(add.enabled);
}

TEST_F(PagesTest, CleanerTitleFollowsThePowerfulCleaningSwitch) {
  for (bool on : {true, false}) {
    state.settings.Set(Setting::kPowerfulCleaningMode, on);
    Show(PageId::kCleaner);
    EXPECT_EQ(Get("Label16").fore_color, on ? Rgb(255, 0, 0) : Rgb(0, 0, 0));
    window->ClosePage(PageId::kCleaner);
    TickUntilStopped("Timer23");
  }
}

TEST_F(PagesTest, DrawerExpandsAndCollapses) {
  Control& drawer = Get("Picture35");
  Control& expand = Get("Picture36");
  Control& collapse = Get("Picture38");
  EXPECT_EQ(drawer.left, kDrawerCollapsedLeft);
  EXPECT_EQ(drawer.width, 4335);
  EXPECT_TRUE(expand.visible);
  EXPECT_FALSE(collapse.visible);

  form().Click(expand);
  EXPECT_FALSE(expand.enabled);
  EXPECT_EQ(TickUntilStopped("Timer4"), 13);
  EXPECT_EQ(drawer.left, 0);
  EXPECT_FALSE(expand.visible);
  EXPECT_TRUE(expand.enabled);
  EXPECT_TRUE(collapse.visible);

  form().Click(collapse);
  EXPECT_FALSE(collapse.enabled);
  EXPECT_EQ(TickUntilStopped("Timer5"), 13);
  EXPECT_EQ(drawer.left, kDrawerCollapsedLeft);
  EXPECT_FALSE(collapse.visible);
  EXPECT_TRUE(collapse.enabled);
  EXPECT_TRUE(expand.visible);
}

TEST_F(PagesTest, DrawerButtonsCarryTheirToolTipsAndImages) {
  struct Button {
    const char* name;
    int image;
    const char16_t* tip;
  };
  const Button buttons[] = {
      {"PicShutdown", 1, u"关机"},
      {"PicSleep", 3, u"睡眠"},
      {"PicRestart", 5, u"重启"},
      {"Picture14", 13, u"关闭声音"},
      {"PicHelpFile", 17, u"帮助"},
      {"PicComputer", 33, u"计算机"},
      {"PicRecycleBin", 35, u"回收站(右键清空)"},
      {"PicMiniWindow", 37, u"迷你窗口"},
      {"Picture36", 21, u"展开工具条"},
      {"Picture38", 39, u"收起工具条"},
  };
  for (const Button& b : buttons) {
    Control& c = Get(b.name);
    EXPECT_EQ(c.image_list, &window->images().image_list1) << b.name;
    EXPECT_EQ(c.image, b.image) << b.name;
    EXPECT_EQ(c.tool_tip, b.tip) << b.name;
    EXPECT_EQ(c.parent(), &Get("Picture35")) << b.name;
  }
}

}  // namespace
}  // namespace velmo
