// Text to speech.
#pragma once

#include <string>

namespace velmo {

class Speech {
 public:
  virtual ~Speech() = default;
  // Speaks synchronously. False when no speech engine could speak: callers treat that as
  // "no speech", never as an error.
  virtual bool Speak(const std::u16string& text) = 0;
};

}  // namespace velmo
