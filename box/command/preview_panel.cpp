// The panel above the command box that previews what its text would do: a dictionary answer
// or the items the text suggests.
#include "box/command/preview_panel.h"

#include "box/command/live_preview.h"
#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"

namespace velmo {

namespace {
constexpr int kKeyTab = 9;
constexpr int kKeyDown = 40;
}  // namespace

PreviewPanel::PreviewPanel(MainWindow& window, BoxState& state, Services& services,
                           const PinyinMatcher& item_names)
    : window_(window),
      form_(window.form()),
      state_(state),
      services_(services),
      item_names_(item_names) {
  BuildDictionaryPanel();
}

void PreviewPanel::BuildDictionaryPanel() {
  // Over the home tiles, the pages and the drawer, just above the command box; only the
  // message panel lies higher.
  Control& panel = form_.Add(form_.root(), ControlKind::kPanel, "PicDictionary");
  Place(panel, 675, 3000, 3745, 2490);
  panel.back_color = palette::kCard;
  panel.border_color = palette::kBorder;
  panel.visible = false;
  panel_ = &panel;
  form_.BringToFront(form_.Get("PicMessage"));

  term_ = &AddLabel(form_, panel, "LblDictTerm", u"单词");
  Place(*term_, 240, 150, 3265, 450);
  term_->font = {u"微软雅黑", 120, true};
  term_->tool_tip = u"双击复制释义";
  term_->on_double_click = [this](const MouseEvent&) { CopyResult(); };

  result_ = &form_.Add(panel, ControlKind::kTextBox, "TxtDictResult");
  Place(*result_, 240, 720, 3265, 1620);
  result_->text = u"释义";
  result_->multi_line = true;
  result_->read_only = true;
  result_->font = {u"微软雅黑", 95, false};
  result_->fore_color = palette::kText;
  result_->back_color = palette::kCard;

  Control& box = window_.command_box();
  box.on_change = [this, old = std::move(box.on_change)] {
    if (old) old();
    RefreshPreview();
  };
  box.on_key_down = [this, old = std::move(box.on_key_down)](const KeyEvent& e) {
    return Complete(e) || (old && old(e));
  };
  // The back buttons of the pages that cover the home area, and the drawer's collapse button,
  // show the answer again; a home tile and the drawer's expand button put it away first.
  for (const char* back : {"Picture20", "Picture16", "Picture34", "Picture50", "Picture38"}) {
    PrependClick(form_.Get(back), [this] { RefreshPreview(); });
  }
  for (int i = 0; i < 4; ++i) {
    PrependClick(form_.Get("Picture39", i), [this] { panel_->visible = false; });
    PrependClick(form_.Get("Picture40", i), [this] { panel_->visible = false; });
  }
  PrependClick(form_.Get("Picture36"), [this] { panel_->visible = false; });
}

void PreviewPanel::RefreshPreview() {
  PreviewAnswer answer = PreviewOf(window_.command_box().text, state_, item_names_);
  panel_->visible = answer.shown;
  suggestions_ = std::move(answer.suggestions);
  // At the first look-up in it: a user who never looks a word up is not told at start-up.
  if (!answer.damage.empty() && damage_said_.insert(answer.damage).second) {
    window_.ShowMessage(answer.damage, u"词典文件损坏");
  }
  if (!answer.shown) return;
  term_->text = std::move(answer.term);
  if (answer.result) result_->text = std::move(*answer.result);
}

bool PreviewPanel::Complete(const KeyEvent& e) {
  const bool plain = !e.modifiers.ctrl && !e.modifiers.alt && !e.modifiers.shift;
  if (!plain || (e.key != kKeyTab && e.key != kKeyDown)) return false;
  if (!panel_->visible || suggestions_.empty()) return false;
  Control& box = window_.command_box();
  form_.TextEdited(box, suggestions_.front());
  box.caret_to_end = true;
  return true;
}

void PreviewPanel::CopyResult() { services_.clipboard.SetText(result_->text); }

}  // namespace velmo
