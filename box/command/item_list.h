// The item list: the user's named programs, batch files, documents, shortcuts and folders,
// held as the pair (names, paths) of BoxState::lists.items, and the operations on it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "box/command/command_surface.h"
#include "box/shell/box_state.h"

namespace velmo {

inline constexpr std::size_t kMaxItemNameLength = 20;

// A command prefix first, in either punctuation mode ("!" or "！"): such a name would read as a
// command.
bool StartsWithCommandPrefix(std::u16string_view name);
// The last four characters, lower-cased, are ".exe" or ".bat": started as a program, anything
// else goes to the desktop shell.
bool IsProgramPath(std::u16string_view path);

enum class AddOutcome { kIncomplete, kInvalidName, kDuplicate, kAdded };

// What one change did to the pair: from `at` on, `removed` entries went and the `inserted`
// entries now there came.
struct ListChange {
  std::size_t at = 0;
  std::size_t removed = 0;
  std::size_t inserted = 0;
};

class ItemList {
 public:
  ItemList(BoxState& state, Services& services, CommandSurface& surface);

  const ListPair& items() const { return state_.lists.items.list; }

  // The add-item page's confirm button. kDuplicate asks the page to empty the name box,
  // kAdded to enable the visible list and close the page. A name holding "*" anywhere is
  // refused like a prefix: App.sd would split it there.
  AddOutcome AddItem(const std::u16string& name, const std::u16string& path);
  // False when `index` names no item. Returns true after removing it.
  bool Delete(int index);
  // False when the list was already empty.
  bool Clear();
  // Double-click on an item, or the keypad minus key in the visible list.
  void LaunchSelectedItem(int selected);
  // The search box of the item list page; the page empties the box afterwards.
  void FindAndInvoke(const std::u16string& text);
  // Run's item search: launches the item named exactly `text`. A launch counts as a use of
  // the item (BoxState::usage).
  void LaunchByName(const std::u16string& text);
  // A suggestion of the command box taken: item `index` launches as Run launches it by name.
  void LaunchSuggested(std::size_t index);
  // Repeats the open-file dialog until cancelled, appending every chosen file as an item and
  // its path and a line break to `log`, which is emptied first. The dialog opens in the
  // all-users Start Menu "Programs" folder, or where the system chooses when it names none.
  void ImportFromStartMenu(std::u16string& log);

  // Called after every change of the pair, so that the page can mirror it.
  std::function<void(const ListChange&)> on_items_changed;
  // Called after a launch through the command box counted a use of the item of that name.
  std::function<void(const std::u16string& name)> on_used;

 private:
  ListPair& list() { return state_.lists.items.list; }
  enum class NameSearch { kCommandBox, kFindAndInvoke };
  void InvokeByName(const std::u16string& text, NameSearch search);
  void InvokeAt(std::size_t index, NameSearch search);
  static std::u16string WhatIsSought(NameSearch search);
  // Says why nothing started and puts back the recent-content label.
  void Fail(const std::u16string& message);
  // Program paths start as program files, anything else through the desktop shell.
  bool StartItem(const std::u16string& path);
  void Changed(ListChange change);

  BoxState& state_;
  Services& services_;
  CommandSurface& surface_;
};

}  // namespace velmo
