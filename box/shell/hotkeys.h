// The box's two global hotkeys: one summons the box from anywhere and docks it away again, the
// other starts the capture tool. Registered at start-up, released at the end; a combination that
// another program holds is said once, and the box works on without it.
#pragma once

#include <functional>
#include <string>

#include "box/shell/main_window.h"
#include "box/shell/mini_window.h"
#include "box/shell/options_page.h"

namespace velmo {

class Hotkeys {
 public:
  enum Id { kShowBox = 1, kCapture = 2 };

  Hotkeys(MainWindow& window, MiniWindow& mini, OptionsPage& options, BoxState& state,
          GlobalHotkeys& system);

  // After the settings are loaded: the options row shows the keys, both hotkeys are registered,
  // and what could not be is added to the start-up notice.
  void FinishStartup();
  // At the end of the box.
  void Release();

  // The summoning hotkey: out with the keyboard and the command box's text selected, or, when the
  // box has the keyboard already, docked away with the keyboard handed back.
  void ShowPressed();
  // The capture hotkey starts the capture tool through this.
  std::function<void()> on_capture;

 private:
  // Registers the hotkey `id` from its text; what went wrong, as a sentence for the user, or "".
  std::u16string Register(Id id);
  void SwitchShowHotkey(bool on);

  MainWindow& window_;
  MiniWindow& mini_;
  OptionsPage& options_;
  BoxState& state_;
  GlobalHotkeys& system_;
  // The summoning keys as the row names them, and as the switch turns them on again.
  std::u16string show_keys_;
};

}  // namespace velmo
