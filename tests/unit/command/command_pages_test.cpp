// The command box and the item, add-item and extensions pages inside the real main window
// model, driven by clicks, keys and timer ticks.
#include "box/command/command_pages.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

class CommandPagesTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.program_folder = u"C:\\Box";
    // What App::Startup loads from App.sd.
    AddItem(u"notepad", u"C:\\Windows\\notepad.exe");
    AddItem(u"文档", u"D:\\readme.txt");
    launcher.programs = {u"C:\\Windows\\notepad.exe"};
    window = std::make_unique<MainWindow>(state, services);
    pages = std::make_unique<CommandPages>(*window, state, services);
    form().width = 4600;
    form().height = 6000;
    window->FinishStartup();
    pages->FinishStartup();
  }
  Form& form() { return window->form(); }
  Control& Get(const char* name, int index = -1) { return form().Get(name, index); }
  Timer& TimerOf(const char* name) { return form().timer(name); }
  void TickUntilStopped(const char* name) {
    Timer& t = TimerOf(name);
    for (int n = 0; n < 100 && t.enabled; ++n) form().Tick(t);
    ASSERT_FALSE(t.enabled) << name;
  }
  void AddItem(const std::u16string& name, const std::u16string& path) {
    files.AddFile(path, "");
    state.lists.items.list.Append(name, path);
  }
  void Type(Control& box, const std::u16string& text) { form().TextEdited(box, text); }
  bool Key(Control& target, int key, Modifiers m = {}) {
    return form().KeyDown(KeyEvent{key, m}, &target);
  }
  void DoubleClick(Control& c) {
    int x = c.ClientLeft() + c.width / 2, y = c.ClientTop() + c.height / 2;
    form().DoubleClick(x, y, MouseButton::kLeft, {});
  }
  void OpenItemList() {
    form().Click(Get("Picture39", 2));
    TickUntilStopped("Timer20");
  }
  void OpenAddItem() {
    OpenItemList();
    form().Click(Get("Picture5"));
    TickUntilStopped("Timer1");
  }
  std::u16string MessageText() { return Get("LblMessage").text; }
  std::u16string MessageTitle() { return Get("LblMessageTitle").text; }

  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CommandPages> pages;
};

TEST_F(CommandPagesTest, EnterAndKeypadSeparatorRunTheCommandBox) {
  Control& text2 = Get("Text2");
  for (int key : {13, 108}) {
    launcher.calls.clear();
    Type(text2, u"notepad");
    EXPECT_TRUE(Key(text2, key));
    EXPECT_EQ(launcher.calls, std::vector{ProgramFileCall(u"C:\\Windows\\notepad.exe")});
    EXPECT_EQ(text2.text, u"");
    EXPECT_EQ(Get("Label13").text, u"notepad");
    // The keyboard stays in the command box: a line typed right after the launch arrives.
    EXPECT_EQ(form().focus(), &text2);
  }
  launcher.calls.clear();
  Type(text2, u"notepad");
  EXPECT_FALSE(Key(text2, 13, {.shift = true}));
  EXPECT_FALSE(Key(text2, 13, {.ctrl = true}));
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_EQ(text2.text, u"notepad");
}

TEST_F(CommandPagesTest, ExecuteButtonRunsAndLookUpsKeepTheirText) {
  Control& text2 = Get("Text2");
  Type(text2, u"#1+1");
  form().Click(Get("Picture4"));
  EXPECT_EQ(text2.text, u"#1+1");
  Type(text2, u"@example.com");
  launcher.programs = {u"explorer"};
  form().Click(Get("Picture4"));
  EXPECT_EQ(launcher.calls, std::vector{CommandLineCall(u"explorer \"http://example.com\"")});
  EXPECT_EQ(text2.text, u"");
}

TEST_F(CommandPagesTest, NotFoundShowsTheMessagePanel) {
  Type(Get("Text2"), u"Notepad");
  Key(Get("Text2"), 13);
  EXPECT_EQ(MessageText(), u"抱歉，在项目列表中没有查找到有关于Notepad的文件、程序或批处理文件。");
  EXPECT_EQ(MessageTitle(), u"命令无效");
  EXPECT_TRUE(TimerOf("Timer16").enabled);  // sliding up
  EXPECT_EQ(Get("Label13").text, u"最近打开的内容");
}

TEST_F(CommandPagesTest, RecentLabelReRunsTheLastItem) {
  Control& label = Get("Label13");
  form().Click(label);  // default text: nothing
  EXPECT_TRUE(launcher.calls.empty());
  Type(Get("Text2"), u"notepad");
  Key(Get("Text2"), 13);
  launcher.calls.clear();
  form().Click(label);
  EXPECT_EQ(launcher.calls, std::vector{ProgramFileCall(u"C:\\Windows\\notepad.exe")});
  EXPECT_EQ(Get("Text2").text, u"");
}

TEST_F(CommandPagesTest, ItemListShowsTheLoadedPair) {
  EXPECT_EQ(Get("List1").items, (std::vector<std::u16string>{u"notepad", u"文档"}));
  EXPECT_EQ(Get("List4").items,
            (std::vector<std::u16string>{u"C:\\Windows\\notepad.exe", u"D:\\readme.txt"}));
  EXPECT_FALSE(Get("List4").visible);
  EXPECT_EQ(Get("Picture6").tool_tip, u"删除");
  EXPECT_EQ(Get("Picture6").image, 9);
  EXPECT_EQ(Get("Picture7").image, 11);
  EXPECT_EQ(Get("Picture12").image, 27);
  EXPECT_EQ(Get("Picture10").image, 25);
}

TEST_F(CommandPagesTest, KeypadMinusAndDoubleClickLaunchTheSelectedItem) {
  OpenItemList();
  Control& list = Get("List1");
  form().SelectionMade(list, 1);
  EXPECT_FALSE(Key(list, 13));  // Enter does not launch here
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_TRUE(Key(list, 109));
  EXPECT_EQ(launcher.calls, std::vector{ShellCall(u"D:\\readme.txt")});
  form().SelectionMade(list, 0);
  DoubleClick(list);
  EXPECT_EQ(launcher.calls.back(), ProgramFileCall(u"C:\\Windows\\notepad.exe"));
  EXPECT_EQ(Get("Label13").text, u"notepad");
  form().MoveOver(list);
  EXPECT_EQ(list.tool_tip, u"C:\\Windows\\notepad.exe");
}

TEST_F(CommandPagesTest, DeletingTheLastItemDisablesTheListAndAddingEnablesIt) {
  OpenItemList();
  Control& list = Get("List1");
  form().Click(Get("Picture6"));  // nothing selected
  EXPECT_EQ(list.items.size(), 2u);
  // The suggestions keep up with every change of the list.
  using Names = std::vector<std::u16string>;
  auto suggest = [this](std::u16string_view typed) {
    Names names;
    for (const Suggestion& s : pages->item_names().Suggest(typed)) {
      names.push_back(pages->item_names().NameAt(s.index));
    }
    return names;
  };
  EXPECT_EQ(suggest(u"note"), Names{u"notepad"});
  form().SelectionMade(list, 0);
  Key(list, 46);
  EXPECT_EQ(suggest(u"note"), Names{});
  EXPECT_EQ(list.items, std::vector<std::u16string>{u"文档"});
  EXPECT_EQ(state.lists.items.list.values, std::vector<std::u16string>{u"D:\\readme.txt"});
  EXPECT_TRUE(list.enabled);
  form().SelectionMade(list, 0);
  form().Click(Get("Picture6"));
  EXPECT_TRUE(list.items.empty());
  EXPECT_FALSE(list.enabled);

  form().Click(Get("Picture5"));
  TickUntilStopped("Timer1");
  Type(Get("Text10"), u"Word新的");
  Type(Get("Text9"), u"C:\\new.exe");
  form().Tick("Timer3");
  form().Click(Get("Picture12"));
  EXPECT_TRUE(list.enabled);
  EXPECT_EQ(list.items, std::vector<std::u16string>{u"Word新的"});
  EXPECT_EQ(suggest(u"wo"), Names{u"Word新的"});
}

TEST_F(CommandPagesTest, ClearTakesADoubleClick) {
  OpenItemList();
  form().Click(Get("Picture7"));
  EXPECT_EQ(Get("List1").items.size(), 2u);
  DoubleClick(Get("Picture7"));
  EXPECT_TRUE(Get("List1").items.empty());
  EXPECT_TRUE(state.lists.items.list.empty());
  EXPECT_FALSE(Get("List1").enabled);
}

TEST_F(CommandPagesTest, SearchBoxFindsAndEmptiesItself) {
  OpenItemList();
  Control& search = Get("Text1");
  Type(search, u"notepad");
  EXPECT_TRUE(Key(search, 108));
  EXPECT_EQ(launcher.calls, std::vector{ProgramFileCall(u"C:\\Windows\\notepad.exe")});
  EXPECT_EQ(search.text, u"");
  Type(search, u"nothing");
  form().Click(Get("Picture9"));
  EXPECT_EQ(MessageText(), u"抱歉，在项目列表中没有查找到有关于nothing的程序或批处理文件。");
  EXPECT_EQ(search.text, u"");
}

TEST_F(CommandPagesTest, EscapeClosesTheItemListPage) {
  for (const char* target : {"Text1", "List1", "Picture33"}) {
    OpenItemList();
    EXPECT_TRUE(Key(Get(target), 27)) << target;
    EXPECT_TRUE(TimerOf("Timer19").enabled) << target;
    EXPECT_FALSE(Get("Picture34").enabled);
    TickUntilStopped("Timer19");
    EXPECT_EQ(Get("Picture33").left, 4500);
  }
  OpenItemList();
  EXPECT_FALSE(Key(Get("Text1"), 27, {.shift = true}));
}

TEST_F(CommandPagesTest, AddItemPageOpensEmptyAndConfirmShowsOnlyWithBothBoxes) {
  OpenAddItem();
  Type(Get("Text10"), u"旧名");
  Type(Get("Text9"), u"C:\\old.exe");
  form().Click(Get("Picture11"));
  TickUntilStopped("Timer2");
  form().Click(Get("Picture5"));
  EXPECT_EQ(Get("Text10").text, u"");
  EXPECT_EQ(Get("Text9").text, u"");

  Control& confirm = Get("Picture12");
  form().Tick("Timer3");
  EXPECT_FALSE(confirm.visible);
  Type(Get("Text10"), u"a");
  form().Tick("Timer3");
  EXPECT_FALSE(confirm.visible);
  Type(Get("Text9"), u"C:\\a.exe");
  form().Tick("Timer3");
  EXPECT_TRUE(confirm.visible);
  Type(Get("Text10"), u"");
  form().Tick("Timer3");
  EXPECT_FALSE(confirm.visible);
}

TEST_F(CommandPagesTest, NameBoxTakesAtMostTwentyCharacters) {
  OpenAddItem();
  Type(Get("Text10"), u"一二三四五六七八九十一二三四五六七八九十");
  EXPECT_EQ(Get("Text10").text.size(), 20u);
  Type(Get("Text10"), u"一二三四五六七八九十一二三四五六七八九十多");
  EXPECT_EQ(Get("Text10").text, u"一二三四五六七八九十一二三四五六七八九十");
}

TEST_F(CommandPagesTest, ConfirmFollowsTheNameRules) {
  OpenAddItem();
  Type(Get("Text10"), u"&x");
  Type(Get("Text9"), u"C:\\x.exe");
  form().Tick("Timer3");
  form().Click(Get("Picture12"));
  EXPECT_EQ(MessageTitle(), u"命名无效");
  EXPECT_EQ(Get("Text10").text, u"&x");  // both boxes keep their text
  EXPECT_EQ(Get("Text9").text, u"C:\\x.exe");

  Type(Get("Text10"), u"notepad");
  form().Click(Get("Picture12"));
  EXPECT_EQ(MessageText(),
            u"新增的文件或程序名称与已有的文件或程序名称重名，请更改一个新的文件或程序名称。");
  EXPECT_EQ(Get("Text10").text, u"");
  EXPECT_EQ(Get("Text9").text, u"C:\\x.exe");
  EXPECT_FALSE(TimerOf("Timer2").enabled);

  Type(Get("Text10"), u"Notepad");
  form().Tick("Timer3");
  form().Click(Get("Picture12"));
  EXPECT_EQ(state.lists.items.list.names.back(), u"Notepad");
  EXPECT_EQ(state.lists.items.list.values.back(), u"C:\\x.exe");
  EXPECT_TRUE(TimerOf("Timer2").enabled);  // the page slides out
  EXPECT_FALSE(Get("Picture11").enabled);
}

TEST_F(CommandPagesTest, BrowseFillsBothBoxesAndFocusesTheName) {
  OpenAddItem();
  dialogs.answers = {u"C:\\Program Files\\App\\tool.exe", u"C:\\abc"};
  form().Click(Get("Picture10"));
  EXPECT_EQ(Get("Text9").text, u"C:\\Program Files\\App\\tool.exe");
  EXPECT_EQ(Get("Text10").text, u"tool");
  EXPECT_EQ(form().focus(), &Get("Text10"));
  EXPECT_TRUE(Get("Text10").select_all);
  EXPECT_EQ(Get("Text10").max_length, 20u);
  EXPECT_TRUE(dialogs.requests[0].follow_shortcuts);
  form().Click(Get("Picture10"));  // a name too short: the path box only
  EXPECT_EQ(Get("Text9").text, u"C:\\abc");
  EXPECT_EQ(Get("Text10").text, u"tool");
  form().Click(Get("Picture10"));  // cancel changes nothing
  EXPECT_EQ(Get("Text9").text, u"C:\\abc");
}

TEST_F(CommandPagesTest, PathBoxFollowsTheSwitchAndLooksItsState) {
  Control& path = Get("Text9");
  auto looks_enabled = [&] {
    return path.back_color == Get("Text10").back_color &&
           Get("ShpText9").fill_color == Get("ShpText10").fill_color;
  };
  EXPECT_FALSE(path.enabled);  // delivered: off
  EXPECT_FALSE(looks_enabled());
  OpenAddItem();
  // A click on the disabled box takes the keyboard from the name box: a path typed next
  // must not land in the name.
  form().SetFocus(&Get("Text10"));
  form().Click(path);
  EXPECT_EQ(form().focus(), nullptr);

  state.settings.Set(Setting::kAllowUserSetProgramPath, true);
  EXPECT_FALSE(path.enabled);
  form().Tick("Timer37");
  EXPECT_TRUE(path.enabled);
  EXPECT_TRUE(looks_enabled());
  state.settings.Set(Setting::kAllowUserSetProgramPath, false);
  form().Tick("Timer37");
  EXPECT_FALSE(path.enabled);
  EXPECT_FALSE(looks_enabled());
}

TEST_F(CommandPagesTest, EveryChangeOfTheCommandBoxTakesTheTypingPath) {
  Control& box = Get("Text2");
  std::vector<std::u16string> seen;
  box.on_change = [&] { seen.push_back(box.text); };
  Type(box, u"notepad");
  Key(box, 13);                  // Run empties the box
  form().Click(Get("Label13"));  // the recent-content label fills it, and Run empties it
  Type(box, u"文档");
  form().Click(Get("Picture39", 0));  // the music tile clears it
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"notepad", u"", u"notepad", u"", u"文档", u""}));
  EXPECT_EQ(launcher.calls.size(), 2u);
}

TEST_F(CommandPagesTest, ImportShowsTheNewItemsInTheList) {
  dialogs.answers = {u"C:\\x\\QQ.lnk"};
  std::u16string log;
  pages->ImportFromStartMenu(log);
  EXPECT_EQ(log, u"C:\\x\\QQ.lnk\r\n");
  EXPECT_EQ(Get("List1").items.back(), u"QQ");
  EXPECT_EQ(Get("List4").items.back(), u"C:\\x\\QQ.lnk");
  std::vector<Suggestion> found = pages->item_names().Suggest(u"qq");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(pages->item_names().NameAt(found[0].index), u"QQ");
}

TEST_F(CommandPagesTest, ExtensionsPage) {
  files.AddFile(u"C:\\Box\\Plugins\\截屏.exe", "");
  files.AddFile(u"C:\\Box\\Plugins\\web.lnk", "");
  form().Click(Get("Picture39", 3));
  TickUntilStopped("Timer22");
  form().Click(Get("PicTool", 8));
  EXPECT_TRUE(TimerOf("Timer35").enabled);
  TickUntilStopped("Timer35");
  Control& list = Get("List12");
  EXPECT_EQ(list.items, (std::vector<std::u16string>{u"截屏", u"web"}));

  form().SelectionMade(list, 1);
  DoubleClick(list);
  EXPECT_EQ(launcher.calls, std::vector{ShellCall(u"C:\\Box\\Plugins\\web.lnk")});
  form().Click(Get("Picture68"));
  EXPECT_EQ(launcher.calls.back(), ShellCall(u"C:\\Box\\Plugins"));
  EXPECT_EQ(Get("Picture68").tool_tip, u"拓展目录");

  Type(Get("Text2"), u"$截屏");
  Key(Get("Text2"), 13);
  EXPECT_EQ(launcher.calls.back(), ProgramFileCall(u"C:\\Box\\Plugins\\截屏.exe"));
  EXPECT_EQ(list.selected, 0);
}

}  // namespace
}  // namespace velmo
