// Putting the PC to sleep.
#pragma once

namespace velmo {

class Power {
 public:
  virtual ~Power() = default;
  // Asks the system to sleep (never to hibernate) and returns at once. False when the system
  // offers no way to ask.
  virtual bool Suspend() = 0;
};

}  // namespace velmo
