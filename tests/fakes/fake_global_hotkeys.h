// Global hotkeys under Windows' rules: a combination held by another program or by another
// hotkey of the box is refused (ERROR_HOTKEY_ALREADY_REGISTERED), and registering an id again
// keeps the old registration beside the new one until it is released.
#pragma once

#include <functional>
#include <vector>

#include "box/platform/global_hotkeys.h"

namespace velmo {

class FakeGlobalHotkeys final : public GlobalHotkeys {
 public:
  HotkeyRegistration Register(int id, const Hotkey& keys, std::function<void()> pressed) override {
    if (id < 0 || id > 0xBFFF) return HotkeyRegistration::kFailed;
    for (const Hotkey& held : held_elsewhere) {
      if (held == keys) return HotkeyRegistration::kTaken;
    }
    for (const Entry& e : registered) {
      if (e.keys == keys) return HotkeyRegistration::kTaken;
    }
    registered.push_back({id, keys, std::move(pressed)});
    return HotkeyRegistration::kRegistered;
  }
  void Unregister(int id) override {
    for (auto it = registered.begin(); it != registered.end(); ++it) {
      if (it->id == id) {
        registered.erase(it);
        return;
      }
    }
  }

  // The user presses the combination: the box hears it when it holds it.
  bool Press(const Hotkey& keys) {
    for (Entry& e : registered) {
      if (e.keys == keys) {
        // A copy: the handler may release the hotkey it runs for.
        std::function<void()> pressed = e.pressed;
        pressed();
        return true;
      }
    }
    return false;
  }
  bool Holds(const Hotkey& keys) const {
    for (const Entry& e : registered) {
      if (e.keys == keys) return true;
    }
    return false;
  }

  struct Entry {
    int id;
    Hotkey keys;
    std::function<void()> pressed;
  };
  std::vector<Entry> registered;
  std::vector<Hotkey> held_elsewhere;  // combinations other programs registered first
};

}  // namespace velmo
