// What a screen reader is told of a window model: the items, their names, roles and states, the
// default action, and the events between two views.
#include "box/ui/accessible_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "box/app/box.h"
#include "box/controls/progress_bar.h"
#include "box/controls/toggle_switch.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

using Role = AccessibleRole;

const AccessibleItem* ItemNamed(const AccessibleView& view, std::u16string_view name,
                                Role role = Role::kPushButton) {
  auto it = std::find_if(view.items.begin(), view.items.end(),
                         [&](const AccessibleItem& i) { return i.name == name && i.role == role; });
  return it == view.items.end() ? nullptr : &*it;
}

Control& Add(Form& form, Control& parent, ControlKind kind, const char* name, int left) {
  Control& c = form.Add(parent, kind, name);
  c.left = left;
  c.top = 150;
  c.width = 300;
  c.height = 300;
  return c;
}

TEST(AccessibleTree, ItemsTakeCaptionTipOrNameAndCompositesAreOneItem) {
  Form form;
  form.width = 9000;
  form.height = 3000;
  Control& root = form.root();
  auto click = [](Control& c) -> Control& {
    c.on_click = [](const MouseEvent&) {};
    return c;
  };
  Add(form, root, ControlKind::kLabel, "Caption", 0).text = u"标签";
  Control& glyph = click(Add(form, root, ControlKind::kPicture, "GlyphAndTip", 300));
  glyph.text = u"\uE872";
  glyph.tool_tip = u"删除";
  click(Add(form, root, ControlKind::kPicture, "Nameless", 600)).text = u"\uE5CC";
  Add(form, root, ControlKind::kShape, "Shape", 900).tool_tip = u"形状";
  Add(form, root, ControlKind::kLine, "Line", 900).tool_tip = u"线";
  Control& panel = Add(form, root, ControlKind::kPanel, "Panel", 1200);
  panel.back_color = Rgb(255, 255, 255);
  panel.tool_tip = u"面板";
  Add(form, panel, ControlKind::kLabel, "Inside", 0).text = u"里面";
  Control& tab = click(Add(form, root, ControlKind::kLabel, "Tab", 1500));
  tab.text = u" 常规 ";
  tab.access.role = AccessInfo::Role::kPageTab;
  tab.access.checked = true;
  Control& off = click(Add(form, root, ControlKind::kPicture, "Disabled", 1800));
  off.tool_tip = u"新增";
  off.enabled = false;
  Control& twice = Add(form, root, ControlKind::kPicture, "Twice", 2100);
  twice.tool_tip = u"清空";
  twice.on_click = [](const MouseEvent&) {};
  twice.on_double_click = [](const MouseEvent&) {};
  Control& hidden = click(Add(form, root, ControlKind::kPicture, "Hidden", 2400));
  hidden.tool_tip = u"隐藏";
  hidden.visible = false;
  Control& box = Add(form, root, ControlKind::kTextBox, "Box", 2700);
  box.text = u"内容";
  form.SetFocus(&box);
  ToggleSwitch toggle(form, root, "Switch", 3000, 150);
  toggle.panel().access.name = u"位置记忆";
  FakeDialogs dialogs;
  ProgressBar bar(form, root, "Bar", 3600, 150, 1500, 255, dialogs);
  bar.panel().access.name = u"文件清理";
  bar.SetValue(42.4f);

  const struct {
    std::u16string name;
    Role role;
    std::u16string action;
    std::u16string value;
    bool unavailable, checked, focused, native;
  } expected[] = {
      {u"标签", Role::kStaticText, u"", u"", false, false, false, false},
      {u"删除", Role::kPushButton, u"按下", u"", false, false, false, false},
      {u"里面", Role::kStaticText, u"", u"", false, false, false, false},
      {u"常规", Role::kPageTab, u"切换", u"", false, true, false, false},
      {u"新增", Role::kPushButton, u"按下", u"", true, false, false, false},
      {u"清空", Role::kPushButton, u"双击", u"", false, false, false, false},
      {u"", Role::kText, u"", u"", false, false, true, true},
      {u"位置记忆", Role::kCheckButton, u"取消选中", u"", false, true, false, false},
      {u"文件清理", Role::kProgressBar, u"", u"42%", false, false, false, false},
  };
  AccessibleView view = AccessibleViewOf(form, PixelScale(96));
  ASSERT_EQ(view.items.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const AccessibleItem& item = view.items[i];
    SCOPED_TRACE(Utf16ToUtf8(expected[i].name));
    EXPECT_TRUE(item.name == expected[i].name) << Utf16ToUtf8(item.name);
    EXPECT_EQ(item.role, expected[i].role);
    EXPECT_TRUE(item.default_action == expected[i].action);
    EXPECT_TRUE(item.value == expected[i].value);
    EXPECT_EQ(item.unavailable, expected[i].unavailable);
    EXPECT_EQ(item.checked, expected[i].checked);
    EXPECT_EQ(item.focused, expected[i].focused);
    EXPECT_EQ(item.native, expected[i].native);
    EXPECT_FALSE(item.invisible);
  }
  EXPECT_EQ(view.items[1].area, (PixelRect{20, 10, 40, 30})) << "client pixels at 96 dpi";
  EXPECT_EQ(view.items[2].area, (PixelRect{80, 20, 100, 40})) << "inside its panel";

  toggle.SetValue(false);
  const AccessibleView turned_view = AccessibleViewOf(form, PixelScale(96));
  const AccessibleItem& turned = turned_view.items[7];
  EXPECT_FALSE(turned.checked);
  EXPECT_EQ(turned.default_action, u"选中");
}

class AccessibleBox : public ::testing::Test, protected FakeServiceSet {
 protected:
  void SetUp() override {
    state.program_folder = u"C:\\Box";
    box = std::make_unique<Box>(state, services);
    box->Startup();
  }
  Form& form() { return box->window().form(); }
  AccessibleView View() { return AccessibleViewOf(form(), PixelScale(96)); }
  void TickUntilStopped(const char* timer) {
    for (int i = 0; i < 100 && form().timer(timer).enabled; ++i) form().Tick(timer);
  }

  BoxState state;
  std::unique_ptr<Box> box;
};

TEST_F(AccessibleBox, WhatIsSlidAwayOrUnderAPageIsInvisibleAndTheTitleInViewNamesTheWindow) {
  AccessibleView home = View();
  EXPECT_EQ(home.name, u"Velmo盒子");
  for (std::u16string_view tile : {u"音乐", u"便笺", u"快速启动", u"小工具"}) {
    const AccessibleItem* item = ItemNamed(home, tile);
    ASSERT_NE(item, nullptr) << Utf16ToUtf8(tile);
    EXPECT_FALSE(item->invisible);
    EXPECT_EQ(item->default_action, u"按下");
  }
  EXPECT_TRUE(ItemNamed(home, u"关机")->invisible) << "in the drawer, slid out of the window";
  EXPECT_FALSE(ItemNamed(home, u"展开工具条")->invisible) << "the drawer's edge shows";
  EXPECT_EQ(ItemNamed(home, u"音乐", Role::kStaticText), nullptr) << "the music page is hidden";

  form().Click(form().Get("Picture39", 0));
  form().Tick("Timer17");
  EXPECT_EQ(View().name, u"Velmo盒子") << "the title has not slid into the window yet";
  TickUntilStopped("Timer17");
  AccessibleView music = View();
  EXPECT_EQ(music.name, u"音乐");
  EXPECT_TRUE(ItemNamed(music, u"便笺")->invisible) << "under the page";
  EXPECT_FALSE(ItemNamed(music, u"执行")->invisible) << "below the page";
  EXPECT_FALSE(ItemNamed(music, u"播放/暂停")->invisible);

  box->window().ShowMessage(u"无法读取 DATA\\Music.sd", u"读取失败");
  TickUntilStopped("Timer16");
  AccessibleView message = View();
  auto alert = std::find_if(message.items.begin(), message.items.end(),
                            [](const AccessibleItem& i) { return i.role == Role::kAlert; });
  ASSERT_NE(alert, message.items.end());
  EXPECT_EQ(alert->name, u"读取失败\n无法读取 DATA\\Music.sd");
  EXPECT_FALSE(alert->invisible);
  EXPECT_TRUE(alert->focused) << "the space bar closes it";
  EXPECT_TRUE(ItemNamed(message, u"播放/暂停")->invisible) << "the message covers the page";
}

TEST_F(AccessibleBox, TheDefaultActionIsTheClickOrPressWhereverTheItemStands) {
  const int recycle_bin = form().Get("PicRecycleBin").id();
  ASSERT_TRUE(DoAccessibleAction(form(), recycle_bin)) << "in the collapsed drawer";
  ASSERT_EQ(launcher.calls.size(), 1u) << "the bin opens on a press";
  EXPECT_NE(launcher.calls[0].text.find(u"explorer"), std::u16string::npos);

  ASSERT_TRUE(DoAccessibleAction(form(), form().Get("PicOptions").id()));
  const int greeting = form().Get("sSwitch_Small1").id();
  bool was = state.settings.Get(Setting::kGreetingAfterRunning);
  ASSERT_TRUE(DoAccessibleAction(form(), greeting));
  TickUntilStopped(was ? "sSwitch_Small1.Timer1" : "sSwitch_Small1.Timer2");
  EXPECT_NE(state.settings.Get(Setting::kGreetingAfterRunning), was);
  const AccessibleView after = View();
  auto item = std::find_if(after.items.begin(), after.items.end(),
                           [&](const AccessibleItem& i) { return i.id == greeting; });
  ASSERT_NE(item, after.items.end());
  EXPECT_NE(item->checked, was);

  Control& back = form().Get("Picture73");
  back.enabled = false;
  EXPECT_FALSE(DoAccessibleAction(form(), back.id())) << "unavailable";
  EXPECT_FALSE(DoAccessibleAction(form(), form().Get("ShpCommandBox").id())) << "no item";
  EXPECT_FALSE(DoAccessibleAction(form(), form().Get("LblVersion").id())) << "takes no click";
  EXPECT_FALSE(DoAccessibleAction(form(), 100000));
}

AccessibleItem MakeItem(int id, Role role, std::u16string name, bool invisible = false) {
  AccessibleItem i;
  i.id = id;
  i.role = role;
  i.name = std::move(name);
  i.invisible = invisible;
  return i;
}

TEST(AccessibleChanges, ANoticeIsAlertedAsItComesUpTitlesAndChecksAreTold) {
  using Kind = AccessibleEvent::Kind;
  AccessibleView before{
      u"Velmo盒子",
      {MakeItem(1, Role::kAlert, u"消息标题", true), MakeItem(2, Role::kCheckButton, u"开"),
       MakeItem(3, Role::kPushButton, u"关闭声音"), MakeItem(4, Role::kPushButton, u"帮助")}};
  const struct {
    const char* what;
    void (*change)(AccessibleView&);
    std::vector<AccessibleEvent> events;
  } cases[] = {
      {"nothing", [](AccessibleView&) {}, {}},
      {"the notice comes up",
       [](AccessibleView& v) { v.items[0].invisible = false; },
       {{Kind::kShow, 1}, {Kind::kAlert, 1}}},
      {"a notice that stays hidden changes",
       [](AccessibleView& v) { v.items[0].name = u"新的"; },
       {}},
      {"a new page's title", [](AccessibleView& v) { v.name = u"选项"; }, {{Kind::kNameChange, 0}}},
      {"a switch turns",
       [](AccessibleView& v) { v.items[1].checked = true; },
       {{Kind::kStateChange, 2}}},
      {"a button is disabled",
       [](AccessibleView& v) { v.items[3].unavailable = true; },
       {{Kind::kStateChange, 4}}},
      {"a button slides away", [](AccessibleView& v) { v.items[3].invisible = true; }, {}},
      {"a tip turns",
       [](AccessibleView& v) { v.items[2].name = u"打开声音"; },
       {{Kind::kNameChange, 3}}},
      {"items come and go",
       [](AccessibleView& v) {
         v.items.erase(v.items.begin() + 3);
         v.items.push_back(MakeItem(5, Role::kStaticText, u"新"));
       },
       {}},
  };
  for (const auto& c : cases) {
    AccessibleView after = before;
    c.change(after);
    EXPECT_EQ(AccessibleChanges(before, after), c.events) << c.what;
  }
  AccessibleView shown = before;
  shown.items[0].invisible = false;
  AccessibleView next = shown;
  next.items[0].name = u"第二条消息";
  EXPECT_EQ(AccessibleChanges(shown, next), (std::vector<AccessibleEvent>{{Kind::kAlert, 1}}))
      << "a new message while one is up";
}

}  // namespace
}  // namespace velmo
