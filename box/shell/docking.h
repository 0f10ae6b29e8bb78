// Docking and transparency of the main window: the dock countdown, the dock
// watch with its hide and show slides, bottom-edge docking, and the settings
// tick that sets the opacity.
#pragma once

#include <cstdint>

#include "box/platform/screen.h"
#include "box/storage/settings.h"
#include "box/ui/form.h"

namespace velmo {

inline constexpr int kUndockedTop = 10;  // the start-up top, from which the countdown docks
inline constexpr int kDockedTop = -20;   // where the countdown parks the window
inline constexpr int kDockStrip = 50;    // twips of a hidden top-docked window left on screen
inline constexpr int kDockSlideStep = 500;
inline constexpr int kBelowScreen = 50;  // a hidden bottom-docked window stands this far below
inline constexpr int kHalfTransparent = 127;

class Docking {
 public:
  Docking(Form& form, Screen& screen, const Settings& settings);

  // Start-up: the dock watch on, both slides off, the countdown at 3.
  void Start();
  // Pointer activity over the window keeps it where it is.
  void StopHideSlide() { hide_.Stop(); }
  // The window stands whole at the top of the screen, `left` twips from its left edge, as after
  // start-up: it docks when the countdown has run out and the pointer is elsewhere.
  void ShowWhole(int left);

  // Called from the keyboard: the window comes out from its docked edge (or stays where it
  // stands) and stays out while it has the keyboard, wherever the pointer is.
  void Summon();
  // Docks the window away as when the pointer leaves it; a pointer resting over it brings it back
  // only after it has been outside once.
  void DockAway();
  // Shown whole (or standing free), not hidden at an edge or sliding away.
  bool Shown() const;

  std::int16_t countdown() const { return countdown_; }
  int opacity_byte() const { return opacity_byte_; }
  void set_opacity_byte(int b) { opacity_byte_ = b; }

 private:
  void CountdownTick();
  void WatchTick();
  void HideTick();
  void ShowTick();
  void SettingsTick();
  static bool CursorOutside(PixelPoint p, const PixelRect& window);

  Form& form_;
  Screen& screen_;
  const Settings& settings_;
  std::int16_t countdown_ = 3;
  // Out from the keyboard: the host answers a request for the keyboard at once, so a window
  // without it at the next tick has lost it, or the system refused it.
  bool summoned_ = false;
  bool dismissed_ = false;  // docked away from the keyboard, the pointer not yet outside
  int opacity_byte_ = 255;
  Timer& watch_;
  Timer& hide_;
  Timer& show_;
  Timer& countdown_timer_;
  Timer& settings_tick_;
};

}  // namespace velmo
