// The tools page's tiles that start system programs, and the drawer's system buttons: Computer,
// Recycle Bin (a left click opens it, a right click empties it), shut down, restart and sleep.
// The tiles that open other pages belong to those pages.
#pragma once

#include "box/shell/box_state.h"
#include "box/shell/main_window.h"

namespace velmo {

// Starts a system tool's command line in a normal window. When it does not start, the message
// panel says so, naming the tool and its program.
void StartTool(Launcher& launcher, MainWindow& window, std::u16string_view command_line,
               std::u16string_view name);

class ToolsPage {
 public:
  ToolsPage(MainWindow& window, BoxState& state, Services& services);

 private:
  void EmptyRecycleBin();
  void Start(std::u16string_view command_line, std::u16string_view name);

  MainWindow& window_;
  BoxState& state_;
  Services& services_;
};

}  // namespace velmo
