// The clock, the scheduler and the notes inside the whole box on fakes: hand angles at the times
// that matter, the page's ticks running only while it is open, plans fired through the command
// box one a tick, the note's preview on its tile, and the badge that stands in for the box.
#include <gtest/gtest.h>

#include <cmath>

#include "box/app/box.h"
#include "box/clock/clock_face.h"
#include "box/clock/scheduler.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

float Degrees(float radians) { return radians * 180 / 3.1415927f; }

TEST(ClockFaceTest, HandAnglesFollowTheClockAndTheHourHandJumpsFiveTimesAnHour) {
  struct Case {
    int h, m, s;
    float second, minute, hour;  // degrees
  };
  const Case cases[] = {{0, 0, 0, 0, 0, 0},          {12, 0, 0, 0, 0, 0},
                        {15, 30, 45, 270, 180, 102}, {3, 59, 59, 354, 354, 114},
                        {9, 11, 0, 0, 66, 270},      {9, 12, 0, 0, 72, 276},
                        {23, 48, 30, 180, 288, 354}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.h << ":" << c.m << ":" << c.s);
    HandAngles a = HandAnglesAt(c.h, c.m, c.s);
    EXPECT_NEAR(Degrees(a.second), c.second, 1e-3);
    EXPECT_NEAR(Degrees(a.minute), c.minute, 1e-3);
    EXPECT_NEAR(Degrees(a.hour), c.hour, 1e-3);
  }
  // Angle 0 points at 12 and a quarter turn at 3, y growing upward.
  FacePoint three = HandEnd(5, 3.1415927f / 2);
  EXPECT_NEAR(three.x, 5, 1e-5);
  EXPECT_NEAR(three.y, 0, 1e-5);
  EXPECT_EQ(FaceTwipsX(-10, 3735), 0);
  EXPECT_EQ(FaceTwipsY(-10, 3735), 3735);
  FacePoint centre = FaceUnits(1867, 1868, 3735);
  EXPECT_NEAR(centre.x, 0, 0.01);
  EXPECT_NEAR(centre.y, 0, 0.01);
}

TEST(SchedulerTest, PlansFireByTheirFirstFiveCharactersOneACall) {
  EXPECT_FALSE(PlanInputComplete(u"1", u"abcd"));
  EXPECT_TRUE(PlanInputComplete(u"1", u"abcde"));
  EXPECT_FALSE(PlanInputComplete(u"", u"abcdefgh"));
  EXPECT_FALSE(PlanInputComplete(u"12:30", u""));
  EXPECT_EQ(PlanMinute({2026, 12, 8, 9, 5, 59}), u"09:05");

  // What Chinese punctuation mode types for the time ("12：30", full-width digits) is the time.
  std::vector<std::u16string> plans = {PlanLine(u"9:30", u"never"), PlanLine(u"12：30", u"!a"),
                                       PlanLine(u"\uFF11\uFF12\uFF1A\uFF13\uFF10", u"b"),
                                       PlanLine(u"12:30:00", u"c")};
  EXPECT_EQ(plans[1], u"12:30 !a");
  EXPECT_EQ(plans[2], u"12:30 b");
  EXPECT_EQ(TakeDuePlan(plans, u"09:30"), std::nullopt) << "'9:30' is not '09:30'";
  EXPECT_EQ(TakeDuePlan(plans, u"12:30"), u"!a");
  EXPECT_EQ(TakeDuePlan(plans, u"12:30"), u"b");
  EXPECT_EQ(TakeDuePlan(plans, u"12:30"), u"00 c");
  EXPECT_EQ(TakeDuePlan(plans, u"12:30"), std::nullopt);
  EXPECT_EQ(plans, std::vector<std::u16string>({u"9:30 never"}));
}

class ClockTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.program_folder = u"C:\\Box";
    box = std::make_unique<Box>(state, services);
    box->Startup();
  }
  Form& form() { return box->window().form(); }
  Control& Get(const char* name, int index = -1) { return form().Get(name, index); }
  void Finish(const char* timer) {
    for (int i = 0; i < 100 && form().timer(timer).enabled; ++i) form().Tick(timer);
    ASSERT_FALSE(form().timer(timer).enabled) << timer;
  }
  void At(int h, int m, int s) { clock.now = {2026, 12, 8, h, m, s}; }
  void OpenClock() {
    form().Click(Get("Picture39", 3));
    Finish("Timer22");
    form().Click(Get("PicTool", 5));
  }
  // A hand's end, twips from the face's centre, y upward.
  std::pair<int, int> Hand(const char* name) {
    Control& h = Get(name);
    return {h.width, -h.height};
  }
  void Type(const char* box, std::u16string text) { form().TextEdited(Get(box), std::move(text)); }

  BoxState state;
  std::unique_ptr<Box> box;
};

TEST_F(ClockTest, TheFaceFollowsTheTimeOnlyWhileThePageIsOpen) {
  // The designed hands: 6.72, 5.03 and 3.12 units on the 3735-twip face.
  EXPECT_NEAR(std::hypot(Hand("S").first, Hand("S").second), 1254, 2);
  EXPECT_NEAR(std::hypot(Hand("M").first, Hand("M").second), 939, 2);
  EXPECT_NEAR(std::hypot(Hand("H").first, Hand("H").second), 583, 2);
  EXPECT_EQ(Get("Picture65").left, (4575 - 3735) / 2);
  EXPECT_EQ(Get("S").left, 1868);
  EXPECT_EQ(Get("S").top, 1868);

  At(15, 30, 45);
  OpenClock();
  EXPECT_EQ(Get("Label2").text, u"15:30:45");
  auto [sx, sy] = Hand("S");
  EXPECT_NEAR(sx, -1254, 2) << "the second hand points at 9";
  EXPECT_NEAR(sy, 0, 2);
  auto [mx, my] = Hand("M");
  EXPECT_NEAR(mx, 0, 2) << "the minute hand points at 6";
  EXPECT_NEAR(my, -939, 2);
  auto [hx, hy] = Hand("H");
  EXPECT_NEAR(hx, 583 * std::sin(102 * 3.1415927 / 180), 2) << "12 degrees past 3";
  EXPECT_NEAR(hy, 583 * std::cos(102 * 3.1415927 / 180), 2);
  EXPECT_TRUE(form().timer("Timer34").enabled);
  EXPECT_TRUE(form().timer("Timer33").enabled);
  Finish("Timer31");
  EXPECT_EQ(Get("Picture63").left, 0);

  At(15, 31, 0);
  form().Tick("Timer34");
  EXPECT_NEAR(Hand("S").second, 1254, 2) << "the second hand is back at 12";
  form().Tick("Timer33");
  EXPECT_EQ(Get("Label2").text, u"15:31:00");

  form().Click(Get("Picture64"));
  Finish("Timer32");
  EXPECT_EQ(Get("Picture63").left, kPageHiddenLeft);
  EXPECT_FALSE(form().timer("Timer34").enabled);
  EXPECT_FALSE(form().timer("Timer33").enabled);
  At(3, 59, 59);
  EXPECT_NEAR(Hand("S").second, 1254, 2) << "closed, the hands keep their places";
  EXPECT_EQ(Get("Label2").text, u"15:31:00");

  form().Click(Get("PicTool", 5));
  auto [x4, y4] = Hand("H");
  EXPECT_NEAR(x4, 583 * std::sin(114 * 3.1415927 / 180), 2) << "6 degrees short of 4";
  EXPECT_NEAR(y4, 583 * std::cos(114 * 3.1415927 / 180), 2);
}

TEST_F(ClockTest, PlansAreAddedCheckedAndRunThroughTheCommandBoxOneATick) {
  launcher.programs = {u"shutdown"};
  OpenClock();
  Finish("Timer31");
  Control& plan = Get("Picture82");
  form().Click(plan);
  EXPECT_FALSE(plan.enabled);
  Finish("Timer40");
  EXPECT_TRUE(plan.enabled);
  EXPECT_EQ(Get("Picture83").left, 0);

  form().Click(Get("Picture85"));
  Finish("Timer44");
  EXPECT_EQ(Get("Picture88").left, 0);
  EXPECT_EQ(form().focus(), &Get("Text12"));
  Control& ok = Get("Picture89");
  Type("Text12", u"1");
  Type("Text13", u"abcd");
  EXPECT_FALSE(ok.visible) << "1 + 4 characters";
  Type("Text13", u"abcde");
  EXPECT_TRUE(ok.visible);
  auto add = [&](std::u16string time, std::u16string content) {
    if (Get("Picture88").left != 0) {
      form().Click(Get("Picture85"));
      Finish("Timer44");
    }
    Type("Text12", std::move(time));
    Type("Text13", std::move(content));
    form().Click(ok);
    EXPECT_EQ(Get("Text12").text, u"");
    EXPECT_FALSE(ok.visible);
    Finish("Timer42");
  };
  Type("Text12", u"");
  add(u"12:30", u"!shutdown -s -t 0");
  EXPECT_EQ(Get("Picture88").left, kPageHiddenLeft);
  add(u"9:30", u"!never");
  add(u"12:30", u"!shutdown -a");
  add(u"12:30:00", u"!shutdown -r");
  EXPECT_EQ(Get("List11").items,
            std::vector<std::u16string>({u"12:30 !shutdown -s -t 0", u"9:30 !never",
                                         u"12:30 !shutdown -a", u"12:30:00 !shutdown -r"}));

  At(12, 29, 59);
  form().Tick("Timer33");
  EXPECT_TRUE(launcher.calls.empty());
  At(12, 30, 0);
  for (int tick = 0; tick < 4; ++tick) form().Tick("Timer33");
  ASSERT_EQ(launcher.calls.size(), 2u) << "one plan a tick, then nothing is due";
  EXPECT_EQ(launcher.calls[0].text, u"shutdown -s -t 0");
  EXPECT_EQ(launcher.calls[1].text, u"shutdown -a");
  // '12:30:00' runs what follows '12:30 ': no prefix, so an item of that name.
  EXPECT_EQ(Get("LblMessageTitle").text, u"命令无效");
  EXPECT_EQ(Get("List11").items, std::vector<std::u16string>({u"9:30 !never"}));

  // Closing and reopening keeps the plans; delete takes the selected one, clear takes a
  // double-click.
  add(u"23:00", u"!x");
  form().Click(Get("Picture64"));
  Finish("Timer32");
  form().Click(Get("PicTool", 5));
  Finish("Timer31");
  EXPECT_EQ(Get("List11").items.size(), 2u);
  form().SelectionMade(Get("List11"), 0);
  form().Click(Get("Picture86"));
  EXPECT_EQ(Get("List11").items, std::vector<std::u16string>({u"23:00 !x"}));
  Control& clear = Get("Picture87");
  form().Click(clear);
  EXPECT_EQ(Get("List11").items.size(), 1u);
  form().DoubleClick(clear.ClientLeft() + 10, clear.ClientTop() + 10, MouseButton::kLeft, {});
  EXPECT_TRUE(Get("List11").items.empty());

  form().Click(Get("Picture84"));
  Finish("Timer41");
  EXPECT_EQ(Get("Picture83").left, kPageHiddenLeft);
  EXPECT_FALSE(Get("Picture83").visible);
}

TEST_F(ClockTest, TheNoteShowsOnItsTileAndEscapeTakesTheUserBack) {
  Control& frame = Get("Shape1");
  Control& preview = Get("Text3");
  EXPECT_EQ(frame.border_width, 3);
  EXPECT_EQ(std::tie(frame.left, frame.top, frame.width, frame.height),
            std::tie(preview.left, preview.top, preview.width, preview.height));

  form().Click(Get("Picture39", 1));
  Finish("Timer11");
  Control& note = Get("RTB1");
  EXPECT_EQ(form().focus(), &note);
  const struct {
    std::u16string note, preview;
  } cases[] = {{u"一二三四五六七八九十", u"一二三四五六七八九十"},
               {u"一二三四五六七八九十壹", u"一二三四五六七八九十"},
               {u"ab\r\ncd", u"ab cd"},
               {u"123456789\U0001F600", u"123456789"}};
  for (const auto& c : cases) {
    form().TextEdited(note, c.note);
    EXPECT_EQ(preview.text, c.preview);
  }
  form().Click(Get("Picture19"));
  EXPECT_EQ(note.text, u"");
  EXPECT_EQ(preview.text, u"");

  form().TextEdited(note, u"留言");
  EXPECT_TRUE(form().KeyDown({27, {}}, &note));
  EXPECT_FALSE(Get("Picture16").enabled);
  Finish("Timer12");
  EXPECT_EQ(form().focus(), &box->window().command_box());
  EXPECT_TRUE(Get("Picture39", 2).enabled);
  form().Click(Get("Picture39", 1));
  Finish("Timer11");
  EXPECT_EQ(note.text, u"留言") << "the note lasts while the box runs";
}

TEST_F(ClockTest, TheBadgeStandsInForTheBoxAndComesBackWhereItWasDropped) {
  Form& mini = box->mini().form();
  EXPECT_EQ(mini.top, 120);
  EXPECT_EQ(mini.left, 1280 * 15 / 2 - 300);
  EXPECT_EQ(std::tie(mini.width, mini.height), std::make_tuple(600, 585));
  EXPECT_EQ(mini.color_key, Rgb(255, 255, 255));
  EXPECT_TRUE(mini.topmost);
  EXPECT_FALSE(mini.visible);

  form().Click(Get("Picture36"));
  Finish("Timer4");
  form().Click(Get("PicMiniWindow"));
  EXPECT_TRUE(mini.visible);
  EXPECT_FALSE(form().visible);

  mini.MouseDown(300, 300, MouseButton::kLeft, {});
  EXPECT_TRUE(mini.TakeDragRequest()) << "a press starts the system's move";
  mini.left = 9000;  // where the system's move dropped it
  mini.top = 3000;
  mini.MouseUp(300, 300, MouseButton::kLeft, {});
  // The box had docked away meanwhile, a strip at the top far from the badge.
  form().top = kDockStrip - form().height;
  form().left = 0;
  screen.cursor = {620, 220};  // on the badge
  mini.DoubleClick(300, 300, MouseButton::kLeft, {});
  EXPECT_FALSE(mini.TakeDragRequest()) << "the second press of a double-click moves nothing";
  EXPECT_TRUE(form().visible);
  EXPECT_FALSE(mini.visible);
  // It comes back whole at the top, above the pointer, with the keyboard in the command box;
  // as after start-up it docks only once the countdown has run out.
  EXPECT_EQ(form().top, 10);
  EXPECT_EQ(form().left, (620 - 307 / 2) * 15);
  EXPECT_EQ(form().focus(), &box->window().command_box());
  for (int i = 0; i < 5; ++i) form().Tick("Timer6");
  EXPECT_EQ(form().top, 10);
  for (int i = 0; i < 3; ++i) form().Tick("Timer10");
  EXPECT_EQ(form().top, kDockedTop);
  // Near the screen's edge it stays on the screen.
  form().Click(Get("PicMiniWindow"));
  screen.cursor = {1275, 220};
  mini.DoubleClick(300, 300, MouseButton::kLeft, {});
  EXPECT_EQ(form().left, (1280 - 307) * 15);

  form().Click(Get("PicMiniWindow"));
  EXPECT_EQ(std::tie(mini.left, mini.top), std::make_tuple(9000, 3000));
}

}  // namespace
}  // namespace velmo
