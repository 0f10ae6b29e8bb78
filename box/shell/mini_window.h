// The mini window: a small round badge that stands in for the main window. The drawer's button
// swaps the box for it; a drag moves it, a double-click brings the box back. It shows again
// where it was dropped for as long as the box runs.
#pragma once

#include "box/platform/screen.h"
#include "box/shell/main_window.h"
#include "box/ui/form.h"

namespace velmo {

inline constexpr std::u16string_view kMiniCaption = u"Velmo迷你窗口";

class MiniWindow {
 public:
  MiniWindow(MainWindow& main, Screen& screen);

  Form& form() { return form_; }
  // Centred near the top of the screen until the user drags it.
  void FinishStartup();
  // The badge shows, then the box hides; its timers go on.
  void Show();
  // The box shows whole at the top of the screen above the pointer, with the keyboard, then the
  // badge goes.
  void Restore();

 private:
  MainWindow& window_;
  Form& main_;
  Screen& screen_;
  Form form_;
};

}  // namespace velmo
