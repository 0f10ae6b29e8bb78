// The message panel: slides, texts, focus and the close keys.
#include <gtest/gtest.h>

#include "window_fixture.h"

namespace velmo {
namespace {

class MessagePanelTest : public WindowTest {
 protected:
  Control& panel() { return Get("PicMessage"); }
  Control& text() { return Get("LblMessage"); }
  Control& title() { return Get("LblMessageTitle"); }
  Control& close() { return Get("Picture21"); }
};

TEST_F(MessagePanelTest, DesignState) {
  EXPECT_EQ(panel().top, kMessageStartTop);
  EXPECT_EQ(panel().left, 0);
  EXPECT_EQ(panel().width, 4575);
  EXPECT_EQ(panel().height, 5535);
  EXPECT_EQ(title().text, u"消息标题");
  EXPECT_EQ(text().text, u"消息内容\r\n");
  EXPECT_EQ(close().image, 29);
  EXPECT_EQ(close().tool_tip, u"关闭");
  EXPECT_TRUE(text().read_only);
  EXPECT_TRUE(text().multi_line);
  EXPECT_EQ(TimerOf("Timer15").interval_ms, 10);
  EXPECT_EQ(TimerOf("Timer16").interval_ms, 10);
}

TEST_F(MessagePanelTest, FirstMessageSlidesUpInTwentyTicksThenRestsAt5700) {
  window->ShowMessage(u"找不到该项目。", u"命令无效");
  EXPECT_EQ(form().TakeBeeps(), 1);
  EXPECT_EQ(text().text, u"找不到该项目。");
  EXPECT_EQ(title().text, u"命令无效");
  EXPECT_EQ(TickUntilStopped("Timer16"), 20);
  EXPECT_EQ(panel().top, 0);
  EXPECT_EQ(form().focus(), &panel());

  form().Click(close());
  EXPECT_FALSE(close().enabled);
  form().Click(close());  // a second click does nothing
  EXPECT_EQ(TickUntilStopped("Timer15"), 19);
  EXPECT_EQ(panel().top, kMessageRestTop);
  EXPECT_EQ(text().text, u"");
  EXPECT_EQ(title().text, u"命令无效");
  EXPECT_TRUE(close().enabled);
  EXPECT_EQ(form().focus(), &window->command_box());

  window->ShowMessage(u"第二条", u"标题");
  EXPECT_EQ(TickUntilStopped("Timer16"), 19);
  EXPECT_EQ(panel().top, 0);
}

TEST_F(MessagePanelTest, SpaceClosesThePanelOtherKeysDoNothing) {
  window->ShowMessage(u"内容", u"标题");
  TickUntilStopped("Timer16");
  for (int key : {13, 27, 65, 40}) {
    EXPECT_FALSE(form().KeyDown({key, {}}, nullptr));
    EXPECT_FALSE(TimerOf("Timer15").enabled);
  }
  EXPECT_TRUE(form().KeyDown({32, {}}, nullptr));
  EXPECT_TRUE(TimerOf("Timer15").enabled);
  TickUntilStopped("Timer15");
  EXPECT_EQ(panel().top, kMessageRestTop);
}

TEST_F(MessagePanelTest, AMessageWhileShownReplacesTheTextsWithoutASecondSlide) {
  window->ShowMessage(u"一", u"甲");
  TickUntilStopped("Timer16");
  window->ShowMessage(u"二", u"乙");
  EXPECT_EQ(text().text, u"二");
  EXPECT_EQ(title().text, u"乙");
  EXPECT_EQ(TickUntilStopped("Timer16"), 1);
  EXPECT_EQ(panel().top, 0);
}

TEST_F(MessagePanelTest, AMessageDuringTheSlideDownSlidesUpAgain) {
  window->ShowMessage(u"一", u"甲");
  TickUntilStopped("Timer16");
  form().Click(close());
  for (int i = 0; i < 5; ++i) form().Tick("Timer15");
  EXPECT_EQ(panel().top, 1500);
  window->ShowMessage(u"二", u"乙");
  EXPECT_FALSE(TimerOf("Timer15").enabled);
  EXPECT_TRUE(close().enabled);
  EXPECT_EQ(TickUntilStopped("Timer16"), 5);
  EXPECT_EQ(panel().top, 0);
  EXPECT_EQ(text().text, u"二");
}

TEST_F(MessagePanelTest, StartUpNoticeIsShownAtTheEndOfStartUp) {
  state.startup_notice = {u"无法读取 App.sd，可能正被其他程序占用；文件保持原样，关闭时不会改写。",
                          u"文件无法读取"};
  window = std::make_unique<MainWindow>(state, services);
  window->FinishStartup();
  EXPECT_FALSE(TimerOf("Timer16").enabled) << "said after the first picture";
  window->form().Tick("TimerAfterShown");
  EXPECT_TRUE(TimerOf("Timer16").enabled);
  EXPECT_EQ(title().text, u"文件无法读取");
  EXPECT_EQ(text().text, state.startup_notice.text);
}

TEST_F(MessagePanelTest, HoverOnTheCloseButtonAndBackOverThePanel) {
  window->ShowMessage(u"内容", u"标题");
  TickUntilStopped("Timer16");
  form().MoveOver(close());
  EXPECT_EQ(close().image, 30);
  form().MoveOver(title());
  EXPECT_EQ(close().image, 29);
}

}  // namespace
}  // namespace velmo
