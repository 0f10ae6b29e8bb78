// The music page inside the real main window model, with the engine fake driven through time:
// a playlist played through to the next entry, the buttons, bars and keys, what the list actions
// leave, the housekeeping and pause-list watch, start-up autoplay.
#include "box/music/music_page.h"

#include <gtest/gtest.h>

#include <memory>

#include "box/command/command_pages.h"
#include "box/shell/options_page.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

class MusicPageTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  // Start-up, then the music page opened.
  void Start(bool autoplay) {
    state.lists.playlist.list.Append(u"一", u"C:\\m\\一.mp3");
    state.lists.playlist.list.Append(u"二", u"C:\\m\\二.mp3");
    state.lists.playlist.list.Append(u"三", u"C:\\m\\三.mp3");
    state.settings.Set(Setting::kPlayMusicAfterRunning, autoplay);
    window = std::make_unique<MainWindow>(state, services);
    commands = std::make_unique<CommandPages>(*window, state, services);
    options = std::make_unique<OptionsPage>(*window, state, services);
    music = std::make_unique<MusicPage>(*window, state, services, options->process_watch());
    form().width = 4600;
    form().height = 6000;
    window->FinishStartup();
    commands->FinishStartup();
    options->FinishStartup();
    music->FinishStartup();
    form().Click(Get("Picture39", 0));
    for (int i = 0; i < 20; ++i) form().Tick("Timer17");
  }
  Form& form() { return window->form(); }
  Control& Get(const char* name, int index = -1) { return form().Get(name, index); }
  // Time passes for the engine, with the ticks that come meanwhile.
  void Play(double seconds) {
    media.Advance(seconds);
    form().Tick("Timer13");
    form().Tick("Timer14");
    form().Tick("Timer45");
  }
  bool TransportEnabled() {
    bool on = Get("Picture23").enabled;
    for (const char* name : {"Picture24", "Picture25", "Picture29", "Picture30", "Picture42",
                             "Picture43", "Picture44"}) {
      EXPECT_EQ(Get(name).enabled, on) << name;
    }
    return on;
  }
  KeyEvent CtrlAlt(int key) { return KeyEvent{key, {false, true, true}}; }

  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CommandPages> commands;
  std::unique_ptr<OptionsPage> options;
  std::unique_ptr<MusicPage> music;
};

TEST_F(MusicPageTest, AutoplayRunsThroughTheListAndWrapsAround) {
  media.lengths[u"C:\\m\\一.mp3"] = 225;  // 03:45
  Start(true);
  EXPECT_EQ(Get("List2").items, std::vector<std::u16string>({u"一", u"二", u"三"}));
  EXPECT_EQ(Get("List2").selected, 0);
  EXPECT_EQ(media.Source(), u"C:\\m\\一.mp3");
  EXPECT_EQ(form().caption, u"Velmo盒子 - 一");
  EXPECT_EQ(Get("Picture23").image, 3);
  EXPECT_EQ(Get("Label6").text, u"一");
  EXPECT_EQ(Get("Label7").text, u"50");
  EXPECT_EQ(Get("Picture28").width, 502);
  EXPECT_TRUE(form().timer("Timer13").enabled);

  Play(100);
  EXPECT_EQ(Get("Label8").text, u"01:40");
  EXPECT_EQ(Get("Label9").text, u"03:45");
  EXPECT_EQ(Get("Picture30").width, 100 * 2895 / 225 + 15);
  Play(123.5);  // 03:43
  EXPECT_EQ(media.Source(), u"C:\\m\\一.mp3");
  Play(1);  // 03:44 of 03:45: the next entry
  EXPECT_EQ(media.Source(), u"C:\\m\\二.mp3");
  EXPECT_EQ(form().caption, u"Velmo盒子 - 二");
  EXPECT_EQ(Get("Label8").text, u"00:00");

  form().Click(Get("Picture25"));  // next: 三
  form().Click(Get("Picture25"));  // next wraps: 一
  EXPECT_EQ(media.Source(), u"C:\\m\\一.mp3");
  form().Click(Get("Picture24"));  // previous wraps: 三
  EXPECT_EQ(form().caption, u"Velmo盒子 - 三");

  form().Click(Get("Picture23"));  // pause
  EXPECT_EQ(media.State(), MediaState::kPaused);
  EXPECT_EQ(form().caption, u"Velmo盒子");
  EXPECT_EQ(Get("Picture23").image, 1);
  EXPECT_FALSE(form().timer("Timer13").enabled);

  // Back home, the strip on the music tile resumes.
  form().Click(Get("Picture20"));
  for (int i = 0; i < 20; ++i) form().Tick("Timer18");
  form().MoveOver(Get("Picture39", 0));
  form().MoveOver(Get("Picture44"));  // straight from the tile's title onto the strip
  ASSERT_TRUE(Get("Picture40", 0).visible);
  form().Click(Get("Picture44"));
  EXPECT_EQ(media.State(), MediaState::kPlaying);
  form().Tick("Timer21");
  EXPECT_EQ(Get("Picture44").image, 4) << "the pause image, pointer over it";
  form().Click(Get("Picture42"));
  EXPECT_EQ(form().caption, u"Velmo盒子 - 一");
}

TEST_F(MusicPageTest, NothingPlaysUntilAskedAndAFileThatIsGoneStopsTheChain) {
  media.missing = {u"C:\\m\\三.mp3"};
  Start(false);
  EXPECT_EQ(media.Source(), u"");
  form().Click(Get("Picture23"));  // play/pause before anything played: nothing
  EXPECT_TRUE(media.calls.empty());
  form().Click(Get("Picture24"));  // previous before anything played: the last entry
  // Its file is gone: said once, and the player claims no playing.
  EXPECT_EQ(Get("LblMessageTitle").text, u"无法播放");
  EXPECT_EQ(Get("LblMessage").text,
            u"无法播放“三”：文件已不存在或无法打开，或者没有可用的声音设备。");
  EXPECT_EQ(form().caption, u"Velmo盒子");
  EXPECT_EQ(Get("Picture23").image, 1);
  EXPECT_EQ(Get("Label9").text, u"00:00");
  EXPECT_FALSE(music->player().playing());
  for (int i = 0; i < 50; ++i) Play(10);
  EXPECT_EQ(media.calls.size(), 1u) << "the watch never skips on from a file that is gone";

  // A double-click with nothing selected: "Velmo盒子 - " until the housekeeping mends it.
  form().SelectionMade(Get("List2"), -1);
  Control& list = Get("List2");
  form().DoubleClick(list.ClientLeft() + 100, list.ClientTop() + 100, MouseButton::kLeft, {});
  EXPECT_EQ(form().caption, u"Velmo盒子 - ");
  form().Tick("Timer45");
  EXPECT_EQ(form().caption, u"Velmo盒子");

  // A track of over an hour ends like any other: 1:06:39 of 1:06:40.
  media.lengths[u"C:\\m\\一.mp3"] = 4000;
  form().Click(Get("Picture25"));  // next after -1: 一
  Play(3998);
  EXPECT_EQ(media.Source(), u"C:\\m\\一.mp3");
  Play(1);
  EXPECT_EQ(media.Source(), u"C:\\m\\二.mp3");
  // A length of 0 (the engine cannot tell yet) is no end of the track.
  media.lengths[u"C:\\m\\二.mp3"] = 0;
  for (int i = 0; i < 5; ++i) Play(1);
  EXPECT_EQ(media.Source(), u"C:\\m\\二.mp3");
}

TEST_F(MusicPageTest, RemoveAndClear) {
  Start(true);
  form().Click(Get("Picture25"));  // 二 plays
  form().SelectionMade(Get("List2"), 0);
  form().Click(Get("Picture32"));  // an entry before the playing one
  EXPECT_EQ(media.Source(), u"C:\\m\\二.mp3");
  EXPECT_EQ(music->player().current(), 0);
  form().Click(Get("Picture25"));  // next after 二 is 三
  EXPECT_EQ(form().caption, u"Velmo盒子 - 三");

  form().SelectionMade(Get("List2"), 1);
  form().Click(Get("Picture32"));  // the playing entry: idle
  EXPECT_EQ(media.Source(), u"");
  EXPECT_EQ(form().caption, u"Velmo盒子");
  EXPECT_EQ(Get("Label6").text, u"");
  EXPECT_EQ(Get("Picture23").image, 1);
  EXPECT_EQ(Get("List2").items, std::vector<std::u16string>({u"二"}));
  EXPECT_EQ(Get("List3").items, std::vector<std::u16string>({u"C:\\m\\二.mp3"}));
  // Play, with nothing loaded and the index past the list's end: the first entry plays.
  form().Click(Get("Picture23"));
  EXPECT_EQ(media.Source(), u"C:\\m\\二.mp3");
  EXPECT_EQ(form().caption, u"Velmo盒子 - 二");
  EXPECT_EQ(Get("Picture23").image, 3);

  form().Click(Get("Picture25"));
  form().Click(Get("Picture59"));  // a single click does not clear
  EXPECT_EQ(Get("List2").items.size(), 1u);
  Control& clear = Get("Picture59");
  form().DoubleClick(clear.ClientLeft() + 100, clear.ClientTop() + 100, MouseButton::kLeft, {});
  EXPECT_TRUE(state.lists.playlist.list.empty());
  EXPECT_FALSE(Get("List2").enabled);
  EXPECT_EQ(media.Source(), u"");
  form().Tick("Timer45");
  EXPECT_FALSE(TransportEnabled());
  EXPECT_FALSE(music->player().playing());
}

TEST_F(MusicPageTest, AddingAFileTakesItsNameWithoutTheExtension) {
  Start(false);
  files.AddFile(u"D:\\歌\\a.mp3", "");
  files.AddFile(u"D:\\歌\\song.flac", "");
  dialogs.answers = {u"D:\\歌\\a.mp3", u"D:\\歌\\song.flac", u"D:\\歌\\gone.mp3"};
  for (int i = 0; i < 4; ++i) form().Click(Get("Picture31"));
  EXPECT_EQ(dialogs.requests[0].title, u"打开音乐文件");
  EXPECT_EQ(dialogs.requests[0].filter, u"所有支持的音频文件格式|*.mp3;*.wav;*.wma;");
  EXPECT_EQ(Get("List2").items,
            std::vector<std::u16string>({u"一", u"二", u"三", u"a", u"song."}));
  EXPECT_EQ(Get("List3").items.back(), u"D:\\歌\\song.flac");
}

TEST_F(MusicPageTest, VolumeBarKeysAndMute) {
  Start(true);
  // A press in the middle of the track, then a drag past either end.
  Control& track = Get("Picture27");
  int y = track.ClientTop() + 60;
  form().MouseDown(track.ClientLeft() + 502, y, MouseButton::kLeft, {});
  EXPECT_EQ(media.Volume(), 49);
  const std::pair<int, int> drags[] = {{-100, 0}, {975, 100}, {5000, 100}, {100, 8}};
  for (auto [x, volume] : drags) {
    form().MouseMove(track.ClientLeft() + x, y, MouseButton::kLeft, {});
    EXPECT_EQ(media.Volume(), volume) << x;
    EXPECT_EQ(Get("Label7").text, Utf8ToUtf16(std::to_string(volume))) << x;
  }
  form().MouseUp(track.ClientLeft() + 100, y, MouseButton::kLeft, {});
  form().Click(Get("Picture26"));
  EXPECT_TRUE(media.Muted());
  EXPECT_EQ(Get("Picture26").image, 11);

  const struct {
    int from, key, to;
  } keys[] = {{97, 38, 100}, {50, 38, 55}, {3, 40, 0}, {50, 40, 45}};
  for (auto k : keys) {
    media.SetVolume(k.from);
    EXPECT_TRUE(form().KeyDown(CtrlAlt(k.key), nullptr));
    EXPECT_EQ(media.Volume(), k.to);
    EXPECT_FALSE(media.Muted()) << "a volume change unmutes";
    EXPECT_EQ(Get("Picture28").width, 975 * k.to / 100 + 15);
  }
  // From the command box the title says the volume until the keys are let go.
  form().SetFocus(&window->command_box());
  form().KeyDown(CtrlAlt(38), nullptr);
  EXPECT_EQ(form().caption, u"音量：50");
  form().KeyUp(KeyEvent{38, {}}, nullptr);
  EXPECT_EQ(form().caption, u"Velmo盒子 - 一");
  form().KeyDown(CtrlAlt(32), nullptr);
  EXPECT_EQ(media.State(), MediaState::kPaused);
  EXPECT_EQ(form().caption, u"Velmo盒子");
}

TEST_F(MusicPageTest, SeekingWhilePausedStaysPaused) {
  media.default_length = 200;
  Start(true);
  form().Click(Get("Picture23"));  // pause
  Control& track = Get("Picture29");
  int x = track.ClientLeft() + 1462, y = track.ClientTop() + 60;
  form().MouseDown(x, y, MouseButton::kLeft, {});
  form().MouseMove(x + 300, y, MouseButton::kLeft, {});
  form().MouseUp(x + 300, y, MouseButton::kLeft, {});
  EXPECT_EQ(media.State(), MediaState::kPaused);
  EXPECT_EQ(media.Position(), std::trunc((1762.0 - 15) * 200 / 2895));
  EXPECT_FALSE(form().timer("Timer13").enabled);
  form().Click(Get("Picture23"));
  form().MouseDown(x, y, MouseButton::kLeft, {});
  form().MouseUp(x, y, MouseButton::kLeft, {});
  EXPECT_EQ(media.State(), MediaState::kPlaying);
  EXPECT_TRUE(form().timer("Timer13").enabled);
}

TEST_F(MusicPageTest, AListedProgramPausesOnceAndTheSoundButtonMutesSpeech) {
  state.pause_list = {u"game.exe", u"editor.exe"};
  state.settings.Set(Setting::kPauseWhenProgramRunning, true);
  Start(true);
  form().Tick("Timer37");
  processes.running = {u"GAME.EXE", u"editor.exe"};
  form().Tick("Timer39");
  form().Tick("Timer39");
  int pauses = 0;
  for (const MediaCall& call : media.calls) pauses += call.kind == MediaCall::Kind::kPause;
  EXPECT_EQ(pauses, 1);
  EXPECT_FALSE(music->player().playing());

  Control& sound = Get("Picture14");
  EXPECT_EQ(sound.tool_tip, u"打开声音");
  sound.on_click(MouseEvent{});
  EXPECT_TRUE(state.sound_muted);
  EXPECT_EQ(sound.image, 15);
  EXPECT_EQ(sound.tool_tip, u"关闭声音");
}

}  // namespace
}  // namespace velmo
