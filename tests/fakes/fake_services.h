// Scripted stand-ins for the small platform services.
#pragma once

#include <string>
#include <vector>

#include "box/platform/clock.h"
#include "box/platform/instance_lock.h"
#include "box/platform/screen.h"
#include "box/platform/speech.h"

namespace velmo {

class FakeSpeech final : public Speech {
 public:
  bool Speak(const std::u16string& text) override {
    spoken.push_back(text);
    return works;
  }
  std::vector<std::u16string> spoken;
  bool works = true;
};

class FakeInstanceLock final : public InstanceLock {
 public:
  bool Acquire(const std::u16string& name) override {
    acquired_name = name;
    return !held_elsewhere;
  }
  bool held_elsewhere = false;
  std::u16string acquired_name;
};

// A 1280 x 800 pixel screen at 96 dpi unless a test says otherwise.
class FakeScreen final : public Screen {
 public:
  int WidthTwips() override { return width_px * twips_per_pixel; }
  int HeightTwips() override { return height_px * twips_per_pixel; }
  int TwipsPerPixel() override { return twips_per_pixel; }
  PixelPoint CursorPosition() override { return cursor; }

  int width_px = 1280;
  int height_px = 800;
  int twips_per_pixel = 15;
  PixelPoint cursor;
};

class FakeClock final : public Clock {
 public:
  LocalTime Now() override { return now; }
  std::int64_t MonotonicMs() override { return monotonic_ms; }
  LocalTime now{2026, 12, 8, 9, 30, 0};
  std::int64_t monotonic_ms = 0;
};

}  // namespace velmo
