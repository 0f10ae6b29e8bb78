// The on/off switch: a pill-shaped track of three shapes and a round white knob that slides
// right (on, green) or left (off, grey) with a fading colour when clicked. The knob's position
// holds the state; the panel tells a screen reader a check button, checked while it is on.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "box/ui/form.h"

namespace velmo {

inline constexpr int kSwitchWidth = 570;  // twips
inline constexpr int kSwitchHeight = 345;
inline constexpr int kKnobOn = 300;  // the knob's left
inline constexpr int kKnobOff = 30;
inline constexpr int kKnobStep = 27;
inline constexpr int kSwitchTickMs = 25;
inline constexpr Color kSwitchOnColor = Rgb(51, 255, 84);
inline constexpr Color kSwitchOffColor = Rgb(201, 205, 204);

class ToggleSwitch {
 public:
  // Adds the switch as the panel `name` at (left, top) of `parent`, on (a new switch's knob
  // stands at the right). Its two slide timers are "<name>.Timer1" (off) and "<name>.Timer2" (on).
  ToggleSwitch(Form& form, Control& parent, const std::string& name, int left, int top);
  ToggleSwitch(const ToggleSwitch&) = delete;
  ToggleSwitch& operator=(const ToggleSwitch&) = delete;

  bool Value() const { return knob_->left > kKnobOff; }
  // Moves the knob and sets the track's colour at once, without a slide; a running slide ends.
  void SetValue(bool on);
  // Told whenever Value changes: by a write, or by the tick of a slide that moves the knob
  // across its off position.
  std::function<void(bool)> on_change;

  Control& panel() { return *panel_; }

 private:
  void Click();
  void SlideTick(int direction);  // +1 on, -1 off
  void Fill(Color c);
  void Place(int knob_left);  // moves the knob and tells a change of Value

  Control* panel_;
  std::array<Control*, 3> track_{};
  Control* knob_;
  Timer& slide_off_;
  Timer& slide_on_;
  // The track's colour during a slide.
  std::int16_t red_ = 0, green_ = 0, blue_ = 0;
};

}  // namespace velmo
