// Extensions: the programs and shortcuts in the Plugins folder beside the box, listed by name
// on the extensions page and started by double-click or by "$name" in the command box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "box/command/command_surface.h"
#include "box/shell/box_state.h"

namespace velmo {

class Extensions {
 public:
  Extensions(BoxState& state, Services& services, CommandSurface& surface);

  // Each entry is a file name without its last four characters.
  const std::vector<std::u16string>& entries() const { return entries_; }
  int selected() const { return selected_; }
  void Select(int index);

  std::u16string Folder() const;
  // Appends one entry per file directly in the folder whose name ends in "exe" or "lnk" (these
  // lower-case letters only), in the file system's order. The list is not emptied first.
  void ScanExtensions();
  // Empties the list, then scans: the list shows the folder as it is now.
  void Rescan();
  // Starts the selected entry: its ".exe" when one exists, else its ".lnk" through the shell.
  void LaunchExtension();
  // A file window on the folder.
  void OpenFolder();

  // Called after every change of the entries or the selection, so that the page can mirror it.
  std::function<void()> on_change;

 private:
  void Changed();

  BoxState& state_;
  Services& services_;
  CommandSurface& surface_;
  std::vector<std::u16string> entries_;
  int selected_ = -1;
};

}  // namespace velmo
