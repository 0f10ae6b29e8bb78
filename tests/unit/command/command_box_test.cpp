// Run: every prefix rule, the item search and its messages, through fakes.
#include "box/command/command_box.h"

#include "box/storage/text_codec.h"
#include "unit/command/command_fixture.h"

namespace velmo {
namespace {

using RunTest = CommandTest;

TEST_F(RunTest, LookUpPrefixesDoNothingAndKeepTheText) {
  AddExisting(u"#1", u"C:\\a.exe");
  for (std::u16string text : {u"#1", u"#", u"&word", u"%张三", u"&"}) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    EXPECT_FALSE(command_box.Run(text));
  }
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_TRUE(surface.messages.empty());
}

struct CommandLineCase {
  const char16_t* text;
  const char16_t* started;  // the command line handed to the launcher
  bool fails;
};

TEST_F(RunTest, BangStartsTheArgumentAsACommandLine) {
  launcher.programs = {u"notepad.exe", u"C:\\Program Files\\x.exe"};
  const CommandLineCase cases[] = {
      {u"!notepad.exe a.txt", u"notepad.exe a.txt", false},
      {u"!\"C:\\Program Files\\x.exe\" -q", u"\"C:\\Program Files\\x.exe\" -q", false},
      {u"!", u"", true},                           // an empty command line starts nothing
      {u"!dir", u"dir", true},                     // a built-in of the interpreter, no program
      {u"! notepad.exe", u" notepad.exe", false},  // the blank is part of the argument
      {u"!Notepad.exe", u"Notepad.exe", true},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    launcher.calls.clear();
    surface.messages.clear();
    EXPECT_TRUE(command_box.Run(c.text));
    EXPECT_EQ(launcher.calls, std::vector{CommandLineCall(c.started)});
    EXPECT_EQ(surface.messages,
              c.fails ? Message(u"无法执行此命令。") : std::vector<ShownMessage>{});
  }
}

// What "@" and "^" start: explorer with the address as its one, quoted argument.
LaunchCall Explorer(const std::u16string& address) {
  return CommandLineCall(u"explorer \"" + address + u"\"");
}

struct AddressCase {
  const char16_t* text;
  const char16_t* address;
};

TEST_F(RunTest, AtOpensTheWebAddressWithExplorer) {
  launcher.programs = {u"explorer"};
  const AddressCase cases[] = {
      {u"@www.example.com", u"http://www.example.com"},
      {u"@", u"http://"},
      {u"@https://example.com/a?b=1", u"https://example.com/a?b=1"},
      {u"@http://example.com", u"http://example.com"},
      {u"@HTTPS://EXAMPLE.COM", u"HTTPS://EXAMPLE.COM"},
      {u"@https:example.com", u"http://https:example.com"},
      {u"@ftp.example.com", u"http://ftp.example.com"},
      // Blanks and commas stay inside the quotes; a quote would end them.
      {u"@a b,c\"d\"", u"http://a b,c%22d%22"},
  };
  for (const AddressCase& c : cases) {
    launcher.calls.clear();
    EXPECT_TRUE(command_box.Run(c.text));
    EXPECT_EQ(launcher.calls, std::vector{Explorer(c.address)});
  }
  // A backslash before the closing quote would escape it.
  launcher.calls.clear();
  command_box.Run(u"@x\\");
  EXPECT_EQ(launcher.calls, std::vector{CommandLineCall(u"explorer \"http://x\\\\\"")});
  EXPECT_TRUE(surface.messages.empty());
}

TEST_F(RunTest, CaretSearchesTheWebWithAnEncodedText) {
  launcher.programs = {u"explorer"};
  const AddressCase cases[] = {
      {u"^", u"https://www.baidu.com/s?ie=UTF-8&wd="},
      {u"^abc", u"https://www.baidu.com/s?ie=UTF-8&wd=abc"},
      {u"^a&b #c+d", u"https://www.baidu.com/s?ie=UTF-8&wd=a%26b%20%23c%2Bd"},
      {u"^ 天气", u"https://www.baidu.com/s?ie=UTF-8&wd=%20%E5%A4%A9%E6%B0%94"},
      {u"^100%?=/", u"https://www.baidu.com/s?ie=UTF-8&wd=100%25%3F%3D%2F"},
      {u"^\U0001F600", u"https://www.baidu.com/s?ie=UTF-8&wd=%F0%9F%98%80"},
      {u"^\"x\\", u"https://www.baidu.com/s?ie=UTF-8&wd=%22x%5C"},
      // An unpaired surrogate has no UTF-8 form, U+DC80..U+DCFF no more than the others.
      {u"^\xDC80\xD800\xDC80\xD800",
       u"https://www.baidu.com/s?ie=UTF-8&wd=%EF%BF%BD%F0%90%82%80%EF%BF%BD"},
  };
  for (const AddressCase& c : cases) {
    launcher.calls.clear();
    EXPECT_TRUE(command_box.Run(c.text));
    EXPECT_EQ(launcher.calls, std::vector{Explorer(c.address)});
  }
}

// The limit holds for the address as built: "^" counts the encoded text (a Chinese character
// is 9 characters of "%E5%A4%A9"), so 228 characters typed can make 2048. Either way the box is
// emptied, as after every other run.
TEST_F(RunTest, WebAddressesOverTheLimitAreSaidAndNotOpened) {
  launcher.programs = {u"explorer"};
  const std::u16string tian(223, u'天');  // 36 + 9 * 223 = 2043 characters of address
  const struct {
    std::u16string text;
    std::size_t length;  // of the address
  } cases[] = {
      {u"@" + std::u16string(2040, u'a'), 2047},
      {u"@" + std::u16string(2041, u'a'), 2048},
      {u"@" + std::u16string(2042, u'a'), 2049},
      {u"＠http://" + std::u16string(2041, u'a'), 2048},
      {u"＠http://" + std::u16string(2042, u'a'), 2049},
      {u"^" + tian + u"aaaa", 2047},
      {u"^" + tian + u"aaaaa", 2048},
      {u"……" + tian + u"aaaaaa", 2049},
      {u"@" + std::u16string(100000, u'"'), 300007},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    launcher.calls.clear();
    surface.messages.clear();
    EXPECT_TRUE(command_box.Run(c.text));
    if (c.length <= 2048) {
      ASSERT_EQ(launcher.calls.size(), 1u);
      EXPECT_EQ(launcher.calls[0].text.size(), c.length + 11);  // explorer "..."
      EXPECT_TRUE(surface.messages.empty());
    } else {
      EXPECT_TRUE(launcher.calls.empty());
      EXPECT_EQ(surface.messages, Message(u"这个网址长 " + Utf8ToUtf16(std::to_string(c.length)) +
                                              u" 个字符，最多只能打开 2048 个字符的网址。",
                                          u"网址过长"));
    }
  }
  // Without explorer nothing opens, and the box says so.
  launcher.programs.clear();
  surface.messages.clear();
  EXPECT_TRUE(command_box.Run(u"@example.com"));
  EXPECT_EQ(surface.messages, Message(u"无法启动 explorer，网址没有打开。", u"无法打开网址"));
}

// What Chinese punctuation mode types for each prefix runs as the prefix itself, its argument
// being the text after the whole prefix.
TEST_F(RunTest, FullWidthPrefixesRunAsTheirAsciiOnes) {
  launcher.programs = {u"notepad.exe", u"explorer"};
  AddExisting(u"计算器", u"C:\\calc.exe");
  const struct {
    const char16_t* text;
    LaunchCall call;
    bool keeps_text = false;
  } cases[] = {
      {u"！notepad.exe a.txt", CommandLineCall(u"notepad.exe a.txt")},
      {u"＠www.example.com", Explorer(u"http://www.example.com")},
      {u"……天气", Explorer(u"https://www.baidu.com/s?ie=UTF-8&wd=%E5%A4%A9%E6%B0%94")},
      {u"…天气", {}},  // one "…" is no prefix: an item name, found nowhere
      {u"＃1+1", {}, true},
      {u"％张三", {}, true},
      {u"＆apple", {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    launcher.calls.clear();
    EXPECT_EQ(command_box.Run(c.text), !c.keeps_text);
    EXPECT_EQ(launcher.calls,
              c.call.text.empty() ? std::vector<LaunchCall>{} : std::vector{c.call});
  }
}

TEST(PercentEncodeTest, UnreservedCharactersStayAsTheyAre) {
  EXPECT_EQ(PercentEncode(u"AZaz09-._~"), u"AZaz09-._~");
  EXPECT_EQ(PercentEncode(u""), u"");
  EXPECT_EQ(PercentEncode(u"\u00e9\u007f"), u"%C3%A9%7F");
}

TEST_F(RunTest, DollarRescansThenStartsTheMatchingExtension) {
  AddPlugin(u"截屏.exe");
  extensions.Rescan();
  AddPlugin(u"new.exe");  // dropped into the folder after the last scan
  EXPECT_TRUE(command_box.Run(u"$new"));
  EXPECT_EQ(launcher.calls, std::vector{ProgramFileCall(u"C:\\Box\\Plugins\\new.exe")});
  EXPECT_EQ(extensions.entries(), (std::vector<std::u16string>{u"截屏", u"new"}));
  EXPECT_EQ(extensions.selected(), 1);
  EXPECT_TRUE(surface.messages.empty());
}

TEST_F(RunTest, DollarMatchesExactlyAndReportsAMiss) {
  AddPlugin(u"Shot.exe");
  const struct {
    const char16_t* text;
    const char16_t* quoted;
  } misses[] = {
      {u"$shot", u"shot"}, {u"$ Shot", u" Shot"}, {u"$Shot.exe", u"Shot.exe"}, {u"$", u""}};
  for (const auto& c : misses) {
    surface.messages.clear();
    EXPECT_TRUE(command_box.Run(c.text));
    EXPECT_EQ(surface.messages,
              Message(u"在“拓展”列表中未找到 " + std::u16string(c.quoted) + u" 的拓展程序。",
                      u"未找到拓展程序"));
  }
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_EQ(extensions.selected(), -1);
}

TEST_F(RunTest, DollarWithTheShortcutOnlyOpensItThroughTheShell) {
  AddPlugin(u"web.lnk");
  EXPECT_TRUE(command_box.Run(u"$web"));
  EXPECT_EQ(launcher.calls, std::vector{ShellCall(u"C:\\Box\\Plugins\\web.lnk")});
}

// The item search: the prefix "*" and every text without a prefix.
struct ItemCase {
  const char* what;
  const char16_t* text;
  std::vector<LaunchCall> calls;
  std::vector<ShownMessage> messages;
  const char16_t* recent;  // the label afterwards; it reads "旧" before the run
  std::vector<std::u16string> spoken;
};

constexpr const char16_t* kDefault = u"最近打开的内容";
constexpr const char16_t* kRunFailed = u"运行失败。可能是文件或程序路径被改变，或者访问权限不够。";

std::vector<ShownMessage> NotFound(std::u16string text) {
  return Message(u"抱歉，在项目列表中没有查找到有关于" + text + u"的文件、程序或批处理文件。");
}

TEST_F(RunTest, ItemSearch) {
  AddExisting(u"notepad", u"C:\\Windows\\notepad.exe");
  AddExisting(u"工具", u"C:\\Program Files\\Tools\\TOOL.EXE");
  AddExisting(u"备份", u"D:\\backup.bat");
  AddExisting(u"链接", u"C:\\Users\\me\\Desktop\\app.lnk");
  AddExisting(u"文档", u"D:\\docs\\readme.txt");
  files.AddFolder(u"D:\\music");
  AddMissing(u"音乐", u"D:\\music");
  AddMissing(u"旧程序", u"C:\\gone\\old.exe");
  AddMissing(u"网页", u"https://example.com");
  AddExisting(u"*星", u"C:\\star.exe");
  AddExisting(u"双", u"C:\\first.exe");
  AddExisting(u"双", u"C:\\second.exe");
  // The longest targets the shell takes, and one character more.
  const std::u16string path259 = u"D:\\" + std::u16string(252, u'p') + u".txt";
  const std::u16string address2048 = u"https://" + std::u16string(2040, u'a');
  AddMissing(u"长路径", path259);
  AddMissing(u"过长路径", path259 + u"x");
  AddMissing(u"长网址", address2048);
  AddMissing(u"过长网址", address2048 + u"a");
  launcher.programs = {u"C:\\Windows\\notepad.exe",
                       u"C:\\Program Files\\Tools\\TOOL.EXE",
                       u"D:\\backup.bat",
                       u"C:\\star.exe",
                       u"C:\\first.exe",
                       u"C:\\second.exe"};

  const ItemCase cases[] = {
      {"program",
       u"notepad",
       {ProgramFileCall(u"C:\\Windows\\notepad.exe")},
       {},
       u"notepad",
       {u"notepad"}},
      {"upper-case .EXE",
       u"工具",
       {ProgramFileCall(u"C:\\Program Files\\Tools\\TOOL.EXE")},
       {},
       u"工具",
       {u"工具"}},
      {"batch file", u"备份", {ProgramFileCall(u"D:\\backup.bat")}, {}, u"备份", {u"备份"}},
      {"shortcut",
       u"链接",
       {ShellCall(u"C:\\Users\\me\\Desktop\\app.lnk")},
       {},
       u"链接",
       {u"链接"}},
      {"document", u"文档", {ShellCall(u"D:\\docs\\readme.txt")}, {}, u"文档", {u"文档"}},
      {"folder: no file, no speech", u"音乐", {ShellCall(u"D:\\music")}, {}, u"旧", {}},
      {"web address", u"网页", {ShellCall(u"https://example.com")}, {}, u"旧", {}},
      {"path of 259 characters", u"长路径", {ShellCall(path259)}, {}, u"旧", {}},
      {"path of 260 characters: not handed over",
       u"过长路径",
       {},
       Message(kRunFailed),
       kDefault,
       {}},
      {"address of 2048 characters", u"长网址", {ShellCall(address2048)}, {}, u"旧", {}},
      {"address of 2049 characters", u"过长网址", {}, Message(kRunFailed), kDefault, {}},
      {"missing program",
       u"旧程序",
       {ProgramFileCall(u"C:\\gone\\old.exe")},
       Message(kRunFailed),
       kDefault,
       {}},
      {"first of two equal names", u"双", {ProgramFileCall(u"C:\\first.exe")}, {}, u"双", {u"双"}},
      {"star text is an item name",
       u"*星",
       {ProgramFileCall(u"C:\\star.exe")},
       {},
       u"*星",
       {u"*星"}},
      {"star text not found", u"*记事", {}, NotFound(u"*记事"), kDefault, {}},
      {"leading blank", u" notepad", {}, NotFound(u" notepad"), kDefault, {}},
      {"trailing blank", u"notepad ", {}, NotFound(u"notepad "), kDefault, {}},
      {"letter case", u"Notepad", {}, NotFound(u"Notepad"), kDefault, {}},
      {"prefix of a name", u"note", {}, NotFound(u"note"), kDefault, {}},
      {"empty text",
       u"",
       {},
       Message(u"查找内容为空，请输入需要查找的文件、程序或批处理文件名称。"),
       kDefault,
       {}},
  };
  for (const ItemCase& c : cases) {
    SCOPED_TRACE(c.what);
    launcher.calls.clear();
    surface.messages.clear();
    speech.spoken.clear();
    surface.recent = u"旧";
    surface.window_focused = 0;
    EXPECT_TRUE(command_box.Run(c.text));
    EXPECT_EQ(launcher.calls, c.calls);
    EXPECT_EQ(surface.messages, c.messages);
    EXPECT_EQ(surface.recent, c.recent);
    EXPECT_EQ(speech.spoken, c.spoken);
    // The window takes the focus back after every launch of a name it found, failed or not.
    const bool found = !c.calls.empty() || c.messages == Message(kRunFailed);
    EXPECT_EQ(surface.window_focused, found ? 1 : 0);
  }
}

TEST_F(RunTest, EmptyListMessageWinsOverEmptyText) {
  for (std::u16string text : {u"", u"notepad", u"*"}) {
    surface.messages.clear();
    surface.recent = u"旧";
    EXPECT_TRUE(command_box.Run(text));
    EXPECT_EQ(surface.messages,
              Message(u"抱歉，项目列表为空，无法查找相应的文件、程序或批处理文件。"));
    EXPECT_EQ(surface.recent, kDefault);
  }
  EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(RunTest, MutedBoxLaunchesWithoutSpeaking) {
  AddExisting(u"notepad", u"C:\\Windows\\notepad.exe");
  launcher.programs = {u"C:\\Windows\\notepad.exe"};
  state.sound_muted = true;
  command_box.Run(u"notepad");
  EXPECT_EQ(launcher.calls, std::vector{ProgramFileCall(u"C:\\Windows\\notepad.exe")});
  EXPECT_TRUE(speech.spoken.empty());
  EXPECT_EQ(surface.recent, u"notepad");
}

TEST_F(RunTest, ItemNamesThatLookLikeCommandsAreFoundOnlyWithoutARunPrefix) {
  // Imported items may start with a prefix character; only "*" reaches the item search.
  AddExisting(u"!x", u"C:\\x.exe");
  launcher.programs = {u"C:\\x.exe", u"x"};
  command_box.Run(u"!x");
  EXPECT_EQ(launcher.calls, std::vector{CommandLineCall(u"x")});
}

}  // namespace
}  // namespace velmo
