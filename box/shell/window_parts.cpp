// The slide rule and hover-image buttons.
#include "box/shell/window_parts.h"

namespace velmo {

bool SlideTick(int& value, int step, int end) {
  value += step;
  if ((step < 0 && value <= end) || (step > 0 && value >= end)) {
    value = end;
    return true;
  }
  return false;
}

void MakeHoverButton(Control& button, const ImageList& list, int normal, std::u16string tool_tip) {
  button.image_list = &list;
  button.image = normal;
  button.tool_tip = std::move(tool_tip);
  button.on_mouse_move = [&button](const MouseEvent&) { ShowHoverImage(button); };
  button.on_mouse_leave = [&button] { RestoreNormalImage(button); };
}

// Normal images sit at odd indexes, hover images at the even index after them.
void ShowHoverImage(Control& button) {
  if (button.image % 2 == 1) ++button.image;
}

void RestoreNormalImage(Control& button) {
  if (button.image > 0 && button.image % 2 == 0) --button.image;
}

void RestoreButtonsOn(Control& surface) {
  for (auto& child : surface.children()) {
    if (child->kind == ControlKind::kPicture && child->image_list) RestoreNormalImage(*child);
  }
}

}  // namespace velmo
