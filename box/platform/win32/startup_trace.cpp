#include "box/platform/win32/startup_trace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace velmo {

double MsSinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

double UnixMsNow() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  unsigned long long ticks =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<double>(ticks - 116444736000000000ull) / 10000.0;  // from 1601 to 1970
}

void MarkStartup(const char* step) {
  static const bool timing = std::getenv("VELMO_TIMING") != nullptr;
  if (!timing) return;
  std::printf("startup %s %.1f\n", step, MsSinceProcessStart());
  std::fflush(stdout);
}

}  // namespace velmo
