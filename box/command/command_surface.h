// What the command operations need from the main window: the message panel, the recent-content
// label and the focus. The main window implements it; tests record it.
#pragma once

#include <string>

namespace velmo {

inline constexpr std::u16string_view kTitleInvalidCommand = u"命令无效";

class CommandSurface {
 public:
  virtual ~CommandSurface() = default;
  // The message panel: beeps and slides up with the text and its title.
  virtual void ShowMessage(const std::u16string& text, const std::u16string& title) = 0;
  // The recent-content label's caption; Restore puts back its default text (kept as its tag).
  virtual void SetRecentContent(const std::u16string& caption) = 0;
  virtual void RestoreRecentContent() = 0;
  // Gives the focus back to the main window after a launch: its keyboard stays in the box that
  // had it, or goes to the command box, so that the next line typed arrives.
  virtual void FocusWindow() = 0;
};

}  // namespace velmo
