// The whole box on fakes, from start-up to shut-down: the pages get what start-up loaded, the
// last step may start the music, the settings tick sets the keyboard hook, the checks follow the
// first picture, and shut-down removes the hook, saves and closes the sound device.
#include "box/shell/box.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "box/storage/text_codec.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

TEST(BoxTest, StartupWiresEveryPageAndShutdownSavesAndFallsSilent) {
  FakeServiceSet fakes;
  fakes.files.AddFile(u"C:\\Box\\DATA\\config.ini",
                      "[Music]\r\nPlayMusicAfterRunning=True\r\nPauseList=game.exe\r\n"
                      "[Debug]\r\nKeyIntercept=True\r\n");
  fakes.files.AddFile(u"C:\\Box\\DATA\\Music.sd", *EncodeGbk(u"歌*D:\\歌.mp3\r\n"));
  BoxState state;
  state.program_folder = u"C:\\Box";
  Box box(state, fakes.services);
  box.Startup();
  Form& form = box.window().form();

  EXPECT_EQ(fakes.media.Source(), u"D:\\歌.mp3");
  EXPECT_EQ(form.caption, u"Velmo盒子 - 歌");
  EXPECT_EQ(form.Get("sSwitch_Small4.Shape2").left, 300) << "the switch shows the loaded setting";
  EXPECT_EQ(form.Get("List9").items, std::vector<std::u16string>({u"game.exe"}));
  EXPECT_EQ(form.Get("List2").items, std::vector<std::u16string>({u"歌"}));

  EXPECT_FALSE(fakes.keyboard_hook.installed) << "not before the settings tick";
  form.Tick("Timer37");
  EXPECT_TRUE(fakes.keyboard_hook.installed) << "switch 10 was loaded on";

  fakes.files.SetReadOnly(u"C:\\Box\\DATA\\Contacts.sd");
  form.Tick("TimerAfterShown");
  EXPECT_EQ(form.Get("LblMessageTitle").text, u"无法保存") << "the checks said what they found";

  EXPECT_FALSE(box.Shutdown()) << "Contacts.sd could not be saved";
  EXPECT_NE(fakes.files.Contents(u"C:\\Box\\DATA\\config.ini")->find("PauseList=game.exe\r\n"),
            std::string::npos);
  EXPECT_EQ(fakes.media.Source(), u"");
  EXPECT_FALSE(fakes.keyboard_hook.installed);
  EXPECT_NE(fakes.files.Contents(u"C:\\Box\\DATA\\config.ini")->find("KeyIntercept=True\r\n"),
            std::string::npos);
}

// At log-off Windows ends a process that does not close at once: a clean held up on a drive
// that does not answer must not keep the lists from the disk.
TEST(BoxTest, AClosingBoxSavesFirstAndDoesNotWaitForACleanHeldUpByADrive) {
  FakeServiceSet fakes;
  std::mutex mutex;
  std::condition_variable changed;
  bool held = false, release = false;
  fakes.files.on_list = [&](const std::u16string&) {
    std::unique_lock<std::mutex> lock(mutex);
    held = true;
    changed.notify_all();
    changed.wait(lock, [&] { return release; });
  };
  BoxState state;
  state.program_folder = u"C:\\Box";
  {
    Box box(state, fakes.services);
    box.Startup();
    state.lists.items.list.Append(u"记事本", u"C:\\Windows\\notepad.exe");
    Form& form = box.window().form();
    box.window().OpenPage(PageId::kCleaner);
    for (int i = 0; i < 20; ++i) form.Tick("Timer24");
    form.Click(form.Get("Picture56"));
    {
      std::unique_lock<std::mutex> lock(mutex);
      ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return held; }));
    }
    auto start = std::chrono::steady_clock::now();
    box.Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(fakes.files.Contents(u"C:\\Box\\DATA\\App.sd"),
              *EncodeGbk(u"记事本*C:\\Windows\\notepad.exe\r\n"));
    {
      std::lock_guard<std::mutex> lock(mutex);
      release = true;
    }
    changed.notify_all();
  }  // the worker ends once the drive answers
}

}  // namespace
}  // namespace velmo
