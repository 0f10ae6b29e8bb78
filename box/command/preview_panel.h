// The dictionary panel above the command box: the live preview of the command box's text (a
// dictionary answer, or the items the text suggests), its controls and handlers.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "box/command/pinyin_match.h"
#include "box/shell/main_window.h"

namespace velmo {

class PreviewPanel {
 public:
  // `item_names` finds the items a command text without a prefix suggests.
  PreviewPanel(MainWindow& window, BoxState& state, Services& services,
               const PinyinMatcher& item_names);

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

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  const PinyinMatcher& item_names_;
  Control* panel_ = nullptr;                 // the dictionary panel
  Control* term_ = nullptr;                  // its term label
  Control* result_ = nullptr;                // its read-only result box
  std::vector<std::u16string> suggestions_;  // the item names the panel lists, while it shows them
  std::set<std::u16string> damage_said_;     // each damaged dictionary is said once a run
};

}  // namespace velmo
