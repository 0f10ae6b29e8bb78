// The progress bar: a mask with a coloured stick growing from its left edge. The stick's width
// holds the value, a percentage; the panel tells a screen reader a progress bar of that value.
#pragma once

#include <string>

#include "box/platform/dialogs.h"
#include "box/ui/form.h"

namespace velmo {

class ProgressBar {
 public:
  // Adds the bar as the panel `name` at (left, top) of `parent`, with its mask "<name>.Picture1"
  // filling it, the stick "<name>.Picture2" inside the mask and the mask's frame over both. A new
  // bar stands at 50, blue on white, without a frame.
  ProgressBar(Form& form, Control& parent, const std::string& name, int left, int top, int width,
              int height, Dialogs& dialogs);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Rounded to three decimals.
  float Value() const;
  // 0 to 100, both included. Any other value is refused with the system's error box and leaves
  // the bar as it was.
  void SetValue(float value);
  Color StickColor() const { return stick_->back_color; }
  void SetStickColor(Color c) { stick_->back_color = c; }
  Color MaskColor() const { return mask_->back_color; }
  void SetMaskColor(Color c) { mask_->back_color = c; }
  bool ShowBorder() const { return frame_->visible; }
  void SetShowBorder(bool on) { frame_->visible = on; }
  // A new size for the whole bar; the value stays.
  void Resize(int width, int height);

  Control& panel() { return *panel_; }

 private:
  Control* panel_;
  Control* mask_;
  Control* stick_;
  Control* frame_;
  Dialogs& dialogs_;
};

}  // namespace velmo
