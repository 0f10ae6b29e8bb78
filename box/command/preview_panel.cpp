// The panel above the command box that previews what its text would do: a dictionary answer
// or the items the text suggests, which the arrow keys or the mouse choose.
#include "box/command/preview_panel.h"

#include "box/command/live_preview.h"
#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"

namespace velmo {

namespace {
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;
constexpr int kKeySeparator = 108;  // numeric keypad

// Twips. The panel's bottom edge stays just above the command box; with suggestions it grows
// upwards by their rows.
constexpr int kPanelLeft = 180;  // the pages' content column
constexpr int kPanelWidth = 4215;
constexpr int kPanelBottom = 5490;
constexpr int kAnswerHeight = 2490;
constexpr int kRowsTop = 660;
constexpr int kRowHeight = 300;
constexpr int kRowInset = 90;
constexpr int kHintHeight = 300;
constexpr int kPanelMargin = 120;
}  // namespace

PreviewPanel::PreviewPanel(MainWindow& window, BoxState& state, Services& services,
                           CommandPages& commands)
    : window_(window),
      form_(window.form()),
      state_(state),
      services_(services),
      commands_(commands) {
  BuildDictionaryPanel();
  BuildSuggestionRows();
  Arrange(0);
  commands_.on_icons_arrived = [this] { ShowIcons(); };
}

void PreviewPanel::BuildDictionaryPanel() {
  // Over the home tiles, the pages and the drawer, just above the command box; only the
  // message panel lies higher.
  Control& panel = form_.Add(form_.root(), ControlKind::kPanel, "PicDictionary");
  panel.back_color = palette::kCard;
  panel.border_color = palette::kBorder;
  panel.visible = false;
  panel_ = &panel;
  form_.BringToFront(form_.Get("PicMessage"));

  term_ = &AddLabel(form_, panel, "LblDictTerm", u"单词");
  Place(*term_, 240, 150, 3735, 450);
  term_->font = {u"微软雅黑", 120, true};
  term_->tool_tip = u"双击复制释义";
  term_->on_double_click = [this](const MouseEvent&) { CopyResult(); };
  copied_.emplace(form_, *term_, "TmrCopiedResult");

  result_ = &form_.Add(panel, ControlKind::kTextBox, "TxtDictResult");
  Place(*result_, 240, 720, 3735, 1620);
  result_->text = u"释义";
  result_->multi_line = true;
  result_->read_only = true;
  result_->scroll_bar = true;  // a long definition reads to its end
  result_->font = {u"微软雅黑", 95, false};
  result_->fore_color = palette::kText;
  result_->back_color = palette::kCard;

  Control& box = window_.command_box();
  box.on_change = [this, old = std::move(box.on_change)] {
    if (old) old();
    RefreshPreview();
  };
  box.on_key_down = [this, old = std::move(box.on_key_down)](const KeyEvent& e) {
    return SuggestionKey(e) || (old && old(e));
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

void PreviewPanel::BuildSuggestionRows() {
  for (int i = 0; i < static_cast<int>(kMaxSuggestions); ++i) {
    Control& row = form_.Add(*panel_, ControlKind::kPanel, "PicSuggestion", i);
    Place(row, kRowInset, kRowsTop + i * kRowHeight, kPanelWidth - 2 * kRowInset, kRowHeight);
    row.visible = false;
    row.on_click = [this, i](const MouseEvent&) { Launch(static_cast<std::size_t>(i)); };
    // The item's own icon, then its name.
    Control& icon = form_.Add(row, ControlKind::kPicture, "PicSuggestionIcon", i);
    Place(icon, 150, (kRowHeight - kItemIconTwips) / 2, kItemIconTwips, kItemIconTwips);
    Control& name = form_.Add(row, ControlKind::kLabel, "LblSuggestion", i);
    const int name_left = 150 + kItemIconTwips + 90;
    Place(name, name_left, 0, row.width - name_left - 90, kRowHeight);
    name.font = {u"微软雅黑", 95, false};
    name.fore_color = palette::kText;
    rows_.push_back(&row);
  }
  hint_ = &AddLabel(form_, *panel_, "LblSuggestionKeys", u"↑↓ 选择　Enter 打开　Tab 填入");
  hint_->font = {u"微软雅黑", 80, false};
  hint_->fore_color = palette::kMuted;
  hint_->visible = false;
}

void PreviewPanel::Arrange(std::size_t rows) {
  const bool listing = rows > 0;
  const int height =
      listing ? kRowsTop + static_cast<int>(rows) * kRowHeight + kHintHeight + kPanelMargin
              : kAnswerHeight;
  Place(*panel_, kPanelLeft, kPanelBottom - height, kPanelWidth, height);
  result_->visible = !listing;
  hint_->visible = listing;
  Place(*hint_, 240, height - kPanelMargin - kHintHeight, 3735, kHintHeight);
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i]->visible = i < rows;
}

void PreviewPanel::RefreshPreview() {
  PreviewAnswer answer = PreviewOf(window_.command_box().text, state_, commands_.item_names());
  panel_->visible = answer.shown;
  // At the first look-up in it: a user who never looks a word up is not told at start-up.
  if (!answer.damage.empty() && damage_said_.insert(answer.damage).second) {
    window_.ShowMessage(answer.damage, u"词典文件损坏");
  }
  const ListPair& items = commands_.item_list().items();
  suggestions_.clear();
  for (const Suggestion& s : answer.suggestions) {
    suggestions_.push_back({s.index, items.names[s.index], items.values[s.index]});
  }
  for (std::size_t i = 0; i < suggestions_.size(); ++i) {
    NameOf(i).text = suggestions_[i].name;
    rows_[i]->tool_tip = suggestions_[i].path;
  }
  ShowIcons();
  highlighted_ = -1;
  Highlight(-1);
  if (answer.shown) {
    Arrange(suggestions_.size());
    term_->text = std::move(answer.term);
    if (answer.result) result_->text = std::move(*answer.result);
  }
  if (on_suggestions_changed) on_suggestions_changed();
}

void PreviewPanel::Highlight(int entry) {
  highlighted_ = entry;
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const bool lit = i == entry;
    rows_[i]->back_color = lit ? palette::kAccentSoft : kNoBackground;
    Control& name = NameOf(static_cast<std::size_t>(i));
    name.fore_color = lit ? palette::kAccent : palette::kText;
    name.font.bold = lit;
  }
}

Control& PreviewPanel::NameOf(std::size_t row) { return *rows_[row]->children().back(); }

void PreviewPanel::ShowIcons() {
  for (std::size_t i = 0; i < suggestions_.size(); ++i) {
    rows_[i]->children().front()->icon = commands_.ItemIcon(suggestions_[i].path);
  }
}

void PreviewPanel::Launch(std::size_t entry) {
  if (entry >= suggestions_.size()) return;
  Highlight(static_cast<int>(entry));
  commands_.LaunchSuggestion(suggestions_[entry].item);
}

bool PreviewPanel::SuggestionKey(const KeyEvent& e) {
  const bool plain = !e.modifiers.ctrl && !e.modifiers.alt && !e.modifiers.shift;
  if (!plain || !panel_->visible || suggestions_.empty()) return false;
  const int count = static_cast<int>(suggestions_.size());
  switch (e.key) {
    case kKeyDown:
      Highlight(highlighted_ + 1 < count ? highlighted_ + 1 : 0);
      return true;
    case kKeyUp:
      Highlight(highlighted_ > 0 ? highlighted_ - 1 : count - 1);
      return true;
    case kKeyTab: {
      Control& box = window_.command_box();
      form_.TextEdited(box, suggestions_[highlighted_ < 0 ? 0 : highlighted_].name);
      box.caret_to_end = true;
      return true;
    }
    case kKeyEnter:
    case kKeySeparator:
      if (highlighted_ < 0) return false;  // Run takes the text as typed
      Launch(static_cast<std::size_t>(highlighted_));
      return true;
    case kKeyEscape:
      panel_->visible = false;
      suggestions_.clear();
      Highlight(-1);
      if (on_suggestions_changed) on_suggestions_changed();
      return true;
    default:
      return false;
  }
}

void PreviewPanel::CopyResult() {
  if (services_.clipboard.SetText(result_->text)) copied_->Show();
}

}  // namespace velmo
