// Global hotkeys: key combinations that reach the box whatever program has the keyboard.
#pragma once

#include <functional>

namespace velmo {

// A key with the modifiers that must be held with it.
struct Hotkey {
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  bool win = false;
  int key = 0;  // virtual key code: 'A'..'Z', '0'..'9', 0x70 F1 .. 0x87 F24, 32 Space...
  bool operator==(const Hotkey&) const = default;
};

enum class HotkeyRegistration {
  kRegistered,
  kTaken,   // another program, or another hotkey of the box, holds the combination
  kFailed,  // the system refused it for another reason
};

class GlobalHotkeys {
 public:
  virtual ~GlobalHotkeys() = default;
  // `id` (0 to 0xBFFF) must not be registered already. Holding the keys down calls `pressed`
  // once, on the window's thread.
  virtual HotkeyRegistration Register(int id, const Hotkey& keys,
                                      std::function<void()> pressed) = 0;
  // Releases the hotkey; an id that is not registered is left alone.
  virtual void Unregister(int id) = 0;
};

}  // namespace velmo
