// The main window model: home area, toolbar drawer, the ten pages and their
// slides, docking, transparency, key preview and the message panel.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "box/shell/artwork.h"
#include "box/shell/box_state.h"
#include "box/shell/docking.h"
#include "box/shell/message_panel.h"
#include "box/ui/form.h"

namespace velmo {

inline constexpr int kPageHiddenLeft = 4500;
inline constexpr int kDrawerCollapsedLeft = -3840;
inline constexpr std::u16string_view kRecentContent = u"最近打开的内容";
inline constexpr std::u16string_view kMainCaption = u"Velmo盒子";

// The help area's twelve lines.
const std::array<std::u16string_view, 12>& PrefixHelpLines();

// One page panel with its slide timers and what happens when a slide ends.
struct Page {
  Control* panel = nullptr;
  Control* title = nullptr;
  Control* back = nullptr;  // closes the page
  Timer* slide_in = nullptr;
  Timer* slide_out = nullptr;
  bool back_disables = true;  // the back button disables itself during the slide-out
  std::function<void()> after_in;
  std::function<void()> after_out;
};

enum class PageId {
  kMusic,
  kNotes,
  kItemList,
  kTools,
  kAddItem,
  kCleaner,
  kPhoneBook,
  kContactEdit,
  kClock,
  kExtensions,
};

class MainWindow {
 public:
  MainWindow(BoxState& state, Services& services);

  Form& form() { return form_; }
  // Start-up steps of the window (always on top, dock watch, countdown, page
  // placement, version label, help text, opacity), then the window is shown.
  void FinishStartup();

  void ShowMessage(const std::u16string& text, const std::u16string& title) {
    messages_.ShowMessage(text, title);
  }

  Page& page(PageId id) { return pages_[static_cast<size_t>(id)]; }
  void OpenPage(PageId id);
  void ClosePage(PageId id);
  Docking& docking() { return docking_; }
  const ImageLists& images() const { return images_; }
  Control& command_box() { return *command_box_; }

  // Later features attach here: the execute button and the recent-content label
  // run the command box; Ctrl+Alt+key presses drive the player.
  std::function<void()> on_execute;
  std::function<bool(const KeyEvent&)> on_player_key;
  // Start-up work that comes after the window's first picture; the start-up notice follows.
  std::function<void()> after_first_picture;
  // The player attaches here: the display name of the track while one plays.
  std::function<std::optional<std::u16string>()> playing_track;
  // The window title when no key has changed it: "Velmo盒子", or "Velmo盒子 - " and the track
  // that plays.
  std::u16string IdleCaption() const;

 private:
  void BuildHome();
  void BuildDrawer();
  void BuildPages();
  Page& AddPage(PageId id, const char* panel, const char* title_name, std::u16string title,
                const char* back, std::u16string back_tip, int back_image, const char* in_timer,
                const char* out_timer);
  void ClickHomeTile(int index);
  void HoverHomeTile(int index);
  void RestoreHome();
  void EnableHomeTiles();
  void ExpandDrawer();
  void CollapseDrawer();
  void PrintHelp();

  BoxState& state_;
  ImageLists images_;
  Form form_;
  Control* command_box_ = nullptr;
  std::array<Control*, 4> tiles_{};
  std::array<Control*, 4> overlays_{};
  Control* drawer_ = nullptr;
  Control* expand_ = nullptr;
  Control* collapse_ = nullptr;
  std::array<Page, 10> pages_{};
  Docking docking_;
  MessagePanel messages_;
};

}  // namespace velmo
