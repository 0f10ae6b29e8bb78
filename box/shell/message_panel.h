// The message panel: the one channel for notices to the user. ShowMessage beeps
// and slides PicMessage up over the window; its close button or the space bar
// slides it back down.
#pragma once

#include <functional>
#include <string>

#include "box/shell/artwork.h"
#include "box/ui/form.h"

namespace velmo {

inline constexpr int kMessageStartTop = 6000;
inline constexpr int kMessageRestTop = 5700;

class MessagePanel {
 public:
  // focus_command_box runs when the panel has slid down.
  MessagePanel(Form& form, const ImageList& image_list1, std::function<void()> focus_command_box);

  void ShowMessage(const std::u16string& text, const std::u16string& title);
  void Close();

  Control& panel() { return panel_; }

 private:
  void SlideUpTick();
  void SlideDownTick();

  Form& form_;
  std::function<void()> focus_command_box_;
  Control& panel_;
  Control& title_;
  Control& text_;
  Control& close_;
  Timer& slide_up_;
  Timer& slide_down_;
};

}  // namespace velmo
