#include "box/system/key_intercept.h"

namespace velmo {

KeyIntercept::KeyIntercept(Form& form, const Settings& settings, KeyboardHook& hook)
    : settings_(settings), hook_(hook) {
  Timer& settings_tick = form.timer("Timer37");
  settings_tick.on_tick = [this, old = std::move(settings_tick.on_tick)] {
    if (old) old();
    Follow();
  };
}

// Asked every tick: a hook the system refused is tried again at the next one.
void KeyIntercept::Follow() {
  if (settings_.Get(Setting::kKeyIntercept)) {
    hook_.Install();
  } else {
    hook_.Remove();
  }
}

}  // namespace velmo
