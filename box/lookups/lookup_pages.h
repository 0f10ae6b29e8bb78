// The phone book page and the contact-edit page of the main window: their controls and handlers.
#pragma once

#include <optional>
#include <string>

#include "box/lookups/phone_book.h"
#include "box/shell/main_window.h"
#include "box/shell/window_parts.h"

namespace velmo {

inline constexpr int kContactCheckMs = 100;  // Timer30: the contact-edit page's save button
inline constexpr std::u16string_view kPhoneBookTitle = u"电话簿";

class LookupPages {
 public:
  LookupPages(MainWindow& window, BoxState& state, Services& services);

  // After App::Startup: the phone book shows what Contacts.sd held.
  void FinishStartup();

 private:
  void BuildPhoneBookPage();
  void BuildContactEditPage();
  void MirrorContacts();
  void SelectContact();
  void ShowSelectedNumber();
  void SaveContact();

  MainWindow& window_;
  Form& form_;
  Services& services_;
  PhoneBook phone_book_;
  Control* list6_ = nullptr;  // contact names, the visible list
  Control* list7_ = nullptr;  // contact numbers, hidden
  Control* name_box_ = nullptr;
  Control* number_box_ = nullptr;
  Control* save_ = nullptr;
  std::optional<CopiedNote> copied_;  // on the page's title
};

}  // namespace velmo
