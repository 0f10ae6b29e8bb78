// The global hotkeys through the whole box on fakes: the summoning key brings the docked box out
// with the keyboard and sends it away again, the capture key starts 截屏, a key another program
// holds is said once, the options row turns the summoning key off, and the end releases both.
#include "box/shell/hotkeys.h"

#include <gtest/gtest.h>

#include "box/app/box.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

constexpr Hotkey kAltSpace{false, true, false, false, 0x20};
constexpr Hotkey kCtrlAltX{true, true, false, false, 'X'};
constexpr int kHiddenTop = kDockStrip - 6000;

class HotkeysTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void Start(std::string config = "[Basic]\r\nPositionRecord=False\r\n") {
    files.AddFile(u"C:\\Box\\DATA\\config.ini", config);
    state.program_folder = u"C:\\Box";
    box = std::make_unique<Box>(state, services);
    box->Startup();
    form().Tick("TimerAfterShown");
  }
  Form& form() { return box->window().form(); }
  int TickUntilStopped(const char* name) {
    int n = 0;
    while (form().timer(name).enabled && n < 100) {
      form().Tick(name);
      ++n;
    }
    return n;
  }
  // The dock watch sees the pointer far below the window, the host what the box asked of it.
  void Watch(int ticks = 1) {
    screen.cursor = {100, 700};
    for (int i = 0; i < ticks; ++i) form().Tick("Timer6");
  }
  void HostGrants() {
    Form::KeyboardRequest r = form().TakeKeyboardRequest();
    if (r == Form::KeyboardRequest::kTake) form().active = true;
    if (r == Form::KeyboardRequest::kGiveBack) form().active = false;
  }
  void DockAndHide() {
    for (int i = 0; i < 3; ++i) form().Tick("Timer10");
    Watch();
    TickUntilStopped("Timer7");
    ASSERT_EQ(form().top, kHiddenTop);
  }

  BoxState state;
  std::unique_ptr<Box> box;
};

TEST_F(HotkeysTest, TheSummoningKeyBringsTheBoxOutWithTheKeyboardAndSendsItAwayAgain) {
  Start();
  Control& text2 = form().Get("Text2");
  form().TextEdited(text2, u"上次的命令");
  DockAndHide();
  form().active = false;
  form().SetFocus(nullptr);

  ASSERT_TRUE(hotkeys.Press(kAltSpace));
  EXPECT_EQ(form().focus(), &text2);
  EXPECT_TRUE(text2.select_all) << "typing replaces the text";
  EXPECT_EQ(form().TakeKeyboardRequest(), Form::KeyboardRequest::kTake);
  form().active = true;
  EXPECT_EQ(TickUntilStopped("Timer8"), 12);
  EXPECT_EQ(form().top, 0);
  Watch(30);
  EXPECT_EQ(form().top, 0) << "out while it has the keyboard, wherever the pointer is";
  EXPECT_FALSE(form().timer("Timer7").enabled);

  // Again while it has the keyboard: away, and the keyboard back to where it came from.
  hotkeys.Press(kAltSpace);
  EXPECT_EQ(form().TakeKeyboardRequest(), Form::KeyboardRequest::kGiveBack);
  form().active = false;
  EXPECT_EQ(TickUntilStopped("Timer7"), 12);
  EXPECT_EQ(form().top, kHiddenTop);
  // A pointer resting on the strip does not bring it straight back, until it has left once.
  screen.cursor = {640, 1};
  form().Tick("Timer6");
  EXPECT_FALSE(form().timer("Timer8").enabled);
  Watch();
  screen.cursor = {640, 1};
  form().Tick("Timer6");
  EXPECT_TRUE(form().timer("Timer8").enabled);
  TickUntilStopped("Timer8");

  // Out again; the user goes to another window: the pointer rules once more.
  Watch();
  TickUntilStopped("Timer7");
  hotkeys.Press(kAltSpace);
  HostGrants();
  TickUntilStopped("Timer8");
  form().active = false;
  Watch();
  EXPECT_TRUE(form().timer("Timer7").enabled);
  TickUntilStopped("Timer7");

  // The system refuses the foreground: the pointer rules at once.
  hotkeys.Press(kAltSpace);
  form().TakeKeyboardRequest();
  TickUntilStopped("Timer8");
  Watch();
  EXPECT_TRUE(form().timer("Timer7").enabled);
}

TEST_F(HotkeysTest, AtTheBottomEdgeAndFromTheBadgeTheBoxComesOutTheSameWay) {
  Start();
  const int screen_height = screen.HeightTwips();
  form().top = screen_height + kBelowScreen;
  hotkeys.Press(kAltSpace);
  HostGrants();
  EXPECT_EQ(form().top, screen_height - 6000) << "stands on the bottom edge";
  Watch(20);
  EXPECT_EQ(form().top, screen_height - 6000);
  hotkeys.Press(kAltSpace);
  HostGrants();
  EXPECT_EQ(form().top, screen_height + kBelowScreen);

  // A free window stays where it stands; pressed again only the keyboard goes back.
  form().top = 3000;
  hotkeys.Press(kAltSpace);
  HostGrants();
  EXPECT_TRUE(form().active);
  hotkeys.Press(kAltSpace);
  EXPECT_EQ(form().TakeKeyboardRequest(), Form::KeyboardRequest::kGiveBack);
  EXPECT_EQ(form().top, 3000);
  form().active = false;

  // The badge stands in for the box: the key brings the box back in its place.
  form().ClickOn(form().Get("PicMiniWindow"));
  ASSERT_FALSE(form().visible);
  hotkeys.Press(kAltSpace);
  HostGrants();
  EXPECT_TRUE(form().visible);
  EXPECT_FALSE(box->mini().form().visible);
  EXPECT_EQ(form().focus(), &form().Get("Text2"));
  for (int i = 0; i < 3; ++i) form().Tick("Timer10");
  Watch(20);
  EXPECT_EQ(form().top, kDockedTop) << "docked by the countdown, not hidden";
}

TEST_F(HotkeysTest, AKeyAnotherProgramHoldsIsSaidOnceAndTheOtherStillWorks) {
  hotkeys.held_elsewhere.push_back(kAltSpace);
  files.AddFile(u"C:\\Box\\Plugins\\截屏.exe", "MZ");
  Start();
  EXPECT_EQ(form().Get("LblMessageTitle").text, u"热键不可用");
  EXPECT_NE(form().Get("LblMessage").text.find(u"热键 Alt+Space 已被其他程序占用"),
            std::u16string::npos)
      << "names the keys";
  EXPECT_FALSE(hotkeys.Holds(kAltSpace));

  ASSERT_TRUE(hotkeys.Press(kCtrlAltX));
  EXPECT_EQ(launcher.calls.back(), ProgramFileCall(u"C:\\Box\\Plugins\\截屏.exe"));

  EXPECT_EQ(box->Close(), 0);
  EXPECT_TRUE(hotkeys.registered.empty()) << "both released at the end";
  EXPECT_NE(files.Contents(u"C:\\Box\\DATA\\config.ini")
                ->find("[Window]\r\nShowHotkey=Alt+Space\r\nCaptureHotkey=Ctrl+Alt+X\r\n"),
            std::string::npos)
      << "a key another program holds stays the user's choice";
}

TEST_F(HotkeysTest, TheConfiguredKeysRegisterAndTheOptionsRowTurnsTheSummoningKeyOff) {
  constexpr Hotkey kCtrlShiftF9{true, false, true, false, 0x78};
  Start(
      "[Basic]\r\nPositionRecord=False\r\n[Window]\r\nShowHotkey = ctrl+shift+F9\r\n"
      "CaptureHotkey=Ctrl+Alt+Hyper\r\n");
  EXPECT_TRUE(hotkeys.Holds(kCtrlShiftF9));
  EXPECT_FALSE(hotkeys.Holds(kCtrlAltX));
  EXPECT_EQ(form().Get("LblMessage").text,
            u"config.ini 中的 CaptureHotkey=Ctrl+Alt+Hyper 不是可用的热键（例如 Alt+Space、"
            u"Ctrl+Alt+X），无法用它截屏。");
  Control& row = form().Get("LblShowHotkey");
  EXPECT_EQ(row.text, u"全局热键 Ctrl+Shift+F9 呼出盒子");
  EXPECT_EQ(row.parent(), &form().Get("Picture74", 0));
  EXPECT_EQ(form().Get("sSwitch_ShowHotkey").left, form().Get("sSwitch_Small3").left);
  EXPECT_GT(form().Get("sSwitch_ShowHotkey").top, form().Get("sSwitch_Small3").top);
  EXPECT_EQ(form().Get("sSwitch_ShowHotkey.Shape2").left, kKnobOn);

  // Off: released at once; a press reaches nothing.
  form().ClickOn(form().Get("PicOptions"));
  form().Click(form().Get("sSwitch_ShowHotkey"));
  TickUntilStopped("sSwitch_ShowHotkey.Timer1");
  EXPECT_FALSE(hotkeys.Holds(kCtrlShiftF9));
  // On again, then off for good: the file keeps it off.
  form().Click(form().Get("sSwitch_ShowHotkey"));
  TickUntilStopped("sSwitch_ShowHotkey.Timer2");
  EXPECT_TRUE(hotkeys.Holds(kCtrlShiftF9));
  form().Click(form().Get("sSwitch_ShowHotkey"));
  TickUntilStopped("sSwitch_ShowHotkey.Timer1");
  EXPECT_EQ(box->Close(), 0);
  EXPECT_NE(files.Contents(u"C:\\Box\\DATA\\config.ini")->find("ShowHotkey=\r\n"),
            std::string::npos);

  // Started with it off, the switch is off and turns the keys it had on.
  files.AddFile(u"C:\\Box\\DATA\\config.ini", "[Window]\r\nShowHotkey=\r\n");
  box.reset();
  BoxState fresh;
  fresh.program_folder = u"C:\\Box";
  Box again(fresh, services);
  again.Startup();
  Form& f = again.window().form();
  EXPECT_EQ(f.Get("sSwitch_ShowHotkey.Shape2").left, kKnobOff);
  EXPECT_FALSE(hotkeys.Holds(kAltSpace));
  EXPECT_EQ(f.Get("LblShowHotkey").text, u"全局热键 Alt+Space 呼出盒子");
  f.ClickOn(f.Get("PicOptions"));
  f.Click(f.Get("sSwitch_ShowHotkey"));
  for (int i = 0; i < 20; ++i) f.Tick("sSwitch_ShowHotkey.Timer2");
  EXPECT_TRUE(hotkeys.Holds(kAltSpace));
}

TEST_F(HotkeysTest, ACaptureKeyThatIsTheSummoningKeyIsSaidAsSuch) {
  Start("[Window]\r\nShowHotkey=Alt+Space\r\nCaptureHotkey=alt + space\r\n");
  EXPECT_EQ(form().Get("LblMessage").text,
            u"config.ini 中的 CaptureHotkey 与 ShowHotkey 都是 Alt+Space，这个热键只用来呼出盒子，"
            u"无法用它截屏。");
  ASSERT_EQ(hotkeys.registered.size(), 1u);
  EXPECT_EQ(hotkeys.registered[0].id, Hotkeys::kShowBox);
}

}  // namespace
}  // namespace velmo
