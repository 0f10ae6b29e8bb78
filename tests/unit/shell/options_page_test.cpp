// The options page inside the real main window model: tabs, the switches bound to the settings
// and when each takes effect, the pause list and the process watch, the two buttons.
#include "box/shell/options_page.h"

#include <gtest/gtest.h>

#include <memory>

#include "box/command/command_pages.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

class OptionsPageTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.program_folder = u"C:\\My Box";
    window = std::make_unique<MainWindow>(state, services);
    commands = std::make_unique<CommandPages>(*window, state, services);
    options = std::make_unique<OptionsPage>(*window, state, services);
    // What App::Startup loads: switch 1 off, switch 10 on, one program in the pause list.
    state.settings.Set(Setting::kGreetingAfterRunning, false);
    state.settings.Set(Setting::kKeyIntercept, true);
    state.pause_list = {u"game.exe"};
    form().width = 4600;
    form().height = 6000;
    window->FinishStartup();
    commands->FinishStartup();
    options->FinishStartup();
  }
  Form& form() { return window->form(); }
  Control& Get(std::string_view name, int index = -1) { return form().Get(name, index); }
  // Through the toolbar drawer, expanded first when it is not.
  void OpenOptions() {
    if (Get("Picture35").left < 0) {
      form().Click(Get("Picture36"));
      for (int i = 0; i < 20; ++i) form().Tick("Timer4");
    }
    form().Click(Get("PicOptions"));
  }
  // A click on the switch on its tab, then its whole slide.
  void Flip(int n) {
    if (!Get("Picture72").visible) OpenOptions();
    static constexpr int kTabOf[] = {0, 0, 0, 0, 1, 2, 1, 3, 3, 3, 4, 4, 4};
    form().Click(Get("Label28", kTabOf[n]));
    std::string name = "sSwitch_Small" + std::to_string(n);
    form().Click(Get(name));
    for (std::string timer : {name + ".Timer1", name + ".Timer2"}) {
      for (int i = 0; i < 10; ++i) form().Tick(timer);
    }
  }
  int SelectedTab() {
    int selected = -1;
    for (int i = 0; i < 5; ++i) {
      bool bordered = Get("Label28", i).border_color != kNoBackground;
      EXPECT_EQ(bordered, Get("Picture74", i).visible) << i;
      if (bordered) {
        EXPECT_EQ(selected, -1) << "one tab selected";
        selected = i;
      }
    }
    return selected;
  }

  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CommandPages> commands;
  std::unique_ptr<OptionsPage> options;
};

TEST_F(OptionsPageTest, OpensOverEverythingAlwaysOnTheFirstTab) {
  Control& page = Get("Picture72");
  EXPECT_FALSE(page.visible);
  EXPECT_EQ(form().root().children().back().get(), &page);
  const char16_t* texts[] = {u" 常规 ", u" 音乐 ", u" 程序调用 ", u" 文件清理 ", u" 调试 "};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Get("Label28", i).text, texts[i]);

  OpenOptions();
  EXPECT_TRUE(page.visible);
  EXPECT_EQ(SelectedTab(), 0);
  form().Click(Get("Label28", 3));
  EXPECT_EQ(SelectedTab(), 3);
  EXPECT_TRUE(Get("sSwitch_Small9").ShownInTree());
  EXPECT_FALSE(Get("sSwitch_Small1").ShownInTree());
  form().Click(Get("Picture73"));
  EXPECT_FALSE(page.visible);
  OpenOptions();
  EXPECT_EQ(SelectedTab(), 0);
}

TEST_F(OptionsPageTest, SwitchesShowTheLoadedSettingsAndChangeThem) {
  for (int n = 1; n <= 12; ++n) {
    bool loaded = state.settings.Get(static_cast<Setting>(n));
    EXPECT_EQ(options->switch_of(static_cast<Setting>(n)).Value(), loaded) << n;
  }
  for (int n = 1; n <= 12; ++n) {
    auto s = static_cast<Setting>(n);
    bool before = state.settings.Get(s);
    Flip(n);
    EXPECT_EQ(state.settings.Get(s), !before) << n;
  }
}

TEST_F(OptionsPageTest, TheSettingsTickAppliesSwitchesFiveSixAndTwelve) {
  Timer& settings_tick = form().timer("Timer37");
  Control& path_box = Get("Text9");
  EXPECT_FALSE(path_box.enabled);
  EXPECT_FALSE(form().timer("Timer39").enabled);
  form().layered = false;
  Flip(5);
  Flip(6);
  Flip(12);
  EXPECT_FALSE(path_box.enabled) << "nothing before the tick";
  form().Tick(settings_tick);
  EXPECT_TRUE(path_box.enabled);
  EXPECT_TRUE(form().timer("Timer39").enabled);
  EXPECT_EQ(form().opacity, kHalfTransparent);  // the fake pointer stands outside the window

  // An empty pause list leaves the tick running: switches keep taking effect.
  OpenOptions();
  form().Click(Get("Label28", 1));
  form().SelectionMade(Get("List9"), 0);
  form().Click(Get("Picture75"));
  EXPECT_TRUE(state.pause_list.empty());
  Flip(6);
  Flip(12);
  form().Tick(settings_tick);
  EXPECT_FALSE(form().timer("Timer39").enabled);
  EXPECT_EQ(form().opacity, 255);
}

TEST_F(OptionsPageTest, PauseListAndProcessWatch) {
  int told = 0;
  options->process_watch().on_listed_program_running = [&told] { ++told; };
  OpenOptions();
  form().Click(Get("Label28", 1));
  Control& list = Get("List9");
  EXPECT_EQ(list.items, std::vector<std::u16string>({u"game.exe"}));

  files.AddFile(u"C:\\Tools\\Editor.exe", "");
  dialogs.answers = {u"C:\\Tools\\Editor.exe", u"C:\\Tools\\Gone.exe"};
  form().Click(Get("Picture76"));
  form().Click(Get("Picture76"));  // a file that does not exist
  form().Click(Get("Picture76"));  // cancelled
  ASSERT_EQ(dialogs.requests.size(), 3u);
  EXPECT_EQ(dialogs.requests[0].title, u"浏览");
  EXPECT_EQ(dialogs.requests[0].filter, u"可执行文件(*.exe)|*.exe");
  EXPECT_EQ(list.items, std::vector<std::u16string>({u"game.exe", u"Editor.exe"}));
  EXPECT_EQ(state.pause_list, list.items);

  form().Click(Get("Picture75"));  // nothing selected
  EXPECT_EQ(list.items.size(), 2u);

  // The watch runs with switch 6: one snapshot a tick, told once however many programs run.
  Flip(6);
  form().Tick("Timer37");
  processes.running = {u"explorer.exe", u"EDITOR.EXE", u"Game.exe"};
  form().Tick("Timer39");
  EXPECT_EQ(told, 1);
  EXPECT_EQ(processes.snapshots, 1);
  processes.running = {u"explorer.exe", u"editor"};
  form().Tick("Timer39");
  EXPECT_EQ(told, 1);

  form().SelectionMade(list, 0);
  form().Click(Get("Picture75"));
  form().SelectionMade(list, 0);
  form().Click(Get("Picture75"));
  EXPECT_TRUE(list.items.empty());
  form().Tick("Timer39");
  EXPECT_EQ(processes.snapshots, 2) << "an empty list takes no snapshot";
}

TEST_F(OptionsPageTest, ImportAndLogFolderButtons) {
  options->import_from_start_menu = [] { return std::u16string(u"C:\\a.lnk\r\n"); };
  OpenOptions();
  form().Click(Get("Label28", 2));
  form().Click(Get("Picture77"));
  EXPECT_EQ(Get("Text8").text, u"C:\\a.lnk\r\n");
  EXPECT_TRUE(Get("Text8").read_only);

  form().Click(Get("Label28", 3));
  form().Click(Get("Picture78"));
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].text, u"explorer.exe \"C:\\My Box\\CleanLogs\\\"");
}

}  // namespace
}  // namespace velmo
