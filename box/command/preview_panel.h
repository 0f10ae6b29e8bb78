// The dictionary panel above the command box: the live preview of the command box's text (a
// dictionary answer, or the items the text suggests), its controls and handlers.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "box/command/command_pages.h"
#include "box/command/pinyin_match.h"
#include "box/shell/main_window.h"
#include "box/shell/window_parts.h"

namespace velmo {

// One entry of the suggestion list: drawn as row PicSuggestion(i) with its item's icon in
// PicSuggestionIcon(i) and its name in LblSuggestion(i).
struct SuggestionEntry {
  std::size_t item = 0;  // index in the item list
  std::u16string name;
  std::u16string path;
};

class PreviewPanel {
 public:
  PreviewPanel(MainWindow& window, BoxState& state, Services& services, CommandPages& commands);

  // Shows or hides the dictionary panel for the command box's text as it is now.
  void RefreshPreview();
  // Puts the result box's text on the clipboard. The term label does it on a double-click;
  // the powerful-cleaning panel attaches it to its title label Label26.
  void CopyResult();

  // The items the panel lists now, best first (empty while it shows a dictionary answer or
  // nothing), and which one the arrow keys have highlighted (-1: none).
  const std::vector<SuggestionEntry>& suggestions() const { return suggestions_; }
  int highlighted() const { return highlighted_; }
  // Called whenever the entries are listed anew, after their rows are filled.
  std::function<void()> on_suggestions_changed;

 private:
  void BuildDictionaryPanel();
  void BuildSuggestionRows();
  // Lays the panel out for a dictionary answer (no rows) or for `rows` suggestions.
  void Arrange(std::size_t rows);
  void Highlight(int entry);
  Control& NameOf(std::size_t row);
  // Each listed entry shows its item's icon as far as it has arrived.
  void ShowIcons();
  void Launch(std::size_t entry);
  // Up, Down, Tab, Enter and Escape while the panel lists suggestions. False for any other key,
  // or while it lists none.
  bool SuggestionKey(const KeyEvent& e);

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  CommandPages& commands_;
  Control* panel_ = nullptr;          // the dictionary panel
  Control* term_ = nullptr;           // its term label
  std::optional<CopiedNote> copied_;  // on the term label
  Control* result_ = nullptr;         // its read-only result box
  Control* hint_ = nullptr;           // the keys of the suggestions
  std::vector<Control*> rows_;
  std::vector<SuggestionEntry> suggestions_;
  int highlighted_ = -1;
  std::set<std::u16string> damage_said_;  // each damaged dictionary is said once a run
};

}  // namespace velmo
