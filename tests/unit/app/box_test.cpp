// The whole box on fakes, from start-up to shut-down: the pages get what start-up loaded, the
// last step may start the music, the settings tick sets the keyboard hook, the checks follow the
// first picture, and shut-down removes the hook, saves and closes the sound device.
#include "box/app/box.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "box/storage/registry_ops.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

std::string Gbk(std::u16string_view text) { return *EncodeGbk(text); }

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

  EXPECT_EQ(box.Close(), 1) << "Contacts.sd could not be saved, but held nothing new";
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
    EXPECT_EQ(box.Close(), 0);
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

// A change reaches the disk within a second, on the saver's thread. A save that fails is said
// once, the change stays in memory and is written once the file can be; a close that would lose
// it is refused until a second close. At the end of the Windows session the lists that could not
// be written go to the recovery folder, and the next start offers them back.
TEST(BoxTest, NothingAddedIsLostWhenTheDiskRefusesIt) {
  const std::u16string app_sd = u"C:\\Box\\DATA\\App.sd";
  const std::u16string contacts = u"C:\\Box\\DATA\\Contacts.sd";
  const std::u16string kept =
      u"C:\\Users\\Me\\AppData\\Local\\VelmoBox\\Recovery\\C__Box\\Contacts.sd";
  FakeServiceSet fakes;
  FakeFileSystem& files = fakes.files;
  files.AddFile(app_sd, "calc*C:\\c.exe\r\n");
  BoxState state;
  state.program_folder = u"C:\\Box";
  // One tick of the save watch, the worker's writes, and the tick that takes what came of them.
  auto save = [](Box& box) {
    box.window().form().Tick("TimerSave");
    box.saver().Wait();
    box.window().form().Tick("TimerSave");
  };
  auto recovery_mark = [&fakes] {
    return GetRegString(fakes.registry, RegistryRoot::kCurrentUser, u"Software\\VelmoBox\\Recovery",
                        u"C:\\Box");
  };
  auto message = [](Box& box) {
    Form& form = box.window().form();
    return form.Get("LblMessageTitle").text + u"：" + form.Get("LblMessage").text;
  };
  {
    Box box(state, fakes.services);
    box.Startup();
    Form& form = box.window().form();
    form.Tick("TimerAfterShown");
    const int writes_at_start = files.writes;
    save(box);
    EXPECT_EQ(files.writes, writes_at_start) << "nothing changed, nothing written";

    state.lists.items.list.Append(u"画图", u"C:\\p.exe");
    save(box);
    EXPECT_EQ(files.Contents(app_sd), Gbk(u"calc*C:\\c.exe\r\n画图*C:\\p.exe\r\n"));

    files.FailReadOf(app_sd);  // another program holds it
    state.lists.items.list.Append(u"记事本", u"C:\\n.exe");
    form.TakeBeeps();
    save(box);
    save(box);
    EXPECT_EQ(message(box),
              u"无法保存：无法写入 App.sd：文件正被其他程序占用。更改仍保留在盒子里，问题解决后会"
              u"自动保存。");
    EXPECT_EQ(form.TakeBeeps(), 1) << "said once, though tried at every tick";

    EXPECT_EQ(box.Close(), std::nullopt) << "the close would lose 记事本";
    EXPECT_EQ(message(box),
              u"尚未保存：无法写入 App.sd（文件正被其他程序占用）。为免丢失更改，盒子没有退出；"
              u"问题解决后再关闭即可保存。10 秒内再次关闭将放弃这些更改并退出。");
    EXPECT_EQ(files.Contents(app_sd), Gbk(u"calc*C:\\c.exe\r\n画图*C:\\p.exe\r\n"));

    files.AllowReadOf(app_sd);  // let go: the next tick saves
    save(box);
    EXPECT_EQ(files.Contents(app_sd),
              Gbk(u"calc*C:\\c.exe\r\n画图*C:\\p.exe\r\n记事本*C:\\n.exe\r\n"));

    files.FailReadOf(contacts);
    state.lists.contacts.list.Append(u"王五", u"3");
    fakes.clock.monotonic_ms += 11000;
    EXPECT_EQ(box.Close(), std::nullopt) << "the last refusal is long past";
    fakes.clock.monotonic_ms += 9000;
    EXPECT_EQ(box.Close(), 1) << "a second close soon after ends the box anyway";
    EXPECT_EQ(files.Contents(contacts), "");
  }

  // A disk too full for a save is said at start-up. At the end of the Windows session a changed
  // list that cannot be written goes to the recovery folder.
  files.AllowReadOf(contacts);
  files.free_bytes = 10;
  {
    Box box(state, fakes.services);
    box.Startup();
    box.window().form().Tick("TimerAfterShown");
    EXPECT_EQ(message(box),
              u"磁盘空间不足：DATA 所在的磁盘只剩 1 KB 可用空间，保存列表和设置需要约 66 KB；请腾"
              u"出磁盘空间，否则更改将无法保存。");
    files.free_bytes.reset();
    files.FailReadOf(contacts);
    state.lists.contacts.list.Append(u"赵六", u"13800000000");
    EXPECT_EQ(box.EndSession(), 1);
    EXPECT_EQ(files.Contents(kept), Gbk(u"赵六*13800000000\r\n"));
    EXPECT_EQ(recovery_mark(), u"C:\\Users\\Me\\AppData\\Local\\VelmoBox\\Recovery\\C__Box");
    EXPECT_EQ(files.Contents(contacts), "");
  }

  // The next start offers it back; "yes" restores it and writes it where it belongs.
  files.AllowReadOf(contacts);
  {
    Box box(state, fakes.services);
    box.Startup();
    ASSERT_EQ(fakes.dialogs.questions.size(), 1u);
    EXPECT_NE(fakes.dialogs.questions[0].find(u"Contacts.sd 未能写入"), std::u16string::npos);
    EXPECT_EQ(box.window().form().Get("List6").items, std::vector<std::u16string>{u"赵六"});
    EXPECT_EQ(files.Contents(contacts), Gbk(u"赵六*13800000000\r\n"));
    EXPECT_EQ(files.Contents(kept), std::nullopt);
    EXPECT_EQ(recovery_mark(), std::nullopt) << "offered once";
    EXPECT_EQ(box.Close(), 0);
  }
}

// Each launch through the command box counts in Usage.sd, saved within a second and at shut-down
// and read at the next start, where it orders the suggestions.
TEST(BoxTest, LaunchesAreCountedInUsageSdAndOrderTheSuggestionsAfterARestart) {
  const std::u16string usage_sd = u"C:\\Box\\DATA\\Usage.sd";
  FakeServiceSet fakes;
  FakeFileSystem& files = fakes.files;
  files.AddFile(u"C:\\Box\\DATA\\App.sd",
                "notepad*C:\\n.exe\r\nnotes*C:\\s.exe\r\nnotebook*C:\\b.exe\r\n");
  files.AddFile(usage_sd,
                "notes*3*2026-12-08 09:00:00\r\n"
                "notebook*many*2026-12-08 09:00:00\r\n"  // no count: skipped
                "gone*5*2026-12-01 10:00:00\r\n"         // no such item: dropped at the next save
                "notepad*2*2026-02-30 10:00:00\r\n");    // no such day: skipped
  for (const char16_t* path : {u"C:\\n.exe", u"C:\\s.exe", u"C:\\b.exe"}) {
    files.AddFile(path, "");
    fakes.launcher.programs.insert(path);
  }
  fakes.clock.now = {2026, 12, 9, 10, 0, 0};
  BoxState state;
  state.program_folder = u"C:\\Box";
  auto suggestions = [](Box& box) {
    Form& form = box.window().form();
    form.TextEdited(box.window().command_box(), u"");
    form.TextEdited(box.window().command_box(), u"note");
    std::vector<std::u16string> names;
    for (int i = 0; i < 8 && form.Get("PicSuggestion", i).ShownInTree(); ++i) {
      names.push_back(form.Get("LblSuggestion", i).text);
    }
    return names;
  };
  auto key = [](Box& box, int code) {
    box.window().form().KeyDown(KeyEvent{code, {}}, &box.window().command_box());
  };
  using Names = std::vector<std::u16string>;
  {
    Box box(state, fakes.services);
    box.Startup();
    Form& form = box.window().form();
    form.Tick("TimerAfterShown");
    EXPECT_EQ(suggestions(box), (Names{u"notes", u"notepad", u"notebook"}));
    key(box, 40);
    key(box, 40);
    key(box, 13);  // the second: notepad
    EXPECT_EQ(fakes.launcher.calls.back(), ProgramFileCall(u"C:\\n.exe"));
    form.Tick("TimerSave");
    box.saver().Wait();
    EXPECT_EQ(files.Contents(usage_sd),
              "notepad*1*2026-12-09 10:00:00\r\nnotes*3*2026-12-08 09:00:00\r\n");

    // Two more launches of notepad by name, one of notebook; a deleted item loses its line.
    fakes.clock.now.hour = 11;
    for (const char16_t* name : {u"notepad", u"notebook", u"notepad"}) {
      form.TextEdited(box.window().command_box(), name);
      key(box, 13);
    }
    form.SelectionMade(form.Get("List1"), 1);
    form.KeyDown(KeyEvent{46, {}}, &form.Get("List1"));
    EXPECT_EQ(box.Close(), 0);
  }
  EXPECT_EQ(files.Contents(usage_sd),
            "notepad*3*2026-12-09 11:00:00\r\nnotebook*1*2026-12-09 11:00:00\r\n");
  {
    Box box(state, fakes.services);
    box.Startup();
    EXPECT_EQ(suggestions(box), (Names{u"notepad", u"notebook"}));
    EXPECT_EQ(box.Close(), 0);
  }
}

}  // namespace
}  // namespace velmo
