// A system-wide low-level keyboard hook that discards every key typed anywhere on the desktop.
#pragma once

namespace velmo {

class KeyboardHook {
 public:
  virtual ~KeyboardHook() = default;
  // Installs the hook unless it is installed already: there is never more than one. False when
  // the system refused it; nothing is kept then, so the next call tries again.
  virtual bool Install() = 0;
  // Removes the hook if it is installed; afterwards none is, whatever the system answered.
  virtual void Remove() = 0;
};

}  // namespace velmo
