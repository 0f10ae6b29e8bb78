// Start-up and shut-down with in-memory services: folders, lists, settings and their actions,
// start at log-in, and what a save leaves on disk.
#include "box/app/app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "box/storage/registry_ops.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

constexpr char16_t kFolder[] = u"C:\\Box";
constexpr char16_t kConfig[] = u"C:\\Box\\DATA\\config.ini";

std::string Gbk(std::u16string_view text) { return *EncodeGbk(text); }

class AppTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  AppTest() {
    state.program_folder = kFolder;
    state.program_path = u"C:\\Box\\VelmoBox.exe";
    files.AddFolder(kFolder);
  }

  void WriteConfig(std::string_view text) { files.AddFile(kConfig, text); }
  std::string Config() { return files.Contents(kConfig).value_or("<missing>"); }
  bool RunValueExists() {
    return registry.GetValue(RegistryRoot::kCurrentUser, std::u16string(kRunKey), u"VelmoBox")
        .has_value();
  }

  BoxState state;
  Form window;
  App app{state, services, window};
};

TEST_F(AppTest, SecondInstanceIsRefusedByTheNamedLock) {
  FakeInstanceLock lock;
  lock.held_elsewhere = true;
  EXPECT_FALSE(App::AcquireInstance(lock));
  EXPECT_EQ(lock.acquired_name, kInstanceLockName);
  EXPECT_EQ(files.writes, 0);
}

TEST_F(AppTest, FreshFolderGetsFoldersEmptyListsAndDeliveredSettings) {
  app.Startup();
  for (auto name : {u"C:\\Box\\DATA", u"C:\\Box\\Plugins", u"C:\\Box\\CleanLogs"}) {
    EXPECT_TRUE(files.PathExists(name)) << Utf16ToUtf8(name);
  }
  EXPECT_EQ(files.Contents(u"C:\\Box\\DATA\\App.sd"), "");
  EXPECT_TRUE(state.lists.items.list.empty());
  EXPECT_EQ(speech.spoken, std::vector<std::u16string>{u"维莫盒子！"});
  // No config.ini: delivered values, so position memory is on with Top 0, Left 11700.
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(window.left, 11700);
  EXPECT_EQ(window.width, 4600);
  EXPECT_EQ(window.height, 6000);
  app.CheckDataFiles();
  EXPECT_EQ(state.startup_notice.text, u"");
  EXPECT_FALSE(RunValueExists());
}

TEST_F(AppTest, AFileNamedLikeAFolderIsLeftAlone) {
  files.AddFile(u"C:\\Box\\Plugins", "not a folder");
  app.Startup();
  EXPECT_EQ(files.Contents(u"C:\\Box\\Plugins"), "not a folder");
}

TEST_F(AppTest, WithoutPositionMemoryTheWindowStartsCentredAtTop10) {
  WriteConfig("[Basic]\r\nPositionRecord =False\r\nTop =300\r\nLeft =1500\r\n");
  app.Startup();
  EXPECT_EQ(window.top, 10);
  EXPECT_EQ(window.left, 1280 * 15 / 2 - 2300);
}

TEST_F(AppTest, RememberedPositionAndSwitchValuesAreRead) {
  WriteConfig(
      "[Basic]\r\nGreetingAfterRunning =0\r\nPositionRecord =TRUE\r\nTop =-20\r\nLeft =1500.4\r\n"
      "[Debug]\r\nKeyIntercept = true\r\nTransparentUI = 1\r\n");
  app.Startup();
  EXPECT_TRUE(speech.spoken.empty());
  EXPECT_EQ(window.top, -20);
  EXPECT_EQ(window.left, 1500);
  EXPECT_TRUE(state.settings.Get(Setting::kKeyIntercept));
  EXPECT_TRUE(state.settings.Get(Setting::kTransparentUI));
  EXPECT_FALSE(state.settings.Get(Setting::kForceToKillUserProgress));
}

TEST_F(AppTest, ARememberedPositionBesideEveryMonitorMovesOntoTheNearestOne) {
  // Two monitors side by side, the right one 1024 x 768 and lower; 96 dpi (15 twips a pixel)
  // unless a case says otherwise.
  screen.work_areas = {{0, 0, 1280, 770}, {1280, 200, 2304, 968}};
  struct Case {
    int dpi;
    int top, left;
    int expected_left;
  } const cases[] = {
      {96, 3000, 11700, 11700},       // on the first monitor
      {96, 3000, 30000, 30000},       // on the second
      {96, 3000, 34500, 34500},       // a sliver on the second: seen, kept
      {96, 3000, -30000, 0},          // gone to the left
      {96, -20, -4620, 0},            // docked at the top, just beside the left edge
      {96, 50 - 6000, 99000, 29955},  // hidden above the edge, far right: onto the second
      {96, 13050, 40000, 29955},      // hidden below the bottom edge
      {192, 3000, -30000, 0},
      {192, 3000, 30000, 12683},  // 613 pixels wide, at the right edge of the desktop
  };
  for (const Case& c : cases) {
    screen.dpi = c.dpi;
    WriteConfig("[Basic]\r\nPositionRecord =True\r\nTop =" + std::to_string(c.top) +
                "\r\nLeft =" + std::to_string(c.left) + "\r\n");
    app.Startup();
    EXPECT_EQ(window.left, c.expected_left) << c.dpi << " " << c.left;
    EXPECT_EQ(window.top, c.top) << c.dpi << " " << c.left;
  }
}

TEST_F(AppTest, UnconvertibleValuesFallBackToTheDeliveredOnes) {
  WriteConfig(
      "[Basic]\r\nGreetingAfterRunning =yes\r\nTop =high\r\nLeft =\r\n"
      "AutoRunAfterLogIn =maybe\r\n");
  app.Startup();
  EXPECT_TRUE(state.settings.Get(Setting::kGreetingAfterRunning));
  EXPECT_FALSE(state.settings.Get(Setting::kAutoRunAfterLogIn));
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(window.left, 11700);
}

TEST_F(AppTest, TheGreetingIgnoresTheMuteFlagAndAFailingEngine) {
  state.sound_muted = true;
  speech.works = false;
  app.Startup();
  EXPECT_EQ(speech.spoken.size(), 1u);
  SpeakText(state, speech, u"记事本");
  EXPECT_EQ(speech.spoken.size(), 1u) << "the speech routine is muted";
  state.sound_muted = false;
  SpeakText(state, speech, u"记事本");
  EXPECT_EQ(speech.spoken.back(), u"记事本");
}

TEST_F(AppTest, RunValueFollowsTheSwitchAtStartAndAtShutdown) {
  WriteConfig("[Basic]\r\nAutoRunAfterLogIn =True\r\n");
  app.Startup();
  auto value = registry.GetValue(RegistryRoot::kCurrentUser, std::u16string(kRunKey), u"VelmoBox");
  ASSERT_TRUE(value.has_value());
  std::u16string data(reinterpret_cast<const char16_t*>(value->data.data()),
                      value->data.size() / 2);
  EXPECT_EQ(data, std::u16string(u"\"C:\\Box\\VelmoBox.exe\"") + u'\0');

  state.settings.Set(Setting::kAutoRunAfterLogIn, false);
  app.Shutdown();
  EXPECT_FALSE(RunValueExists());
  EXPECT_NE(Config().find("AutoRunAfterLogIn=False\r\n"), std::string::npos);
}

TEST_F(AppTest, ShutdownWritesListsAndEverySettingInPlace) {
  WriteConfig(
      "[Basic]\r\nGreetingAfterRunning =True\r\nPositionRecord =True\r\nAutoRunAfterLogIn "
      "=False\r\nTop =0\r\nLeft =11700\r\n\r\n[Mine]\r\nNote=keep\r\n\r\n[Debug]\r\n"
      "KeyIntercept = False\r\nForceToKillUserProgress = False\r\nTransparentUI = False\r\n");
  files.AddFile(u"C:\\Box\\DATA\\App.sd", Gbk(u"记事本*C:\\n.exe\r\n\r\n"));
  app.Startup();
  state.lists.items.list.Append(u"画图", u"C:\\p.exe");
  state.settings.Set(Setting::kTransparentUI, true);
  window.top = -20;
  window.left = 7300;
  app.Shutdown();

  EXPECT_EQ(files.Contents(u"C:\\Box\\DATA\\App.sd"),
            Gbk(u"记事本*C:\\n.exe\r\n画图*C:\\p.exe\r\n"));
  EXPECT_EQ(files.Contents(u"C:\\Box\\DATA\\Music.sd"), "");
  EXPECT_EQ(
      Config(),
      "[Basic]\r\nGreetingAfterRunning=True\r\nPositionRecord=True\r\nAutoRunAfterLogIn="
      "False\r\nTop=-20\r\nLeft=7300\r\n\r\n[Mine]\r\nNote=keep\r\n\r\n[Debug]\r\n"
      "KeyIntercept=False\r\nForceToKillUserProgress=False\r\nTransparentUI=True\r\n"
      "\r\n[Music]\r\nPlayMusicAfterRunning=False\r\nPauseWhenProgramRunning=False\r\n"
      "\r\n[ProgramTransfer]\r\nAllowUserSetProgramPath=False\r\n"
      "\r\n[FileCleaner]\r\nAutoCleanAfterRunning=False\r\nClearRecycledWhenCleanerWork=False\r\n"
      "PowerfulCleaningMode=False\r\n"
      "\r\n[Window]\r\nShowHotkey=Alt+Space\r\nCaptureHotkey=Ctrl+Alt+X\r\n");
}

TEST_F(AppTest, ShutdownRemovesTheKeyboardHookAfterTheListsAndBeforeTheSettings) {
  WriteConfig("[Debug]\r\nKeyIntercept = True\r\n");
  app.Startup();
  keyboard_hook.Install();  // as the settings tick does while switch 10 is on
  state.lists.items.list.Append(u"画图", u"C:\\p.exe");
  const int writes_before = files.writes;
  EXPECT_TRUE(app.Shutdown());

  ASSERT_EQ(keyboard_hook.writes_at_removal.size(), 1u);
  EXPECT_FALSE(keyboard_hook.installed);
  EXPECT_GT(keyboard_hook.writes_at_removal[0], writes_before) << "the lists were saved first";
  EXPECT_EQ(keyboard_hook.writes_at_removal[0], files.writes - 1) << "config.ini came after";
  EXPECT_NE(Config().find("KeyIntercept=True\r\n"), std::string::npos)
      << "the switch stays on for the next start";
}

TEST_F(AppTest, ThePauseListIsKeptInTheMusicSection) {
  WriteConfig(Gbk(u"[Music]\r\nPauseList=game.exe||编辑器.exe|\r\n"));
  app.Startup();
  EXPECT_EQ(state.pause_list, std::vector<std::u16string>({u"game.exe", u"编辑器.exe"}));
  state.pause_list.erase(state.pause_list.begin());
  state.pause_list.push_back(u"My Game.exe");
  app.Shutdown();
  EXPECT_NE(Config().find(Gbk(u"PauseList=编辑器.exe|My Game.exe\r\n")), std::string::npos);

  // Emptied, the key stays as an empty list.
  app.Startup();
  state.pause_list.clear();
  app.Shutdown();
  EXPECT_NE(Config().find("PauseList=\r\n"), std::string::npos);
  app.Startup();
  EXPECT_TRUE(state.pause_list.empty());
}

// The release's zip delivers its settings as config.ini.default, never as config.ini: a first
// start reads them, the close writes them as the user's config.ini, and a newer zip unzipped over
// the folder changes nothing of what the user set.
TEST_F(AppTest, TheDeliveredSettingsServeUntilTheBoxHasWrittenItsOwn) {
  const std::u16string delivered = u"C:\\Box\\DATA\\config.ini.default";
  const std::string first_release =
      "[Basic]\r\nGreetingAfterRunning =False\r\nPositionRecord =True\r\nTop =300\r\n"
      "Left =1500\r\n[Debug]\r\nTransparentUI = True\r\n";
  files.AddFile(delivered, first_release);
  app.Startup();
  app.CheckDataFiles();
  EXPECT_EQ(state.startup_notice.text, u"");
  EXPECT_TRUE(speech.spoken.empty());
  EXPECT_EQ(window.top, 300);
  EXPECT_EQ(window.left, 1500);
  EXPECT_TRUE(state.settings.Get(Setting::kTransparentUI));
  window.left = 4500;
  EXPECT_TRUE(app.Shutdown());
  EXPECT_NE(Config().find("GreetingAfterRunning=False\r\n"), std::string::npos) << Config();
  EXPECT_NE(Config().find("Top=300\r\nLeft=4500\r\n"), std::string::npos) << Config();
  EXPECT_NE(Config().find("TransparentUI=True\r\n"), std::string::npos) << Config();
  EXPECT_EQ(files.Contents(delivered), first_release);

  files.AddFile(delivered, "[Basic]\r\nPositionRecord =True\r\nTop =0\r\nLeft =11700\r\n");
  app.Startup();
  EXPECT_EQ(window.left, 4500) << "the user's config.ini comes first";
  EXPECT_TRUE(state.settings.Get(Setting::kTransparentUI));
}

TEST_F(AppTest, UnreadableSettingsAreKeptAsideBeforeTheyAreReported) {
  std::string garbage("\x00\x01[Basic]\x00", 10);
  WriteConfig(garbage);
  app.Startup();
  app.CheckDataFiles();
  EXPECT_EQ(files.Contents(u"C:\\Box\\DATA\\config.ini.unreadable"), garbage);
  EXPECT_EQ(state.startup_notice.title, u"设置文件错误");
  EXPECT_EQ(
      state.startup_notice.text,
      u"设置文件 config.ini 无法读取，已改用默认设置；原文件已另存为 config.ini.unreadable。");
  EXPECT_TRUE(state.settings.Get(Setting::kPositionRecord));
  EXPECT_TRUE(app.Shutdown());
  EXPECT_NE(Config().find("GreetingAfterRunning=True"), std::string::npos);
}

// Files another program holds while the box starts, read-only files and a DATA that takes no
// file: each is said once at start-up and left exactly as it was while it cannot be written,
// and the shut-down that cannot save them says so through its result. A file that could not be
// read is never written; one that could not be written is written once it can be.
TEST_F(AppTest, FilesThatCannotBeReadOrWrittenAreSaidAndLeftAlone) {
  const std::u16string app_sd = u"C:\\Box\\DATA\\App.sd";
  const std::u16string contacts = u"C:\\Box\\DATA\\Contacts.sd";
  const std::u16string config = kConfig;
  const struct {
    const char* name;
    std::function<void(FakeFileSystem&)> before_start;
    std::vector<std::u16string> left_alone;  // besides these, every file is saved
    std::u16string title, text;
  } cases[] = {
      {"App.sd held",
       [&](FakeFileSystem& fs) { fs.FailReadOf(app_sd); },
       {app_sd},
       u"文件无法读取",
       u"无法读取 App.sd，可能正被其他程序占用；文件保持原样，不会被改写。"},
      {"App.sd, Contacts.sd and config.ini held",
       [&](FakeFileSystem& fs) {
         for (const auto& path : {app_sd, contacts, config}) fs.FailReadOf(path);
       },
       {app_sd, contacts, config},
       u"文件无法读取",
       u"无法读取 "
       u"App.sd、Contacts.sd、config.ini，可能正被其他程序占用；文件保持原样，不会被改写。"},
      {"config.ini read-only",
       [&](FakeFileSystem& fs) { fs.SetReadOnly(config); },
       {config},
       u"无法保存",
       u"无法写入 config.ini，可能是只读文件或没有写入权限；这部分更改无法保存。"},
      {"App.sd held, config.ini read-only",
       [&](FakeFileSystem& fs) {
         fs.FailReadOf(app_sd);
         fs.SetReadOnly(config);
       },
       {app_sd, config},
       u"文件无法读取",
       u"无法读取 App.sd，可能正被其他程序占用；文件保持原样，不会被改写。无法写入 "
       u"config.ini，可能是只读文件或没有写入权限；这部分更改无法保存。"},
      {"DATA takes no file until the close",
       [&](FakeFileSystem& fs) { fs.fail_writes = true; },
       {},
       u"无法保存",
       u"DATA 文件夹无法写入，可能没有写入权限；列表和设置的更改无法保存。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    fs.AddFolder(kFolder);
    fs.AddFile(app_sd, "calc*C:\\c.exe\r\n");
    fs.AddFile(contacts, "Zhang*1\r\n");
    fs.AddFile(config, "[Basic]\r\nPositionRecord =False\r\n");
    c.before_start(fs);
    BoxState box;
    box.program_folder = kFolder;
    Form form;
    FakeRecycleBin bin{fs};
    Services with_fs{fs,        registry,  speech,        screen, clock, launcher,      dialogs,
                     clipboard, processes, known_folders, media,  bin,   keyboard_hook, power,
                     hotkeys,   icons};
    App under_test(box, with_fs, form);
    under_test.Startup();
    under_test.CheckDataFiles();
    EXPECT_EQ(box.startup_notice.title, c.title);
    EXPECT_EQ(box.startup_notice.text, c.text);

    // The holders let go before the close: what could not be read is still not written.
    for (const auto& path : {app_sd, contacts, config}) fs.AllowReadOf(path);
    fs.fail_writes = false;
    box.lists.items.list.Append(u"画图", u"C:\\p.exe");
    box.lists.contacts.list.Append(u"李四", u"2");
    box.settings.Set(Setting::kTransparentUI, true);
    form.left = 900;
    EXPECT_EQ(under_test.Shutdown(), c.left_alone.empty());
    auto kept = [&](const std::u16string& path) {
      return std::find(c.left_alone.begin(), c.left_alone.end(), path) != c.left_alone.end();
    };
    EXPECT_EQ(fs.Contents(app_sd) == "calc*C:\\c.exe\r\n", kept(app_sd));
    EXPECT_EQ(fs.Contents(contacts) == "Zhang*1\r\n", kept(contacts));
    EXPECT_EQ(fs.Contents(config) == "[Basic]\r\nPositionRecord =False\r\n", kept(config));
    for (const auto& path : {app_sd, contacts, config}) {
      EXPECT_EQ(fs.Contents(path + u".unreadable"), std::nullopt) << Utf16ToUtf8(path);
    }
  }
}

}  // namespace
}  // namespace velmo
