// The tools page's tiles that start system programs, and the drawer's system buttons: Computer,
// Recycle Bin (a left click opens it, a right click empties it), shut down, restart and sleep.
// The tiles that open other pages belong to those pages.
#pragma once

#include "box/shell/box_state.h"
#include "box/shell/main_window.h"

namespace velmo {

class ToolsPage {
 public:
  ToolsPage(MainWindow& window, BoxState& state, Services& services);

 private:
  void EmptyRecycleBin();
  void Start(std::u16string_view command_line);

  MainWindow& window_;
  BoxState& state_;
  Services& services_;
};

}  // namespace velmo
