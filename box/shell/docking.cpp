// The dock watch and the settings tick compare the cursor, in pixels, with the window's
// rectangle converted at the screen's dpi exactly as the host places the window.
#include "box/shell/docking.h"

namespace velmo {

Docking::Docking(Form& form, Screen& screen, const Settings& settings)
    : form_(form),
      screen_(screen),
      settings_(settings),
      watch_(form.AddTimer("Timer6", 100, [this] { WatchTick(); })),
      hide_(form.AddTimer("Timer7", 10, [this] { HideTick(); })),
      show_(form.AddTimer("Timer8", 10, [this] { ShowTick(); })),
      countdown_timer_(form.AddTimer("Timer10", 800, [this] { CountdownTick(); })),
      settings_tick_(form.AddTimer("Timer37", 100, [this] { SettingsTick(); })) {
  countdown_timer_.Start();
  settings_tick_.Start();
}

void Docking::Start() {
  watch_.interval_ms = 100;
  watch_.Start();
  show_.Stop();
  hide_.Stop();
  countdown_ = 3;
}

void Docking::ShowWhole(int left) {
  hide_.Stop();
  show_.Stop();
  form_.left = left;
  form_.top = kUndockedTop;
  countdown_ = 3;
  countdown_timer_.Start();
}

void Docking::CountdownTick() {
  // The counter rests at 0 instead of running down to the 16-bit limit.
  if (countdown_ > 0) --countdown_;
  if (form_.top == kUndockedTop && countdown_ < 1) {
    countdown_timer_.Stop();
    form_.top = kDockedTop;
  }
}

bool Docking::CursorOutside(PixelPoint p, const PixelRect& w) {
  return p.y > w.bottom || p.x > w.right || p.x < w.left;
}

void Docking::Summon() {
  hide_.Stop();
  summoned_ = true;
  dismissed_ = false;
  int screen_height = screen_.HeightTwips();
  if (form_.top <= 0) {
    show_.Start();
  } else if (form_.top >= screen_height) {
    form_.top = screen_height - form_.height;
  }
}

void Docking::DockAway() {
  summoned_ = false;
  dismissed_ = true;
  show_.Stop();
  int screen_height = screen_.HeightTwips();
  if (form_.top <= 0) {
    hide_.Start();
  } else if (screen_height - form_.height <= form_.top) {
    form_.top = screen_height + kBelowScreen;
  }
}

bool Docking::Shown() const {
  if (!form_.visible || hide_.enabled) return false;
  if (form_.top <= 0) return form_.top >= kDockedTop;
  return form_.top < screen_.HeightTwips();
}

void Docking::WatchTick() {
  if (summoned_) {
    if (form_.active) return;
    summoned_ = false;
  }
  PixelScale scale = screen_.Scale();
  PixelRect w = scale.Rect(form_.left, form_.top, form_.width, form_.height);
  PixelPoint p = screen_.CursorPosition();
  bool over_span = w.left < p.x && p.x < w.right;
  if (CursorOutside(p, w)) dismissed_ = false;
  if (form_.top <= 0) {
    if (CursorOutside(p, w)) {
      hide_.Start();
      return;
    }
    if (over_span && !dismissed_) {
      show_.Start();
      return;
    }
  }
  int screen_height = screen_.HeightTwips();
  if (screen_height - form_.height > form_.top) return;
  if (CursorOutside(p, w)) {
    form_.top = screen_height + kBelowScreen;
    return;
  }
  // The two lowest pixel rows of the screen.
  if (over_span && !dismissed_ && p.y > screen_.HeightPixels() - 3) {
    form_.top = screen_height - form_.height;
  }
}

void Docking::HideTick() {
  show_.Stop();
  form_.top -= kDockSlideStep;
  if (form_.top + form_.height <= kDockStrip) {
    form_.top = kDockStrip - form_.height;
    hide_.Stop();
  }
}

void Docking::ShowTick() {
  hide_.Stop();
  if (form_.top >= -kDockSlideStep) {
    form_.top = 0;
    show_.Stop();
  } else {
    form_.top += kDockSlideStep;
  }
}

void Docking::SettingsTick() {
  PixelRect w = screen_.Scale().Rect(form_.left, form_.top, form_.width, form_.height);
  PixelPoint p = screen_.CursorPosition();
  bool over = p.x > w.left && p.x < w.right && p.y > w.top && p.y < w.bottom;
  opacity_byte_ = over ? 255 : kHalfTransparent;
  form_.layered = true;
  form_.opacity = settings_.Get(Setting::kTransparentUI) ? opacity_byte_ : 255;
}

}  // namespace velmo
