// The dock watch compares the cursor, in pixels, with the window's twips
// converted by the screen's twips per pixel (15 at 96 dpi).
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

void Docking::CountdownTick() {
  // The counter rests at 0 instead of running down to the 16-bit limit.
  if (countdown_ > 0) --countdown_;
  if (form_.top == 10 && countdown_ < 1) {
    countdown_timer_.Stop();
    form_.top = kDockedTop;
  }
}

bool Docking::CursorOutside(PixelPoint p, int tpp) const {
  // Compared in twips, which is the pixel comparison multiplied through by tpp.
  int x = p.x * tpp, y = p.y * tpp;
  return y > form_.top + form_.height || x > form_.left + form_.width || x < form_.left;
}

void Docking::WatchTick() {
  int tpp = screen_.TwipsPerPixel();
  if (tpp <= 0) return;
  PixelPoint p = screen_.CursorPosition();
  int x = p.x * tpp;
  bool over_span = form_.left < x && x < form_.left + form_.width;
  if (form_.top <= 0) {
    if (CursorOutside(p, tpp)) {
      hide_.Start();
      return;
    }
    if (over_span) {
      show_.Start();
      return;
    }
  }
  int screen_height = screen_.HeightTwips();
  if (screen_height - form_.height > form_.top) return;
  if (CursorOutside(p, tpp)) {
    form_.top = screen_height + kBelowScreen;
    return;
  }
  // The two lowest pixel rows of the screen.
  if (over_span && p.y > screen_height / tpp - 3) form_.top = screen_height - form_.height;
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
  int tpp = screen_.TwipsPerPixel();
  PixelPoint p = screen_.CursorPosition();
  int x = p.x * tpp, y = p.y * tpp;
  bool over = x > form_.left && x < form_.left + form_.width && y > form_.top &&
              y < form_.top + form_.height;
  opacity_byte_ = over ? 255 : kHalfTransparent;
  form_.layered = true;
  form_.opacity = settings_.Get(Setting::kTransparentUI) ? opacity_byte_ : 255;
}

}  // namespace velmo
