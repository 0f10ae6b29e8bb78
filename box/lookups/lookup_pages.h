// The dictionary panel with the command box's live preview, the phone book page and the
// contact-edit page of the main window: their controls and handlers.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "box/command/pinyin_match.h"
#include "box/lookups/phone_book.h"
#include "box/shell/main_window.h"

namespace velmo {

inline constexpr int kContactCheckMs = 100;  // Timer30: the contact-edit page's save button
inline constexpr std::u16string_view kPhoneBookTitle = u"电话簿";

class LookupPages {
 public:
  // `item_names` finds the items a command text without a prefix suggests.
  LookupPages(MainWindow& window, BoxState& state, Services& services,
              const PinyinMatcher& item_names);

  // After App::Startup: the phone book shows what Contacts.sd held.
  void FinishStartup();
  // Shows or hides the dictionary panel for the command box's text as it is now.
  void RefreshPreview();
  // Puts the result box's text on the clipboard. The term label does it on a double-click;
  // the powerful-cleaning panel attaches it to its title label Label26.
  void CopyResult();

 private:
  void BuildDictionaryPanel();
  // Tab or Down while the panel shows item suggestions: the first one's name fills the command
  // box. False for any other key, or while there is nothing to complete.
  bool Complete(const KeyEvent& e);
  void BuildPhoneBookPage();
  void BuildContactEditPage();
  void MirrorContacts();
  void SelectContact();
  void ShowSelectedNumber();
  void SaveContact();

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  const PinyinMatcher& item_names_;
  PhoneBook phone_book_;
  Control* panel_ = nullptr;   // the dictionary panel
  Control* term_ = nullptr;    // its term label
  Control* result_ = nullptr;  // its read-only result box
  Control* list6_ = nullptr;   // contact names, the visible list
  Control* list7_ = nullptr;   // contact numbers, hidden
  Control* name_box_ = nullptr;
  Control* number_box_ = nullptr;
  Control* save_ = nullptr;
  std::vector<std::u16string> suggestions_;  // the item names the panel lists, while it shows them
  std::set<std::u16string> damage_said_;     // each damaged dictionary is said once a run
};

}  // namespace velmo
