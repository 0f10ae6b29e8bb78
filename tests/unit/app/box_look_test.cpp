// One look over the whole window model: every list page puts its actions in one order and each
// action in one place, every add page its cancel and confirm in the same corners, and each action
// has a glyph of its own, the same wherever the action is offered; a copy says so for a moment.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "box/app/box.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_services_set.h"

namespace velmo {
namespace {

// What a button does: its tool tip, where tips of one action differ from page to page, or where
// one tip names different actions.
std::u16string ActionOf(const Control& c) {
  static const std::map<std::string, std::u16string> kByName = {{"Picture9", u"find"},
                                                                {"Picture77", u"import"},
                                                                {"Picture78", u"open folder"},
                                                                {"Picture68", u"open folder"}};
  static const std::map<std::u16string, std::u16string> kSameAction = {
      {u"添加", u"新增"},       {u"新增联系人", u"新增"}, {u"移除", u"删除"},
      {u"删除联系人", u"删除"}, {u"清除内容", u"清空"},   {u"关闭", u"取消"},
      {u"退出", u"取消"},       {u"收起", u"返回"},       {u"清理垃圾", u"文件清理"}};
  if (auto it = kByName.find(c.name); it != kByName.end()) return it->second;
  std::u16string tip = c.tool_tip.empty() ? c.text : c.tool_tip;
  if (auto it = kSameAction.find(tip); it != kSameAction.end()) return it->second;
  return tip;
}

void Walk(const Control& c, std::vector<const Control*>& buttons) {
  if (c.kind == ControlKind::kPicture && c.image_list) buttons.push_back(&c);
  for (const auto& child : c.children()) Walk(*child, buttons);
}

TEST(BoxLook, OneOrderOnePlaceAndOneGlyphPerAction) {
  FakeServiceSet fakes;
  BoxState state;
  state.program_folder = u"C:\\Box";
  Box box(state, fakes.services);
  box.Startup();
  Form& form = box.window().form();

  // The list pages: add, delete, clear from left to right in one row, each action in the same
  // place on every page.
  std::map<std::u16string, std::set<int>> lefts;
  for (const char* page : {"Picture33", "Picture17", "Picture54", "Picture83"}) {
    SCOPED_TRACE(page);
    std::map<std::u16string, const Control*> actions;
    for (const auto& child : form.Get(page).children()) {
      std::u16string action = ActionOf(*child);
      if (action == u"新增" || action == u"删除" || action == u"清空") {
        actions[action] = child.get();
      }
    }
    ASSERT_TRUE(actions.count(u"新增") && actions.count(u"删除"));
    const Control* back = box.window().page(PageId::kItemList).back;
    std::vector<const Control*> row = {actions[u"新增"], actions[u"删除"]};
    if (actions.count(u"清空")) row.push_back(actions[u"清空"]);
    for (std::size_t i = 0; i < row.size(); ++i) {
      EXPECT_EQ(row[i]->top, back->top) << "in the header row";
      if (i > 0) {
        EXPECT_LT(row[i - 1]->left + row[i - 1]->width, row[i]->left);
      }
      lefts[ActionOf(*row[i])].insert(row[i]->left);
    }
  }
  for (const auto& [action, at] : lefts) EXPECT_EQ(at.size(), 1u) << "one place for an action";

  // The add pages: cancel where the back button stands, confirm at the right of the same row.
  std::set<std::pair<int, int>> cancels, confirms;
  for (const char* page : {"Picture8", "Picture60", "Picture88"}) {
    for (const auto& child : form.Get(page).children()) {
      if (child->tool_tip == u"取消") cancels.insert({child->left, child->top});
      if (child->tool_tip == u"确定") confirms.insert({child->left, child->top});
    }
  }
  const Control* back = box.window().page(PageId::kItemList).back;
  EXPECT_EQ(cancels, (std::set<std::pair<int, int>>{{back->left, back->top}}));
  ASSERT_EQ(confirms.size(), 1u);
  EXPECT_EQ(confirms.begin()->second, back->top);
  EXPECT_EQ(lefts[u"清空"], std::set<int>{confirms.begin()->first}) << "where clear stands";

  // Glyphs: an action keeps its glyph wherever it is offered, and no glyph serves two actions.
  std::vector<const Control*> buttons;
  Walk(form.root(), buttons);
  std::map<char16_t, std::set<std::u16string>> actions_of;
  std::map<std::u16string, std::set<char16_t>> glyphs_of;
  for (const Control* b : buttons) {
    const ImageEntry* entry = b->image_list->At(b->image - (b->image % 2 == 0 ? 1 : 0));
    if (!entry) continue;
    std::u16string action = ActionOf(*b);
    if (action == u"播放/暂停" || action == u"静音") continue;  // one button, two states
    actions_of[entry->glyph].insert(action);
    glyphs_of[action].insert(entry->glyph);
  }
  for (const auto& [glyph, actions] : actions_of) {
    EXPECT_EQ(actions.size(), 1u) << "glyph " << std::hex << static_cast<int>(glyph) << " serves "
                                  << Utf16ToUtf8(*actions.begin()) << " and more";
  }
  for (const auto& [action, glyphs] : glyphs_of) {
    EXPECT_EQ(glyphs.size(), 1u) << Utf16ToUtf8(action) << " has " << glyphs.size() << " glyphs";
  }

  // Every tools tile has its name as a caption under its glyph.
  for (int i = 0; i < 9; ++i) {
    const Control& tile = form.Get("PicTool", i);
    EXPECT_FALSE(tile.text.empty());
    EXPECT_TRUE(tile.caption_below);
    EXPECT_TRUE(tile.tool_tip.empty()) << "no tip over the caption of the tile above";
  }
}

}  // namespace
}  // namespace velmo
