// Wall-clock time and a monotonic millisecond counter.
#pragma once

#include <cstdint>
#include <string>

namespace velmo {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual std::int64_t MonotonicMs() = 0;
  // The time of day with hours, minutes and seconds, as the user's settings write it.
  virtual std::u16string TimeText(const LocalTime& t) = 0;
};

}  // namespace velmo
