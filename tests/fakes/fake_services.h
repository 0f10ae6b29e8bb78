// Scripted stand-ins for the small platform services.
#pragma once

#include <string>
#include <vector>

#include "box/platform/clock.h"
#include "box/platform/instance_lock.h"
#include "box/platform/power.h"
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

class FakePower final : public Power {
 public:
  bool Suspend() override {
    ++suspended;
    return true;
  }
  int suspended = 0;
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

// A 1280 x 800 pixel screen at 96 dpi, one monitor whose work area leaves 30 pixels for the
// task bar, unless a test says otherwise.
class FakeScreen final : public Screen {
 public:
  int Dpi() override { return dpi; }
  int WidthPixels() override { return width_px; }
  int HeightPixels() override { return height_px; }
  std::vector<PixelRect> WorkAreas() override { return work_areas; }
  PixelPoint CursorPosition() override { return cursor; }

  int width_px = 1280;
  int height_px = 800;
  int dpi = 96;
  std::vector<PixelRect> work_areas{{0, 0, 1280, 770}};
  PixelPoint cursor;
};

class FakeClock final : public Clock {
 public:
  LocalTime Now() override { return now; }
  std::int64_t MonotonicMs() override { return monotonic_ms; }
  // The Chinese default, "9:05:07".
  std::u16string TimeText(const LocalTime& t) override {
    std::string s = std::to_string(t.hour) + (t.minute < 10 ? ":0" : ":") +
                    std::to_string(t.minute) + (t.second < 10 ? ":0" : ":") +
                    std::to_string(t.second);
    return std::u16string(s.begin(), s.end());
  }
  LocalTime now{2026, 12, 8, 9, 30, 0};
  std::int64_t monotonic_ms = 0;
};

}  // namespace velmo
