#include "box/clock/notes_page.h"

#include "box/shell/window_parts.h"

namespace velmo {
namespace {

constexpr int kKeyEscape = 27;
constexpr std::size_t kPreviewLength = 10;

}  // namespace

NotesPage::NotesPage(MainWindow& window) : window_(window), form_(window.form()) {
  Page& page = window_.page(PageId::kNotes);
  // On a field like every other box, its text clear of the field's edges.
  note_ = &AddBox(form_, *page.panel, ControlKind::kRichText, "RTB1", 315, 900, 3945,
                  page.panel->height - 900 - 180);
  note_->multi_line = true;
  note_->font = {u"微软雅黑", 105, false};
  note_->on_change = [this] { ShowPreview(); };
  note_->on_key_down = [this, back = page.back](const KeyEvent& e) {
    if (e.key != kKeyEscape || e.modifiers.shift || e.modifiers.ctrl || e.modifiers.alt) {
      return false;
    }
    if (back->EnabledInTree() && back->on_click) back->on_click(MouseEvent{});
    return true;
  };
  page.after_in = [this] { form_.SetFocus(note_); };

  Control& clear = AddHoverButton(form_, *page.panel, "Picture19", 4035, 195,
                                  window_.images().image_list1, 11, u"清除内容");
  clear.on_click = [this](const MouseEvent&) { form_.TextEdited(*note_, u""); };

  // Under the tile's title, on its hover overlay.
  Control& overlay = form_.Get("Picture40", 1);
  preview_ = &form_.Add(overlay, ControlKind::kLabel, "Text3");
  Place(*preview_, 1080, 690, 2040, 330);
  preview_->font = {u"微软雅黑", 90, false};
  preview_->fore_color = Rgb(255, 0, 0);
  preview_->align = TextAlign::kCenter;
  frame_ = &form_.Add(overlay, ControlKind::kShape, "Shape1");
  frame_->border_color = HomeTileColor(1);
}

void NotesPage::FinishStartup() {
  frame_->border_width = 3;
  Place(*frame_, preview_->left, preview_->top, preview_->width, preview_->height);
  form_.TextEdited(*note_, u"");
  ShowPreview();
}

// The first ten characters, whole when there are no more; a line break shows as a space.
void NotesPage::ShowPreview() {
  std::u16string preview;
  for (std::size_t i = 0; i < note_->text.size() && preview.size() < kPreviewLength; ++i) {
    char16_t c = note_->text[i];
    bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < note_->text.size();
    if (pair && preview.size() + 2 > kPreviewLength) break;  // never half a character
    if (c == u'\r' && i + 1 < note_->text.size() && note_->text[i + 1] == u'\n') ++i;
    preview += c == u'\r' || c == u'\n' ? u' ' : c;
    if (pair) preview += note_->text[++i];
  }
  preview_->text = std::move(preview);
}

}  // namespace velmo
