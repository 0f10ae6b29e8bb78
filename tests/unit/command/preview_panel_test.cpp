// The live preview, the dictionary panel, the phone book pages and the command box's Ctrl+Alt
// keys inside the real main window model.
#include "box/command/preview_panel.h"

#include <gtest/gtest.h>

#include <memory>

#include "box/command/command_pages.h"
#include "box/lookups/lookup_pages.h"
#include "box/storage/text_codec.h"
#include "box/storage/usage_file.h"
#include "fakes/fake_pinyin_readings.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

class PreviewPanelTest : public ::testing::Test, protected FakeServiceSet {
 protected:
  const std::u16string kData = u"C:\\Box\\DATA";
  void SetUp() override {
    state.program_folder = u"C:\\Box";
    // The dictionaries load from DATA as at start-up: "a" from line 1, "b" from 2, the rest
    // from 3.
    files.AddFolder(kData);
    files.AddFile(kData + u"\\Dictionary.txt", *EncodeGbk(u"apple@n.苹果\r\nbank@n.银行\r\n"));
    std::string letters = "1\r\n2\r\n";
    for (int k = 3; k <= 24; ++k) letters += "3\r\n";
    files.AddFile(kData + u"\\DictContents.sd", letters);
    files.AddFile(kData + u"\\词典.txt", *EncodeGbk(u"银行@yínháng经营货币的机构。\r\n"));
    state.dictionaries.Load(files, kData);
    window = std::make_unique<MainWindow>(state, services);
    commands = std::make_unique<CommandPages>(*window, state, services, readings);
    preview = std::make_unique<PreviewPanel>(*window, state, services, *commands);
    pages = std::make_unique<LookupPages>(*window, state, services);
    // What App::Startup loads from Contacts.sd.
    state.lists.contacts.list.Append(u"张三", u"13800000000");
    state.lists.contacts.list.Append(u"李四", u"010-12345678");
    form().width = 4600;
    form().height = 6000;
    window->FinishStartup();
    commands->FinishStartup();
    pages->FinishStartup();
  }
  Form& form() { return window->form(); }
  Control& Get(const char* name, int index = -1) { return form().Get(name, index); }
  void TickUntilStopped(const char* name) {
    Timer& t = form().timer(name);
    for (int n = 0; n < 100 && t.enabled; ++n) form().Tick(t);
    ASSERT_FALSE(t.enabled) << name;
  }
  void Type(const std::u16string& text) { form().TextEdited(window->command_box(), text); }
  bool Key(int key, Modifiers m = {}) {
    return form().KeyDown(KeyEvent{key, m}, &window->command_box());
  }
  bool PanelShown() { return Get("PicDictionary").visible; }
  std::u16string Term() { return Get("LblDictTerm").text; }
  std::u16string Result() { return Get("TxtDictResult").text; }
  void OpenPhoneBook() {
    form().Click(Get("Picture39", 3));
    TickUntilStopped("Timer22");
    form().Click(Get("PicTool", 4));
    TickUntilStopped("Timer26");
  }

  FakePinyinReadings readings;
  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CommandPages> commands;
  std::unique_ptr<PreviewPanel> preview;
  std::unique_ptr<LookupPages> pages;
};

TEST_F(PreviewPanelTest, EveryChangeOfTheCommandTextRefreshesThePanel) {
  struct Step {
    std::u16string text;
    bool shown;
    std::u16string term, result;  // checked while shown
  };
  const Step steps[] = {
      {u"&", false, u"", u""},
      {u"&apple", true, u"apple", u"n.苹果"},
      {u"&Apple", true, u"Apple", u"n.苹果"},
      {u"&appl", true, u"appl", u"没有 appl 的对应释义。"},
      {u"*银行", true, u"银行", u"yínháng经营货币的机构。"},
      {u"*银", true, u"银", u"没有 “银” 的对应释义。"},
      {u"#2+", true, u"2+", u"表达式有误。"},
      {u"%张三", true, u"张三", u"13800000000"},
      // Nobody of that name: said so, never the number looked up before.
      {u"%王五", true, u"王五", u"电话簿中没有“王五”。"},
      {u"%李四", true, u"李四", u"010-12345678"},
      {u"＆apple", true, u"apple", u"n.苹果"},  // Chinese punctuation mode
      {u"＊银行", true, u"银行", u"yínháng经营货币的机构。"},
      {u"＃2+", true, u"2+", u"表达式有误。"},
      {u"％李四", true, u"李四", u"010-12345678"},
      {u"＆", false, u"", u""},
      {u"$notes", false, u"", u""},
      {u"apple", false, u"", u""},
      {u"*", false, u"", u""},
      {u"", false, u"", u""},
  };
  for (const Step& s : steps) {
    Type(s.text);
    EXPECT_EQ(PanelShown(), s.shown) << Utf16ToUtf8(s.text);
    if (!s.shown) continue;
    EXPECT_EQ(Term(), s.term) << Utf16ToUtf8(s.text);
    EXPECT_EQ(Result(), s.result) << Utf16ToUtf8(s.text);
  }
}

// The rows listed, their names and whether each is lit, as the host draws them.
struct Rows {
  std::vector<std::u16string> names;
  int lit = -1;
  bool operator==(const Rows&) const = default;
};

TEST_F(PreviewPanelTest, SuggestionsAreChosenWithTheArrowKeysOrTheMouse) {
  Control& box = window->command_box();
  ItemList& items = commands->item_list();
  const std::u16string notes = u"C:\\Windows\\notepad.exe", calc = u"C:\\Tools\\calc.exe",
                       wps = u"C:\\WPS\\ks.exe";
  for (const std::u16string& path : {notes, calc, wps}) files.AddFile(path, "");
  launcher.programs = {notes, calc, wps};
  items.AddItem(u"记事本", notes);
  items.AddItem(u"计算器", calc);
  items.AddItem(u"金山", wps);
  clock.now = {2026, 12, 9, 10, 0, 0};
  int listed = 0;
  preview->on_suggestions_changed = [&] { ++listed; };
  auto rows = [&] {
    Rows r;
    for (int i = 0; i < 8; ++i) {
      Control& row = Get("PicSuggestion", i);
      if (!row.ShownInTree()) continue;
      r.names.push_back(Get("LblSuggestion", i).text);
      if (row.back_color != kNoBackground) r.lit = i;
    }
    return r;
  };

  // The title is the typed text, then one row per item found, nothing lit; the keys below.
  Type(u"js");
  EXPECT_EQ(Term(), u"js");
  EXPECT_EQ(rows(), (Rows{{u"记事本", u"计算器", u"金山"}, -1}));
  EXPECT_FALSE(Get("TxtDictResult").visible);
  EXPECT_TRUE(Get("LblSuggestionKeys").ShownInTree());
  EXPECT_EQ(listed, 1);
  ASSERT_EQ(preview->suggestions().size(), 3u);
  EXPECT_EQ(preview->suggestions()[2].path, wps);
  EXPECT_EQ(preview->suggestions()[2].item, 2u);
  // Three rows: the panel grows upwards from the command box by their height alone.
  Control& panel = Get("PicDictionary");
  EXPECT_EQ(panel.top + panel.height, 5490);
  EXPECT_LT(panel.height, 2490);

  // Up and Down move the light round; with Shift or Ctrl they are not the panel's.
  const struct {
    int key;
    Modifiers modifiers;
    bool taken;
    int lit;
  } moves[] = {
      {40, {}, true, 0},
      {40, {}, true, 1},
      {40, {}, true, 2},
      {40, {}, true, 0},
      {38, {}, true, 2},
      {38, {}, true, 1},
      {40, {.shift = true}, false, 1},
      {38, {.ctrl = true}, false, 1},
  };
  for (const auto& m : moves) {
    EXPECT_EQ(Key(m.key, m.modifiers), m.taken) << m.key;
    EXPECT_EQ(rows().lit, m.lit) << m.key;
    EXPECT_EQ(preview->highlighted(), m.lit);
  }
  EXPECT_EQ(box.text, u"js");

  // Tab fills in the lit name, the caret after it; the exact name is then the first suggestion,
  // and Enter with nothing lit runs the text, as ever.
  EXPECT_TRUE(Key(9));
  EXPECT_EQ(box.text, u"计算器");
  EXPECT_TRUE(box.caret_to_end);
  EXPECT_EQ(rows(), (Rows{{u"计算器"}, -1}));
  EXPECT_TRUE(Key(13));
  EXPECT_EQ(launcher.calls, std::vector{ProgramFileCall(calc)});
  EXPECT_EQ(box.text, u"");
  EXPECT_FALSE(PanelShown());
  ASSERT_NE(state.usage.Find(u"计算器"), nullptr);
  EXPECT_EQ(state.usage.Find(u"计算器")->count, 1u);
  EXPECT_EQ(state.usage.Find(u"计算器")->last, LocalSeconds(clock.now));

  // The item launched comes first now; Down, Down, Enter launches the second, 记事本, which
  // counts as a use too and says its name as a launch by name does.
  Type(u"js");
  EXPECT_EQ(rows(), (Rows{{u"计算器", u"记事本", u"金山"}, -1}));
  Key(40);
  Key(40);
  EXPECT_TRUE(Key(13));
  EXPECT_EQ(launcher.calls.back(), ProgramFileCall(notes));
  EXPECT_EQ(Get("Label13").text, u"记事本");
  EXPECT_EQ(box.text, u"");
  ASSERT_NE(state.usage.Find(u"记事本"), nullptr);
  EXPECT_EQ(state.usage.Find(u"记事本")->count, 1u);
  // Tab with nothing lit takes the first: 记事本, used as much as 计算器 and earlier in the list.
  Type(u"js");
  EXPECT_TRUE(Key(9));
  EXPECT_EQ(box.text, u"记事本");

  // A click on a row, or on the name in it, launches its item.
  Type(u"js");
  form().Click(Get("PicSuggestion", 2));
  EXPECT_EQ(launcher.calls.back(), ProgramFileCall(wps));
  EXPECT_EQ(box.text, u"");
  Type(u"jsb");
  form().Click(Get("LblSuggestion", 0));
  EXPECT_EQ(launcher.calls.back(), ProgramFileCall(notes));
  EXPECT_EQ(state.usage.Find(u"记事本")->count, 2u);

  // Escape closes the panel and keeps the text; a second Escape is not the panel's, and Enter
  // runs the text itself, which names no item.
  Type(u"js");
  Key(40);
  EXPECT_TRUE(Key(27));
  EXPECT_FALSE(PanelShown());
  EXPECT_TRUE(preview->suggestions().empty());
  EXPECT_EQ(box.text, u"js");
  EXPECT_FALSE(Key(27));
  launcher.calls.clear();
  EXPECT_TRUE(Key(13));
  EXPECT_TRUE(launcher.calls.empty());
  EXPECT_EQ(Get("LblMessage").text,
            u"抱歉，在项目列表中没有查找到有关于js的文件、程序或批处理文件。");

  // No suggestion, a command prefix, or a panel put away by the drawer: the keys stay the box's.
  for (std::u16string text : {u"jsqq", u"!jsq", u"＠jsq", u"&jsq"}) {
    Type(text);
    EXPECT_EQ(PanelShown(), text == u"&jsq") << Utf16ToUtf8(text);
    EXPECT_FALSE(Key(9)) << Utf16ToUtf8(text);
    EXPECT_FALSE(Key(40)) << Utf16ToUtf8(text);
    EXPECT_EQ(box.text, text);
  }
  // A dictionary answer in the panel: its result box, no rows, the panel's own height.
  EXPECT_TRUE(Get("TxtDictResult").visible);
  EXPECT_EQ(rows(), Rows{});
  EXPECT_EQ(panel.height, 2490);
  Type(u"jsq");
  form().Click(Get("Picture36"));
  EXPECT_FALSE(Key(40));
  EXPECT_EQ(box.text, u"jsq");
  TickUntilStopped("Timer4");
  form().Click(Get("Picture38"));
  EXPECT_TRUE(PanelShown());

  // The suggestions follow the item list.
  ASSERT_TRUE(items.Delete(1));
  Type(u"");
  Type(u"jsq");
  EXPECT_FALSE(PanelShown());
  items.AddItem(u"计算器", calc);
  Type(u"");
  Type(u"jsq");
  EXPECT_EQ(rows(), (Rows{{u"计算器"}, -1}));
}

TEST_F(PreviewPanelTest, ADictionaryThatIsNotReadyOffersNoPreview) {
  state.dictionaries.Load(files, u"C:\\NoDictionaries");
  for (std::u16string text : {u"&apple", u"*银行"}) {
    Type(text);
    EXPECT_FALSE(PanelShown()) << Utf16ToUtf8(text);
  }
  state.lists.contacts.list.Clear();
  Type(u"%张三");
  EXPECT_TRUE(PanelShown());
  EXPECT_EQ(Result(), u"没有联系人。");
}

// Said once a run for each dictionary, at its first look-up, in the message panel; its look-up
// then shows nothing, as a missing one does, while the other answers.
TEST_F(PreviewPanelTest, ADamagedDictionaryIsSaidOnceAtItsFirstLookUp) {
  const std::u16string english = u"英汉词典的字母索引 DictContents.sd 已损坏，无法查找英文单词。";
  const std::u16string chinese = u"汉语词典 词典.txt 已损坏，无法查找汉语词语。";
  files.AddFile(kData + u"\\DictContents.sd", "1\r\n2\r\n");
  state.dictionaries.Load(files, kData);
  const struct {
    std::u16string text;
    bool shown;
    std::u16string said;
  } steps[] = {
      {u"&", false, u""},  // not a look-up yet
      {u"&a", false, english},
      {u"&ap", false, u""},
      {u"*银行", true, u""},
      {u"＆apple", false, u""},
      {u"reload: 词典.txt empty", false, u""},
      {u"*银", false, chinese},
      {u"&bank", false, u""},  // already said in this run
      {u"＊银行", false, u""},
  };
  for (const auto& s : steps) {
    if (s.text.starts_with(u"reload")) {
      files.AddFile(kData + u"\\词典.txt", "");
      state.dictionaries.Load(files, kData);
      continue;
    }
    Get("LblMessage").text.clear();
    Get("LblMessageTitle").text.clear();
    Type(s.text);
    EXPECT_EQ(PanelShown(), s.shown) << Utf16ToUtf8(s.text);
    EXPECT_EQ(form().TakeBeeps(), s.said.empty() ? 0 : 1) << Utf16ToUtf8(s.text);
    EXPECT_EQ(Get("LblMessage").text, s.said) << Utf16ToUtf8(s.text);
    EXPECT_EQ(Get("LblMessageTitle").text, s.said.empty() ? u"" : u"词典文件损坏");
  }
  EXPECT_TRUE(Get("PicMessage").visible);
}

TEST_F(PreviewPanelTest, RunTilesAndBackButtonsHideAndRefreshThePanel) {
  // "%" keeps its text when run; "*" is an item search, which empties the box.
  Type(u"%张三");
  Key(13);
  EXPECT_TRUE(PanelShown());
  Type(u"*银行");
  Key(13);
  EXPECT_EQ(window->command_box().text, u"");
  EXPECT_FALSE(PanelShown());

  Type(u"&apple");
  form().Click(Get("Picture39", 1));
  EXPECT_FALSE(PanelShown());
  TickUntilStopped("Timer11");
  form().Click(Get("Picture16"));  // back from the notes page
  EXPECT_TRUE(PanelShown());
  TickUntilStopped("Timer12");

  form().Click(Get("Picture36"));  // the drawer opens
  EXPECT_FALSE(PanelShown());
  TickUntilStopped("Timer4");
  form().Click(Get("Picture38"));
  EXPECT_TRUE(PanelShown());
}

TEST_F(PreviewPanelTest, DoubleClickOnTheTermCopiesTheResult) {
  Type(u"&bank");
  Control& term = Get("LblDictTerm");
  const std::u16string shown = term.text;
  clipboard.works = false;  // no note for a copy that did not happen
  form().DoubleClick(term.ClientLeft() + 30, term.ClientTop() + 30, MouseButton::kLeft, {});
  EXPECT_EQ(term.text, shown);
  clipboard.works = true;
  form().DoubleClick(term.ClientLeft() + 30, term.ClientTop() + 30, MouseButton::kLeft, {});
  EXPECT_EQ(clipboard.text, u"n.银行");
  EXPECT_EQ(term.text, u"已复制") << "for a moment";
  form().Tick("TmrCopiedResult");
  EXPECT_EQ(term.text, shown);
  Type(u"#1/0");
  preview->CopyResult();  // what the powerful-cleaning panel's Label26 does
  EXPECT_EQ(clipboard.text, u"表达式有误。");
}

TEST_F(PreviewPanelTest, PhoneBookAddsSelectsAndDeletes) {
  OpenPhoneBook();
  Control& list6 = Get("List6");
  Control& title = Get("LblPhoneBookTitle");
  EXPECT_EQ(list6.items, (std::vector<std::u16string>{u"张三", u"李四"}));
  EXPECT_EQ(Get("List7").items, (std::vector<std::u16string>{u"13800000000", u"010-12345678"}));

  // Select: the number in the title, name and number on the clipboard.
  // "已复制" for a moment, kept while the pointer moves over the list, then the number.
  form().SelectionMade(list6, 1);
  EXPECT_EQ(title.text, u"已复制");
  EXPECT_EQ(clipboard.text, u"李四：010-12345678");
  form().MoveOver(list6);
  EXPECT_EQ(title.text, u"已复制");
  form().Tick("TmrCopiedContact");
  EXPECT_EQ(title.text, u"010-12345678");
  EXPECT_FALSE(form().timer("TmrCopiedContact").enabled);
  form().MouseMove(100, 800, MouseButton::kNone, {});  // the page beside the list
  EXPECT_EQ(title.text, u"电话簿");
  form().MoveOver(list6);
  EXPECT_EQ(title.text, u"010-12345678");

  // Add: the save button shows within one 100 ms check once both boxes hold text.
  form().Click(Get("Picture58"));
  TickUntilStopped("Timer29");
  Timer& check = form().timer("Timer30");
  EXPECT_TRUE(check.enabled);
  Control& save = Get("Picture62");
  form().TextEdited(Get("TxtContactName"), u"张三");
  form().Tick(check);
  EXPECT_FALSE(save.visible);
  form().TextEdited(Get("TxtContactNumber"), u"139");
  form().Tick(check);
  EXPECT_TRUE(save.visible);
  // A double-click: its second press comes while the page slides out and saves nothing more.
  form().Click(save);  // a second 张三: names need not be unique
  form().DoubleClick(save.ClientLeft() + 30, save.ClientTop() + 30, MouseButton::kLeft, {});
  TickUntilStopped("Timer28");
  EXPECT_FALSE(check.enabled);
  EXPECT_EQ(state.lists.contacts.list.values.back(), u"139");
  EXPECT_EQ(list6.items.size(), 3u);
  Type(u"%张三");
  EXPECT_EQ(Result(), u"13800000000");  // the first of the two

  // A name with "*" would split in Contacts.sd.
  form().Click(Get("Picture58"));
  TickUntilStopped("Timer29");
  form().TextEdited(Get("TxtContactName"), u"王*五");
  form().TextEdited(Get("TxtContactNumber"), u"1");
  EXPECT_EQ(Get("TxtContactName").text, u"王*五");
  form().Tick(check);
  form().Click(save);
  EXPECT_EQ(Get("LblMessageTitle").text, u"命名无效");
  EXPECT_EQ(state.lists.contacts.list.size(), 3u);
  form().Click(Get("Picture61"));
  TickUntilStopped("Timer28");

  // Delete: nothing without a selection, else the selected contact from both lists.
  list6.selected = -1;
  form().Click(Get("PicDeleteContact"));
  EXPECT_EQ(state.lists.contacts.list.size(), 3u);
  form().SelectionMade(list6, 0);
  form().Click(Get("PicDeleteContact"));
  EXPECT_EQ(state.lists.contacts.list.names, (std::vector<std::u16string>{u"李四", u"张三"}));
  EXPECT_EQ(Get("List7").items, (std::vector<std::u16string>{u"010-12345678", u"139"}));
  EXPECT_EQ(list6.selected, -1);
}

TEST_F(PreviewPanelTest, CtrlAltKeysOfTheCommandBox) {
  Control& box = window->command_box();
  const Modifiers ctrl_alt{.ctrl = true, .alt = true};
  struct Case {
    int key;
    std::u16string launched;  // empty: no program
    const char* slide;        // a page slide that starts, or nullptr
  };
  const Case cases[] = {
      {'A', u"", "Timer20"},
      {'C', u"calc.exe", nullptr},
      {'E', u"explorer.exe ::{20D04FE0-3AEA-1069-A2D8-08002B30309D} ", nullptr},
      {'M', u"", "Timer17"},
      {'P', u"mspaint.exe ", nullptr},
      {'R', u"explorer.exe ::{645FF040-5081-101B-9F08-00AA002F954E}", nullptr},
      {'T', u"explorer.exe ::{645FF040-5081-101B-9F08-00AA002F954E}", nullptr},
      {'S', u"", "Timer11"},
  };
  for (const Case& c : cases) {
    launcher.calls.clear();
    Type(u"abc");
    EXPECT_FALSE(Key(c.key, {.shift = true, .ctrl = true, .alt = true})) << char(c.key);
    EXPECT_FALSE(Key(c.key, {.alt = true})) << char(c.key);
    EXPECT_TRUE(launcher.calls.empty()) << char(c.key);
    EXPECT_TRUE(Key(c.key, ctrl_alt)) << char(c.key);
    if (c.launched.empty()) {
      EXPECT_TRUE(launcher.calls.empty()) << char(c.key);
    } else {
      EXPECT_EQ(launcher.calls, std::vector{CommandLineCall(c.launched)}) << char(c.key);
    }
    if (c.slide) {
      EXPECT_TRUE(form().timer(c.slide).enabled) << char(c.key);
      TickUntilStopped(c.slide);
    }
    EXPECT_EQ(box.text, c.key == 'M' ? u"" : u"abc") << char(c.key);
  }

  // Releasing the last modifier puts back the title; a release with Ctrl still down does not.
  form().caption = u"音量：50";
  form().KeyUp(KeyEvent{'A', ctrl_alt}, &box);
  EXPECT_EQ(form().caption, u"音量：50");
  form().KeyUp(KeyEvent{17, {}}, &box);
  EXPECT_EQ(form().caption, u"Velmo盒子");
  window->playing_track = [] { return std::optional<std::u16string>(u"Song"); };
  form().KeyUp(KeyEvent{17, {}}, &box);
  EXPECT_EQ(form().caption, u"Velmo盒子 - Song");
}

}  // namespace
}  // namespace velmo
