// Switch 10 (全局按键拦截): while it is on, the keyboard hook discards every key typed anywhere on
// the desktop. The settings tick (Timer37) installs or removes the hook at each tick as the
// switch stands, so the keyboard comes back within one tick of the switch being turned off
// with the mouse; shut-down removes it (App::Shutdown).
#pragma once

#include "box/platform/keyboard_hook.h"
#include "box/storage/settings.h"
#include "box/ui/form.h"

namespace velmo {

class KeyIntercept {
 public:
  KeyIntercept(Form& form, const Settings& settings, KeyboardHook& hook);

 private:
  void Follow();

  const Settings& settings_;
  KeyboardHook& hook_;
};

}  // namespace velmo
