// The command box, the item list page, the add-item page and the extensions page of the main
// window: their controls, and the handlers that connect them to the command operations.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "box/command/command_box.h"
#include "box/command/command_keys.h"
#include "box/command/command_surface.h"
#include "box/command/extensions.h"
#include "box/command/icon_cache.h"
#include "box/command/item_list.h"
#include "box/command/pinyin_match.h"
#include "box/shell/main_window.h"
#include "box/storage/pinyin_table.h"

namespace velmo {

inline constexpr int kInputCheckMs = 100;   // Timer3: the add-item page's confirm button
inline constexpr int kItemIconTwips = 240;  // the system's small icon at 96 dpi
inline constexpr int kIconCollectMs = 30;   // TimerIcons, while icons are on their way

class CommandPages final : public CommandSurface {
 public:
  // `readings` are the pinyin the item names are matched by as the user types.
  CommandPages(MainWindow& window, BoxState& state, Services& services,
               const PinyinReadings& readings = UnihanPinyin());

  // After App::Startup: the item list shows what App.sd held and the path box follows switch 5.
  void FinishStartup();
  // Runs the command box's text and empties the box unless the text is a look-up.
  void Run();
  // A suggestion taken from the preview panel: item `index` launches as by its exact name, and
  // the box is emptied.
  void LaunchSuggestion(std::size_t index);
  // Starts an extension as "$" + name in the command box does.
  void RunExtension(const std::u16string& name) { command_box_.RunExtension(name); }
  // The options page's import button; `log` is its import record box.
  void ImportFromStartMenu(std::u16string& log) { items_.ImportFromStartMenu(log); }

  ItemList& item_list() { return items_; }
  // The system's icon of an item's path at the screen's size; nullptr until it has arrived, and
  // on_icons_arrived says when more have.
  std::shared_ptr<const IconPixels> ItemIcon(const std::u16string& path);
  std::function<void()> on_icons_arrived;
  // The item names as typing finds them, kept in step with the item list and ranked by use.
  const PinyinMatcher& item_names() const { return item_names_; }
  Extensions& extensions() { return extensions_; }

  // CommandSurface.
  void ShowMessage(const std::u16string& text, const std::u16string& title) override;
  void SetRecentContent(const std::u16string& caption) override;
  void RestoreRecentContent() override;
  void FocusWindow() override;

 private:
  // The path box of the add-item page accepts typing exactly while switch 5 is on; applied at
  // start-up and on every tick of the settings tick (Timer37).
  void ApplyPathSetting();
  void WireCommandBox();
  void RunCommandKey(CommandKey key);
  void BuildItemListPage();
  void BuildAddItemPage();
  void BuildExtensionsPage();
  void MirrorItems(const ListChange& change);
  void MirrorExtensions();
  // Each entry of the item list gets its path's icon at the screen's size, as far as it has
  // arrived; the collecting tick runs until none is on its way.
  void RefreshIcons();
  void CloseItemListPage();
  void Find();
  void Browse();
  void Confirm();

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  ItemList items_;
  Extensions extensions_;
  CommandBox command_box_;
  PinyinMatcher item_names_;
  IconCache icons_;
  bool list_icons_wanted_ = false;  // the item list page has been opened
  Control& recent_;
  Control* list1_ = nullptr;  // item names, the visible list
  Control* list4_ = nullptr;  // item paths, hidden
  Control* search_ = nullptr;
  Control* name_box_ = nullptr;
  Control* path_box_ = nullptr;
  Control* path_field_ = nullptr;  // the rounded field around it
  Control* confirm_ = nullptr;
  Control* extension_list_ = nullptr;
};

}  // namespace velmo
