// Controls and handlers of the phone book page and the contact-edit page.
#include "box/lookups/lookup_pages.h"

#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"

namespace velmo {

namespace {
constexpr std::u16string_view kTitleInvalidName = u"命名无效";
}  // namespace

LookupPages::LookupPages(MainWindow& window, BoxState& state, Services& services)
    : window_(window),
      form_(window.form()),
      services_(services),
      phone_book_(state.lists.contacts.list) {
  BuildPhoneBookPage();
  BuildContactEditPage();
}

void LookupPages::FinishStartup() { MirrorContacts(); }

void LookupPages::BuildPhoneBookPage() {
  Page& page = window_.page(PageId::kPhoneBook);
  Control& panel = *page.panel;
  const ImageList& images = window_.images().image_list1;

  Control& remove =
      AddHoverButton(form_, panel, "PicDeleteContact", HeaderActionLeft(HeaderAction::kDelete),
                     kHeaderTop, images, 9, u"删除联系人");
  remove.on_click = [this](const MouseEvent&) {
    if (!phone_book_.Delete(list6_->selected)) return;
    list6_->selected = -1;
    MirrorContacts();
  };

  list6_ = &AddBox(form_, panel, ControlKind::kListBox, "List6", 315, 960, 3945, 4335);
  copied_.emplace(form_, *page.title, "TmrCopiedContact");
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
    window_.page(PageId::kPhoneBook).title->text = copied_->Keep(*number);
  }
}

void LookupPages::SelectContact() {
  std::optional<std::u16string> text = phone_book_.ClipboardText(list6_->selected);
  if (!text) return;
  if (services_.clipboard.SetText(*text)) copied_->Show();
  ShowSelectedNumber();
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
  Place(*save_, HeaderActionLeft(HeaderAction::kConfirm), kHeaderTop, 360, 360);
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
