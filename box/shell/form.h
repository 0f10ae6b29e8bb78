// A window model: geometry in twips, caption and window-level state. Controls and timers are
// added by the window models that use it.
#pragma once

#include <string>

namespace velmo {

struct Form {
  std::u16string caption;
  int left = 0;  // twips, screen coordinates
  int top = 0;
  int width = 0;
  int height = 0;
  bool topmost = false;
  bool visible = false;
  int opacity = 255;  // 0..255
};

}  // namespace velmo
