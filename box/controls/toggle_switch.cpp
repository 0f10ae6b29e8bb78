#include "box/controls/toggle_switch.h"

namespace velmo {
namespace {

constexpr int kTrackHeight = 300;
constexpr int kKnobSize = 195;
constexpr int kKnobTop = 60;
// One tick of a slide off; a slide on steps back. Ten of them carry the on colour exactly to
// the off colour: (51, 255, 84) + 10 * (15, -5, 12) = (201, 205, 204).
constexpr int kRedStep = 15, kGreenStep = -5, kBlueStep = 12;

int Red(Color c) { return static_cast<int>(c & 0xFF); }
int Green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace

ToggleSwitch::ToggleSwitch(Form& form, Control& parent, const std::string& name, int left,
                           int top)
    : panel_(&form.Add(parent, ControlKind::kPanel, name)),
      knob_(nullptr),
      slide_off_(form.AddTimer(name + ".Timer1", kSwitchTickMs, [this] { SlideTick(-1); })),
      slide_on_(form.AddTimer(name + ".Timer2", kSwitchTickMs, [this] { SlideTick(+1); })) {
  panel_->left = left;
  panel_->top = top;
  panel_->width = kSwitchWidth;
  panel_->height = kSwitchHeight;
  // A circle, a square and a circle make the pill.
  const std::array<std::pair<ShapeKind, int>, 3> parts = {
      {{ShapeKind::kCircle, 0}, {ShapeKind::kSquare, 120}, {ShapeKind::kCircle, 240}}};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Control& shape = form.Add(*panel_, ControlKind::kShape, name + ".Shape1", static_cast<int>(i));
    shape.shape = parts[i].first;
    shape.left = parts[i].second;
    shape.width = kTrackHeight;
    shape.height = kTrackHeight;
    track_[i] = &shape;
  }
  knob_ = &form.Add(*panel_, ControlKind::kShape, name + ".Shape2");
  knob_->shape = ShapeKind::kCircle;
  knob_->top = kKnobTop;
  knob_->width = kKnobSize;
  knob_->height = kKnobSize;
  knob_->fill_color = Rgb(255, 255, 255);
  panel_->access.role = AccessInfo::Role::kCheckButton;
  Place(kKnobOn);
  Fill(kSwitchOnColor);
  panel_->on_click = [this](const MouseEvent&) { Click(); };
}

void ToggleSwitch::SetValue(bool on) {
  slide_off_.Stop();
  slide_on_.Stop();
  Fill(on ? kSwitchOnColor : kSwitchOffColor);
  Place(on ? kKnobOn : kKnobOff);
}

void ToggleSwitch::Click() {
  // A click during a slide turns it round from where the knob and the colour stand; the other
  // way both slides would run at once and cancel out, so that neither ever ended.
  if (slide_off_.enabled || slide_on_.enabled) {
    bool was_off = slide_off_.enabled;
    slide_off_.Stop();
    slide_on_.Stop();
    (was_off ? slide_on_ : slide_off_).Start();
    return;
  }
  Color from = Value() ? kSwitchOnColor : kSwitchOffColor;
  red_ = static_cast<std::int16_t>(Red(from));
  green_ = static_cast<std::int16_t>(Green(from));
  blue_ = static_cast<std::int16_t>(Blue(from));
  (Value() ? slide_off_ : slide_on_).Start();
}

void ToggleSwitch::SlideTick(int direction) {
  red_ = static_cast<std::int16_t>(red_ - direction * kRedStep);
  green_ = static_cast<std::int16_t>(green_ - direction * kGreenStep);
  blue_ = static_cast<std::int16_t>(blue_ - direction * kBlueStep);
  Fill(Rgb(red_, green_, blue_));
  int left = knob_->left + direction * kKnobStep;
  if (direction > 0 && left >= kKnobOn) {
    SetValue(true);
  } else if (direction < 0 && left <= kKnobOff) {
    SetValue(false);
  } else {
    Place(left);
  }
}

void ToggleSwitch::Fill(Color c) {
  for (Control* shape : track_) shape->fill_color = c;
}

void ToggleSwitch::Place(int knob_left) {
  bool before = Value();
  knob_->left = knob_left;
  panel_->access.checked = Value();
  if (Value() != before && on_change) on_change(Value());
}

}  // namespace velmo
