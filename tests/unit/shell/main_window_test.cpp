// Start-up of the window, home area, hover images and the key preview.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
  // What the user types first lands in the command box.
  EXPECT_EQ(form().focus(), &window->command_box());
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

// Hover looks on show: hover images of picture buttons and home tile overlays.
std::vector<std::string> Lit(const Control& c) {
  std::vector<std::string> lit;
  if (c.ShownInTree() && ((c.image_list && c.image % 2 == 0) || c.name == "Picture40")) {
    lit.push_back(c.name + (c.index >= 0 ? "(" + std::to_string(c.index) + ")" : ""));
  }
  for (const auto& child : c.children()) {
    for (std::string& name : Lit(*child)) lit.push_back(std::move(name));
  }
  return lit;
}

TEST_F(MainWindowTest, AFastPointerLeavesAtMostOneButtonLit) {
  // A fast pointer jumps from button to button and off the window without a move over the
  // surface between them.
  struct Step {
    const char* name;
    int index;
    std::vector<std::string> lit;
  };
  const Step home[] = {
      {"Picture39", 0, {"Picture39(0)", "Picture40(0)"}},
      {"Picture39", 2, {"Picture39(2)", "Picture40(2)"}},
      {"Picture40", 2, {"Picture39(2)", "Picture40(2)"}},  // the overlay belongs to its tile
      {"Picture39", 3, {"Picture39(3)", "Picture40(3)"}},
      {"Picture4", -1, {"Picture4"}},
  };
  for (const Step& s : home) {
    form().MoveOver(Get(s.name, s.index));
    EXPECT_EQ(Lit(form().root()), s.lit) << s.name << s.index;
  }
  form().Click(Get("Picture36"));
  TickUntilStopped("Timer4");
  for (const char* name :
       {"PicComputer", "PicRecycleBin", "PicMiniWindow", "Picture14", "PicHelpFile", "PicOptions",
        "PicShutdown", "PicRestart", "PicSleep", "PicComputer", "Picture38"}) {
    form().MoveOver(Get(name));
    EXPECT_EQ(Lit(form().root()), std::vector<std::string>{name});
  }
  form().MouseLeave();
  EXPECT_EQ(Lit(form().root()), std::vector<std::string>{});
}

// A single line of text as the box's fonts draw it, in twips: a Chinese character or an icon
// takes a full em, anything else at most 0.6 em; bold is a little wider.
int TextWidth(const Control& c) {
  double em = c.font.size_tenths * 2.0;
  double width = 0;
  for (char16_t ch : c.text) width += ch >= 0x2E80 ? em : 0.6 * em;
  return static_cast<int>(width * (c.font.bold ? 1.08 : 1.0));
}

struct Span {
  int left, top, right, bottom;
  bool Overlaps(const Span& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

Span ClientSpan(const Control& c) {
  return {c.ClientLeft(), c.ClientTop(), c.ClientLeft() + c.width, c.ClientTop() + c.height};
}

// Painted labels and titled pictures whose text does not fit their own rectangle or their
// containers', or that a control painted later on the same surface covers in part (a page
// or panel lying over them hides them whole, as intended).
// Where a label's or titled picture's text may go: beside a picture's image, or in its lowest
// third for a caption.
Span TextArea(const Control& c) {
  Span area = ClientSpan(c);
  if (c.kind == ControlKind::kPicture && c.image_list) {
    if (c.caption_below) {
      area.top = area.bottom - c.height / 3;
    } else {
      area.left += c.height;
    }
  }
  return area;
}

// Where a label's or titled picture's text lies.
Span TextSpan(const Control& c) {
  Span area = TextArea(c);
  int width = TextWidth(c);
  Span text = area;
  if (c.align == TextAlign::kLeft) text.right = area.left + width;
  if (c.align == TextAlign::kRight) text.left = area.right - width;
  if (c.align == TextAlign::kCenter) {
    text.left = (area.left + area.right - width) / 2;
    text.right = text.left + width;
  }
  return text;
}

// What a control paints over: a see-through label or picture only its text.
Span CoverSpan(const Control& c) {
  bool see_through = (c.kind == ControlKind::kLabel || c.kind == ControlKind::kPicture) &&
                     c.back_color == kNoBackground && !c.image_list;
  return see_through ? TextSpan(c) : ClientSpan(c);
}

std::vector<std::string> Clipped(Form& form) {
  std::vector<const Control*> order;  // paint order
  std::function<void(const Control&)> walk = [&](const Control& c) {
    if (!c.visible) return;
    order.push_back(&c);
    for (const auto& child : c.children()) walk(*child);
  };
  walk(form.root());
  std::vector<std::string> clipped;
  for (size_t i = 0; i < order.size(); ++i) {
    const Control& c = *order[i];
    bool painted_text = c.kind == ControlKind::kLabel || c.kind == ControlKind::kPicture;
    if (!painted_text || c.text.empty() || c.word_wrap ||
        c.text.find(u'\n') != std::u16string::npos) {
      continue;
    }
    Span area = TextArea(c);
    Span text = TextSpan(c);
    bool fits = text.left >= area.left && text.right <= area.right;
    for (const Control* p = c.parent(); p && p->parent(); p = p->parent()) {
      Span box = ClientSpan(*p);
      fits = fits && text.left >= box.left && text.right <= box.right && text.top >= box.top &&
             text.bottom <= box.bottom;
    }
    for (size_t j = i + 1; j < order.size() && fits; ++j) {
      const Control& above = *order[j];
      bool same_surface = false;
      for (const Control* p = c.parent(); p; p = p->parent()) same_surface |= p == above.parent();
      if (!same_surface || above.kind == ControlKind::kPanel || above.kind == ControlKind::kLine) {
        continue;
      }
      fits = !CoverSpan(above).Overlaps(text);
    }
    if (!fits)
      clipped.push_back(c.name + (c.index >= 0 ? "(" + std::to_string(c.index) + ")" : ""));
  }
  return clipped;
}

TEST_F(MainWindowTest, NoLabelIsClippedInAnyState) {
  auto check = [this](const std::string& state) {
    EXPECT_EQ(Clipped(form()), std::vector<std::string>{}) << state;
  };
  check("start-up");
  for (int i = 0; i < 4; ++i) {
    form().MoveOver(Get("Picture39", i));
    check("home tile " + std::to_string(i) + " under the pointer");
  }
  for (PageId id : {PageId::kMusic, PageId::kNotes, PageId::kItemList, PageId::kTools,
                    PageId::kAddItem, PageId::kCleaner, PageId::kPhoneBook, PageId::kContactEdit,
                    PageId::kClock, PageId::kExtensions}) {
    window->OpenPage(id);
    TickUntilStopped(window->page(id).slide_in->name.c_str());
    check(window->page(id).panel->name);
    if (id == PageId::kTools) {
      for (int i = 0; i < 9; ++i) {
        form().MoveOver(Get("PicTool", i));
        check("tool tile " + std::to_string(i));
      }
    }
    window->ClosePage(id);
    TickUntilStopped(window->page(id).slide_out->name.c_str());
  }
  form().Click(Get("Picture36"));
  TickUntilStopped("Timer4");
  check("drawer");
  window->ShowMessage(u"未找到名为“notepad”的项目。", u"命令无效");
  TickUntilStopped("Timer16");
  check("message");
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
