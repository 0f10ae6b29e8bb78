// Controls and handlers of the dictionary panel, the phone book page and the contact-edit page.
#include "box/lookups/lookup_pages.h"

#include "box/command/live_preview.h"
#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"

namespace velmo {

namespace {
constexpr std::u16string_view kTitleInvalidName = u"命名无效";
constexpr int kKeyTab = 9;
constexpr int kKeyDown = 40;
}  // namespace

LookupPages::LookupPages(MainWindow& window, BoxState& state, Services& services,
                         const PinyinMatcher& item_names)
    : window_(window),
      form_(window.form()),
      state_(state),
      services_(services),
      item_names_(item_names),
      phone_book_(state.lists.contacts.list) {
  BuildDictionaryPanel();
  BuildPhoneBookPage();
  BuildContactEditPage();
}

void LookupPages::FinishStartup() { MirrorContacts(); }

void LookupPages::BuildDictionaryPanel() {
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

void LookupPages::RefreshPreview() {
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

bool LookupPages::Complete(const KeyEvent& e) {
  const bool plain = !e.modifiers.ctrl && !e.modifiers.alt && !e.modifiers.shift;
  if (!plain || (e.key != kKeyTab && e.key != kKeyDown)) return false;
  if (!panel_->visible || suggestions_.empty()) return false;
  Control& box = window_.command_box();
  form_.TextEdited(box, suggestions_.front());
  box.caret_to_end = true;
  return true;
}

void LookupPages::CopyResult() { services_.clipboard.SetText(result_->text); }

void LookupPages::BuildPhoneBookPage() {
  Page& page = window_.page(PageId::kPhoneBook);
  Control& panel = *page.panel;
  const ImageList& images = window_.images().image_list1;

  Control& remove =
      AddHoverButton(form_, panel, "PicDeleteContact", 3495, 195, images, 9, u"删除联系人");
  remove.on_click = [this](const MouseEvent&) {
    if (!phone_book_.Delete(list6_->selected)) return;
    list6_->selected = -1;
    MirrorContacts();
  };

  list6_ = &AddBox(form_, panel, ControlKind::kListBox, "List6", 315, 960, 3945, 4335);
  list6_->on_change = [this] { SelectContact(); };
  list6_->on_mouse_move = [this](const MouseEvent&) { ShowSelectedNumber(); };
  list7_ = &form_.Add(panel, ControlKind::kListBox, "List7");
  list7_->visible = false;

  panel.on_mouse_move = [this, &panel](const MouseEvent&) {
    RestoreButtonsOn(panel);
    window_.page(PageId::kPhoneBook).title->text = std::u16string(kPhoneBookTitle);
  };
  // The tools tile opens the page with no contact selected.
  PrependClick(form_.Get("PicTool", 4), [this] { list6_->selected = -1; });
}

void LookupPages::MirrorContacts() {
  const ListPair& contacts = phone_book_.contacts();
  list6_->items = contacts.names;
  list7_->items = contacts.values;
  if (list6_->selected >= static_cast<int>(contacts.size())) list6_->selected = -1;
}

void LookupPages::ShowSelectedNumber() {
  if (std::optional<std::u16string> number = phone_book_.NumberAt(list6_->selected)) {
    window_.page(PageId::kPhoneBook).title->text = *number;
  }
}

void LookupPages::SelectContact() {
  std::optional<std::u16string> text = phone_book_.ClipboardText(list6_->selected);
  if (!text) return;
  ShowSelectedNumber();
  services_.clipboard.SetText(*text);
}

void LookupPages::BuildContactEditPage() {
  Page& page = window_.page(PageId::kContactEdit);
  Control& panel = *page.panel;

  Place(AddLabel(form_, panel, "Label36", u"姓名："), 180, 900, 4215, 330);
  name_box_ = &AddBox(form_, panel, ControlKind::kTextBox, "TxtContactName", 315, 1320, 3945, 240);
  Place(AddLabel(form_, panel, "Label37", u"联系号码："), 180, 1770, 4215, 330);
  number_box_ =
      &AddBox(form_, panel, ControlKind::kTextBox, "TxtContactNumber", 315, 2190, 3945, 240);

  save_ = &form_.Add(panel, ControlKind::kPicture, "Picture62");
  Place(*save_, 4035, 195, 360, 360);
  MakeHoverButton(*save_, window_.images().image_list1, 27, u"确定");
  save_->visible = false;
  save_->on_click = [this](const MouseEvent&) { SaveContact(); };

  Timer& check = form_.AddTimer("Timer30", kContactCheckMs, [this] {
    save_->visible = !name_box_->text.empty() && !number_box_->text.empty();
  });
  page.after_in = [this, &check] {
    save_->enabled = true;
    check.Start();
  };
  page.after_out = [&check] { check.Stop(); };

  // Adding starts with empty boxes, the name first.
  PrependClick(form_.Get("Picture58"), [this] {
    form_.TextEdited(*name_box_, u"");
    form_.TextEdited(*number_box_, u"");
    form_.SetFocus(name_box_);
  });
}

void LookupPages::SaveContact() {
  switch (phone_book_.Add(name_box_->text, number_box_->text)) {
    case ContactAdd::kAdded:
      // Until the page is opened again: a double-click's second press would add it twice.
      save_->enabled = false;
      MirrorContacts();
      window_.ClosePage(PageId::kContactEdit);
      break;
    case ContactAdd::kNameRefused:
      window_.ShowMessage(u"联系人姓名中不能出现 * 。", std::u16string(kTitleInvalidName));
      break;
    case ContactAdd::kIncomplete:
      break;
  }
}

}  // namespace velmo
