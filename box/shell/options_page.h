// The options page: five tabs over the whole window with the twelve switches of the settings,
// the pause list, the import from the Start Menu and the log folder button.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "box/controls/toggle_switch.h"
#include "box/shell/main_window.h"
#include "box/system/process_watch.h"

namespace velmo {

inline constexpr std::u16string_view kPauseListFilter = u"可执行文件(*.exe)|*.exe";

class OptionsPage {
 public:
  OptionsPage(MainWindow& window, BoxState& state, Services& services);

  // After App::Startup: the switches take the loaded settings, the pause list its programs.
  void FinishStartup();
  // The drawer's options button: tab 0, then the page.
  void Open();
  void SelectTab(int tab);

  // The import button; the item list fills it in (the record of what was imported).
  std::function<std::u16string()> import_from_start_menu;
  ProcessWatch& process_watch() { return watch_; }
  ToggleSwitch& switch_of(Setting s) { return *switches_[static_cast<std::size_t>(s) - 1]; }
  // The last row of tab 0: the hotkey that summons the box, its text named by its owner.
  Control& show_hotkey_row() { return *show_hotkey_row_; }
  ToggleSwitch& show_hotkey_switch() { return *show_hotkey_switch_; }

 private:
  void BuildTabs();
  void BuildGeneralTab(Control& tab);
  void BuildMusicTab(Control& tab);
  void BuildProgramsTab(Control& tab);
  void BuildCleanerTab(Control& tab);
  void BuildDebugTab(Control& tab);
  // A row of a tab: its text at `top`.
  Control& AddRow(Control& tab, const char* name, int top, std::u16string text);
  // The setting's switch at the right of its row's text.
  void AddSwitch(Control& tab, Setting s, const Control& row);
  Control& AddWarning(Control& tab, const char* name, int top, int height, std::u16string text);
  Control& AddButton(Control& tab, const char* name, int top, int image, std::u16string tool_tip);
  void AddToPauseList();
  void RemoveFromPauseList();
  void MirrorPauseList();

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  Control* page_ = nullptr;
  std::array<Control*, 5> tab_labels_{};
  std::array<Control*, 5> tabs_{};
  std::array<std::unique_ptr<ToggleSwitch>, 12> switches_{};
  Control* show_hotkey_row_ = nullptr;
  std::unique_ptr<ToggleSwitch> show_hotkey_switch_;
  Control* pause_list_ = nullptr;
  Control* import_record_ = nullptr;
  ProcessWatch watch_;
};

}  // namespace velmo
