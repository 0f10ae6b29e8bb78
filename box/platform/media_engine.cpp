// The portable half of the media engine: how positions and lengths are written.
#include "box/platform/media_engine.h"

#include <cmath>

namespace velmo {

std::u16string FormatMinutesSeconds(double seconds) {
  // Capped far beyond any track so that the conversion stays defined.
  long long whole =
      std::isfinite(seconds) && seconds >= 1 ? static_cast<long long>(std::fmin(seconds, 1e12)) : 0;
  long long minutes = whole / 60;
  long long rest = whole % 60;
  std::string text = (minutes < 10 ? "0" : "") + std::to_string(minutes) +
                     (rest < 10 ? ":0" : ":") + std::to_string(rest);
  return std::u16string(text.begin(), text.end());
}

}  // namespace velmo
