// The item list: name rules, delete and clear, the launch by selection, find-and-invoke and
// the import from the Start Menu.
#include "box/command/item_list.h"

#include "box/storage/text_codec.h"
#include "unit/command/command_fixture.h"

namespace velmo {
namespace {

using ItemListTest = CommandTest;

TEST(ItemNameTest, NameWithoutExtensionCutsFourCharacters) {
  const struct {
    const char16_t* path;
    std::optional<std::u16string> name;
  } cases[] = {
      {u"C:\\Windows\\notepad.exe", u"notepad"},
      {u"C:\\a b\\Readme.TXT", u"Readme"},
      {u"C:\\tools\\abcdef", u"ab"},  // no extension: still four characters
      {u"D:\\x\\a.ex", u""},
      {u"D:\\x\\abc", std::nullopt},
      {u"C:\\x.y\\", std::nullopt},
      {u"报告.docx", u"报告."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameWithoutExtension(c.path), c.name) << Utf16ToUtf8(c.path);
  }
}

TEST(ItemNameTest, ProgramPathsEndInExeOrBatInAnyCase) {
  for (const char16_t* path : {u"a.exe", u"C:\\A.EXE", u"x.Bat", u".exe"}) {
    EXPECT_TRUE(IsProgramPath(path)) << Utf16ToUtf8(path);
  }
  for (const char16_t* path :
       {u"a.lnk", u"a.txt", u"C:\\folder", u"a.exe ", u"aexe", u"a.cmd", u"exe", u""}) {
    EXPECT_FALSE(IsProgramPath(path)) << Utf16ToUtf8(path);
  }
}

TEST(ItemNameTest, CommandPrefixes) {
  for (const char16_t* name : {u"!", u"@", u"#", u"$", u"%", u"^", u"&", u"*", u"！", u"＠", u"……",
                               u"＃", u"￥", u"％", u"＆", u"＊"}) {
    EXPECT_TRUE(StartsWithCommandPrefix(name + std::u16string(u"name"))) << Utf16ToUtf8(name);
  }
  for (const char16_t* name : {u"name!", u" !x", u"", u"？问", u"(x)", u"-x", u"…x", u"¥x"}) {
    EXPECT_FALSE(StartsWithCommandPrefix(name)) << Utf16ToUtf8(name);
  }
}

constexpr const char16_t* kPrefixMessage = u"文件或程序开头不能出现 ! @ # $ % ^ & 和 * 。";
constexpr const char16_t* kStarMessage = u"文件或程序名称中不能出现 * 。";
constexpr const char16_t* kDuplicateMessage =
    u"新增的文件或程序名称与已有的文件或程序名称重名，请更改一个新的文件或程序名称。";

TEST_F(ItemListTest, AddItemFollowsTheNameRules) {
  AddMissing(u"qq", u"C:\\qq.exe");
  const struct {
    const char16_t* name;
    const char16_t* path;
    AddOutcome outcome;
    std::vector<ShownMessage> messages;
  } cases[] = {
      {u"", u"C:\\a.exe", AddOutcome::kIncomplete, {}},
      {u"a", u"", AddOutcome::kIncomplete, {}},
      {u"&a", u"", AddOutcome::kIncomplete, {}},  // empty fields first: no message
      {u"!a", u"C:\\a.exe", AddOutcome::kInvalidName, Message(kPrefixMessage, u"命名无效")},
      {u"&a", u"C:\\a.exe", AddOutcome::kInvalidName, Message(kPrefixMessage, u"命名无效")},
      {u"*", u"C:\\a.exe", AddOutcome::kInvalidName, Message(kPrefixMessage, u"命名无效")},
      {u"^qq", u"C:\\a.exe", AddOutcome::kInvalidName, Message(kPrefixMessage, u"命名无效")},
      // App.sd splits a record at its first "*": a name holding one would break on the next start.
      {u"a*b", u"C:\\a.exe", AddOutcome::kInvalidName, Message(kStarMessage, u"命名无效")},
      {u"记事本*", u"C:\\a.exe", AddOutcome::kInvalidName, Message(kStarMessage, u"命名无效")},
      {u"qq", u"C:\\b.exe", AddOutcome::kDuplicate, Message(kDuplicateMessage, u"命名无效")},
      {u"QQ", u"C:\\b.exe", AddOutcome::kAdded, {}},
      {u"qq ", u"C:\\c.exe", AddOutcome::kAdded, {}},
      {u"一二三四五六七八九十一二三四五六七八九十", u"C:\\d.exe", AddOutcome::kAdded, {}},
      {u"a!", u"C:\\e.exe", AddOutcome::kAdded, {}},
  };
  std::vector<std::u16string> names = {u"qq"};
  std::vector<std::u16string> paths = {u"C:\\qq.exe"};
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.name));
    surface.messages.clear();
    EXPECT_EQ(item_list.AddItem(c.name, c.path), c.outcome);
    EXPECT_EQ(surface.messages, c.messages);
    if (c.outcome == AddOutcome::kAdded) {
      names.push_back(c.name);
      paths.push_back(c.path);
    }
    EXPECT_EQ(items().names, names);
    EXPECT_EQ(items().values, paths);
  }
}

TEST_F(ItemListTest, DeleteRemovesBothEntriesAtTheIndex) {
  AddMissing(u"a", u"A");
  AddMissing(u"b", u"B");
  AddMissing(u"c", u"C");
  int changes = 0;
  item_list.on_items_changed = [&](const ListChange&) { ++changes; };
  EXPECT_FALSE(item_list.Delete(-1));
  EXPECT_FALSE(item_list.Delete(3));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(item_list.Delete(1));
  EXPECT_EQ(items().names, (std::vector<std::u16string>{u"a", u"c"}));
  EXPECT_EQ(items().values, (std::vector<std::u16string>{u"A", u"C"}));
  EXPECT_TRUE(item_list.Delete(1));
  EXPECT_TRUE(item_list.Delete(0));
  EXPECT_TRUE(items().empty());
  EXPECT_EQ(changes, 3);
}

TEST_F(ItemListTest, ClearEmptiesBothLists) {
  EXPECT_FALSE(item_list.Clear());
  AddMissing(u"a", u"A");
  AddMissing(u"b", u"B");
  EXPECT_TRUE(item_list.Clear());
  EXPECT_TRUE(items().names.empty());
  EXPECT_TRUE(items().values.empty());
}

constexpr const char16_t* kRunFailed = u"运行失败。可能是程序路径被改变，或者访问权限不够。";

TEST_F(ItemListTest, LaunchSelectedItem) {
  AddMissing(u"记事本", u"C:\\Windows\\NOTEPAD.EXE");
  AddMissing(u"脚本", u"C:\\s\\run.bat");
  AddMissing(u"链接", u"C:\\s\\app.lnk");
  AddMissing(u"坏", u"C:\\gone.exe");
  launcher.programs = {u"C:\\Windows\\NOTEPAD.EXE", u"C:\\s\\run.bat"};
  const struct {
    int selected;
    std::vector<LaunchCall> calls;
    std::vector<ShownMessage> messages;
    const char16_t* recent;
    std::vector<std::u16string> spoken;
  } cases[] = {
      {-1, {}, {}, u"旧", {}},
      {4, {}, {}, u"旧", {}},
      {0, {ProgramFileCall(u"C:\\Windows\\NOTEPAD.EXE")}, {}, u"记事本", {u"记事本"}},
      {1, {ProgramFileCall(u"C:\\s\\run.bat")}, {}, u"脚本", {u"脚本"}},
      {2, {ShellCall(u"C:\\s\\app.lnk")}, {}, u"链接", {u"链接"}},
      // No existence test here: the name is spoken before the failure is reported.
      {3, {ProgramFileCall(u"C:\\gone.exe")}, Message(kRunFailed), u"最近打开的内容", {u"坏"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selected);
    launcher.calls.clear();
    surface.messages.clear();
    speech.spoken.clear();
    surface.recent = u"旧";
    item_list.LaunchSelectedItem(c.selected);
    EXPECT_EQ(launcher.calls, c.calls);
    EXPECT_EQ(surface.messages, c.messages);
    EXPECT_EQ(surface.recent, c.recent);
    EXPECT_EQ(speech.spoken, c.spoken);
  }
}

TEST_F(ItemListTest, LaunchSelectedItemOnAnEmptyListDoesNothing) {
  item_list.LaunchSelectedItem(0);
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_TRUE(surface.messages.empty());
}

TEST_F(ItemListTest, FindAndInvoke) {
  AddExisting(u"记事本", u"C:\\Windows\\notepad.exe");
  AddExisting(u"链接", u"C:\\s\\app.lnk");
  AddExisting(u"文档", u"C:\\s\\a.txt");
  AddMissing(u"旧", u"C:\\old.exe");
  launcher.programs = {u"C:\\Windows\\notepad.exe", u"calc.exe"};
  const struct {
    const char* what;
    const char16_t* text;
    std::vector<LaunchCall> calls;
    std::vector<ShownMessage> messages;
    const char16_t* recent;
    std::vector<std::u16string> spoken;
  } cases[] = {
      {"program",
       u"记事本",
       {ProgramFileCall(u"C:\\Windows\\notepad.exe")},
       {},
       u"记事本",
       {u"记事本"}},
      // Unlike the double-click, a shortcut or a document is started as a program: it fails.
      {"shortcut",
       u"链接",
       {ProgramFileCall(u"C:\\s\\app.lnk")},
       Message(kRunFailed),
       u"最近打开的内容",
       {u"链接"}},
      {"document",
       u"文档",
       {ProgramFileCall(u"C:\\s\\a.txt")},
       Message(kRunFailed),
       u"最近打开的内容",
       {u"文档"}},
      {"missing file: no speech",
       u"旧",
       {ProgramFileCall(u"C:\\old.exe")},
       Message(kRunFailed),
       u"最近打开的内容",
       {}},
      {"trailing backslash: a command line",
       u"calc.exe\\",
       {CommandLineCall(u"calc.exe")},
       {},
       u"旧",
       {}},
      {"trailing backslash is never a name",
       u"记事本\\",
       {CommandLineCall(u"记事本")},
       Message(u"运行失败。没有找到相应的程序或批处理文件。"),
       u"旧",
       {}},
      {"backslash alone",
       u"\\",
       {CommandLineCall(u"")},
       Message(u"运行失败。没有找到相应的程序或批处理文件。"),
       u"旧",
       {}},
      {"empty",
       u"",
       {},
       Message(u"查找内容为空，请输入需要查找的程序或批处理文件名称。"),
       u"最近打开的内容",
       {}},
      {"not found",
       u"记事",
       {},
       Message(u"抱歉，在项目列表中没有查找到有关于记事的程序或批处理文件。"),
       u"最近打开的内容",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    launcher.calls.clear();
    surface.messages.clear();
    speech.spoken.clear();
    surface.recent = u"旧";
    item_list.FindAndInvoke(c.text);
    EXPECT_EQ(launcher.calls, c.calls);
    EXPECT_EQ(surface.messages, c.messages);
    EXPECT_EQ(surface.recent, c.recent);
    EXPECT_EQ(speech.spoken, c.spoken);
  }
}

TEST_F(ItemListTest, FindAndInvokeOnAnEmptyList) {
  launcher.programs = {u"calc.exe"};
  item_list.FindAndInvoke(u"x");
  EXPECT_EQ(surface.messages, Message(u"抱歉，项目列表为空，无法查找相应的程序或批处理文件。"));
  // A command line ending in a backslash does not need the list.
  surface.messages.clear();
  item_list.FindAndInvoke(u"calc.exe\\");
  EXPECT_EQ(launcher.calls, std::vector{CommandLineCall(u"calc.exe")});
  EXPECT_TRUE(surface.messages.empty());
}

TEST_F(ItemListTest, ImportAppendsEveryChosenFileUntilCancel) {
  AddMissing(u"QQ", u"C:\\QQ.exe");
  known_folders.folders[KnownFolder::kCommonPrograms] = u"D:\\公用\\开始菜单\\程序";
  dialogs.answers = {u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\QQ.lnk",
                     u"C:\\x\\!bang.exe", u"C:\\x\\记事本.lnk"};
  int changes = 0;
  item_list.on_items_changed = [&](const ListChange&) { ++changes; };
  std::u16string log = u"上次的记录\r\n";
  item_list.ImportFromStartMenu(log);
  EXPECT_EQ(log,
            u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\QQ.lnk\r\n"
            u"C:\\x\\!bang.exe\r\nC:\\x\\记事本.lnk\r\n");
  // No name rules: a duplicate and a prefix character come in as they are.
  EXPECT_EQ(items().names, (std::vector<std::u16string>{u"QQ", u"QQ", u"!bang", u"记事本"}));
  EXPECT_EQ(items().values[3], u"C:\\x\\记事本.lnk");
  EXPECT_EQ(changes, 3);
  ASSERT_EQ(dialogs.requests.size(), 4u);  // the fourth was cancelled
  for (const OpenFileRequest& r : dialogs.requests) {
    EXPECT_EQ(r.initial_folder, u"D:\\公用\\开始菜单\\程序\\");
    EXPECT_FALSE(r.follow_shortcuts);
  }
}

TEST_F(ItemListTest, ImportStopsAtAFileNameTooShortToCut) {
  dialogs.answers = {u"C:\\a.exe", u"C:\\abc", u"C:\\b.exe"};
  std::u16string log;
  item_list.ImportFromStartMenu(log);
  EXPECT_EQ(log, u"C:\\a.exe\r\nC:\\abc\r\n");
  EXPECT_EQ(items().names, std::vector<std::u16string>{u"a"});
  EXPECT_EQ(items().values, std::vector<std::u16string>{u"C:\\a.exe"});
  EXPECT_EQ(dialogs.requests.size(), 2u);
}

TEST_F(ItemListTest, ImportOpensWhereTheSystemKeepsTheCommonPrograms) {
  const struct {
    std::optional<std::u16string> common_programs;
    std::u16string initial_folder;
  } cases[] = {
      {u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
       u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\"},
      {u"E:\\Menu\\", u"E:\\Menu\\"},
      // No folder named: the dialog opens where the system chooses.
      {std::nullopt, u""},
      {u"", u""},
  };
  for (const auto& c : cases) {
    if (c.common_programs) {
      known_folders.folders[KnownFolder::kCommonPrograms] = *c.common_programs;
    } else {
      known_folders.folders.erase(KnownFolder::kCommonPrograms);
    }
    dialogs.requests.clear();
    std::u16string log;
    item_list.ImportFromStartMenu(log);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].initial_folder, c.initial_folder)
        << Utf16ToUtf8(c.common_programs.value_or(u"(none)"));
  }
}

TEST_F(ItemListTest, ImportCancelledAtOnceEmptiesTheLog) {
  std::u16string log = u"old";
  item_list.ImportFromStartMenu(log);
  EXPECT_EQ(log, u"");
  EXPECT_TRUE(items().empty());
}

}  // namespace
}  // namespace velmo
