#include "box/controls/progress_bar.h"

#include <cmath>

namespace velmo {
namespace {

// The stick starts one pixel left of the mask, where the mask's frame hides its own left edge.
constexpr int kStickLeft = -15;
constexpr int kStickExtra = 15;

}  // namespace

ProgressBar::ProgressBar(Form& form, Control& parent, const std::string& name, int left, int top,
                         int width, int height, Dialogs& dialogs)
    : panel_(&form.Add(parent, ControlKind::kPanel, name)),
      mask_(&form.Add(*panel_, ControlKind::kPanel, name + ".Picture1")),
      stick_(&form.Add(*mask_, ControlKind::kPanel, name + ".Picture2")),
      frame_(&form.Add(*mask_, ControlKind::kShape, name + ".Frame")),
      dialogs_(dialogs) {
  panel_->left = left;
  panel_->top = top;
  stick_->left = kStickLeft;
  frame_->shape = ShapeKind::kRectangle;
  frame_->border_color = Rgb(0, 0, 0);
  panel_->access.role = AccessInfo::Role::kProgressBar;
  Resize(width, height);
  SetValue(50);
  SetStickColor(Rgb(51, 153, 255));
  SetMaskColor(Rgb(255, 255, 255));
  SetShowBorder(false);
}

float ProgressBar::Value() const {
  if (mask_->width <= 0) return 0;
  double value = static_cast<double>(stick_->width - kStickExtra) / mask_->width * 100;
  return static_cast<float>(std::round(value * 1000) / 1000);
}

void ProgressBar::SetValue(float value) {
  if (!(value >= 0 && value <= 100)) {
    dialogs_.ShowError(u"无效属性值。Value的值介于0-100之间，且包括0和100。", u"错误提示");
    return;
  }
  stick_->width = static_cast<int>(std::lround(value / 100.0 * mask_->width)) + kStickExtra;
  panel_->access.value = Value();
}

void ProgressBar::Resize(int width, int height) {
  float value = mask_->width > 0 ? Value() : 0;
  panel_->width = mask_->width = frame_->width = width;
  panel_->height = mask_->height = frame_->height = stick_->height = height;
  stick_->width = static_cast<int>(std::lround(width * value / 100.0)) + kStickExtra;
  panel_->access.value = Value();
}

}  // namespace velmo
