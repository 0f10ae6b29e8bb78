// The tools page's program tiles and the drawer's system buttons in the whole box on fakes: each
// start's exact command line and window style, the force-kill step after shut down and restart
// only, and the Recycle Bin button's buttons and modifier keys.
#include "box/command/tools_page.h"

#include <gtest/gtest.h>

#include "box/app/box.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

class ToolsPageTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.program_folder = u"C:\\Box";
    box = std::make_unique<Box>(state, services);
    box->Startup();
  }
  Form& form() { return box->window().form(); }
  void Finish(const char* timer) {
    for (int i = 0; i < 100 && form().timer(timer).enabled; ++i) form().Tick(timer);
  }
  // What one click started, and nothing else.
  std::vector<LaunchCall> ClickOn(const char* name, int index = -1) {
    launcher.calls.clear();
    form().Click(form().Get(name, index));
    return launcher.calls;
  }
  using Calls = std::vector<LaunchCall>;
  static LaunchCall Normal(std::u16string line) {
    return {LaunchCall::Kind::kCommandLine, std::move(line), WindowStyle::kNormal};
  }
  static LaunchCall Minimized(std::u16string line) {
    return {LaunchCall::Kind::kCommandLine, std::move(line), WindowStyle::kMinimized};
  }

  BoxState state;
  std::unique_ptr<Box> box;
};

TEST_F(ToolsPageTest, TilesAndDrawerButtonsStartTheirCommands) {
  form().Click(form().Get("Picture39", 3));
  Finish("Timer22");
  const struct {
    int tile;
    const char16_t* line;
  } tiles[] = {{0, u"calc.exe"},
               {1, u"mspaint.exe"},
               {3, u"notepad.exe"},
               {6, u"taskmgr.exe"},
               {7, u"regedit"}};
  for (const auto& t : tiles) EXPECT_EQ(ClickOn("PicTool", t.tile), Calls{Normal(t.line)});
  // A program that is not there is named in the message panel; one that starts says nothing.
  EXPECT_EQ(form().Get("LblMessageTitle").text, u"无法启动");
  EXPECT_EQ(form().Get("LblMessage").text,
            u"无法启动“注册表编辑器”（regedit），系统中可能没有这个程序。");
  launcher.programs = {u"calc.exe"};
  form().Get("LblMessage").text.clear();
  ClickOn("PicTool", 0);
  EXPECT_EQ(form().Get("LblMessage").text, u"");
  launcher.programs.clear();
  ClickOn("PicQuickTool", 1);
  EXPECT_EQ(form().Get("LblMessage").text,
            u"无法启动“画图”（mspaint.exe），系统中可能没有这个程序。");
  // The quick tools under the tiles: three programs, and the cleaner as its tile opens it.
  EXPECT_EQ(ClickOn("PicQuickTool", 0), Calls{Normal(u"calc.exe")});
  EXPECT_EQ(ClickOn("PicQuickTool", 1), Calls{Normal(u"mspaint.exe")});
  EXPECT_EQ(ClickOn("PicQuickTool", 3), Calls{Normal(u"notepad.exe")});
  form().MoveOver(form().Get("PicQuickTool", 2));
  EXPECT_EQ(form().Get("LblToolsTitle").text, u"清理垃圾");
  EXPECT_TRUE(ClickOn("PicQuickTool", 2).empty());
  EXPECT_TRUE(form().timer("Timer24").enabled);
  Finish("Timer24");
  form().Click(form().Get("Picture53"));
  Finish("Timer23");
  form().MouseMove(100, 5300, MouseButton::kNone, {});  // the page beside the quick tools
  EXPECT_EQ(form().Get("LblToolsTitle").text, u"小工具");
  form().Click(form().Get("Picture50"));
  Finish("Timer9");

  form().Click(form().Get("Picture36"));
  Finish("Timer4");
  EXPECT_EQ(ClickOn("PicComputer"),
            Calls{Normal(u"explorer.exe ::{20D04FE0-3AEA-1069-A2D8-08002B30309D} ")});
  // Sleep asks the system itself: rundll32 would pass its own arguments as the sleep flags.
  EXPECT_TRUE(ClickOn("PicSleep").empty());
  EXPECT_EQ(power.suspended, 1);
  EXPECT_EQ(ClickOn("PicShutdown"), Calls{Minimized(u"shutdown -s -t 1")});
  EXPECT_EQ(ClickOn("PicRestart"), Calls{Minimized(u"shutdown -r -t 1")});

  state.settings.Set(Setting::kForceToKillUserProgress, true);
  const LaunchCall kill = Minimized(u"taskkill /im * /t");
  EXPECT_EQ(ClickOn("PicShutdown"), (Calls{Minimized(u"shutdown -s -t 1"), kill}));
  EXPECT_EQ(ClickOn("PicRestart"), (Calls{Minimized(u"shutdown -r -t 1"), kill}));
  EXPECT_TRUE(ClickOn("PicSleep").empty()) << "sleep ends no program";
  EXPECT_EQ(power.suspended, 2);
}

TEST_F(ToolsPageTest, TheRecycleBinButtonOpensOnTheLeftAndEmptiesOnTheRight) {
  form().Click(form().Get("Picture36"));
  Finish("Timer4");
  Control& bin = form().Get("PicRecycleBin");
  auto press = [&](MouseButton b, Modifiers m) {
    launcher.calls.clear();
    int x = bin.ClientLeft() + 100, y = bin.ClientTop() + 100;
    form().MouseDown(x, y, b, m);
    form().MouseUp(x, y, b, m);
  };
  press(MouseButton::kLeft, {});
  EXPECT_EQ(launcher.calls,
            Calls{Normal(u"explorer.exe ::{645FF040-5081-101B-9F08-00AA002F954E}")});
  EXPECT_EQ(recycle_bin.emptied, 0);

  for (Modifiers m : {Modifiers{true, false, false}, Modifiers{false, true, false},
                      Modifiers{false, false, true}}) {
    press(MouseButton::kLeft, m);
    press(MouseButton::kRight, m);
    EXPECT_TRUE(launcher.calls.empty());
  }
  EXPECT_EQ(recycle_bin.emptied, 0) << "a modifier key makes the button do nothing";

  recycle_bin.bin = {u"C:\\old.txt"};
  recycle_bin.keeps_a_file = true;
  press(MouseButton::kRight, {});
  EXPECT_EQ(recycle_bin.emptied, 1);
  EXPECT_NE(form().Get("LblMessageTitle").text, u"清空回收站") << "a file left in the bin";
  recycle_bin.keeps_a_file = false;
  press(MouseButton::kRight, {});
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_EQ(form().Get("LblMessageTitle").text, u"清空回收站");
  EXPECT_EQ(form().Get("LblMessage").text, u"系统回收站的内容已清空。");
}

}  // namespace
}  // namespace velmo
