#include "box/clock/clock_face.h"

#include <cmath>

namespace velmo {
namespace {

constexpr float kPi = 3.1415927f;
constexpr float kDegreesPerRadian = 180 / kPi;
constexpr float kUnits = 20;  // across the face

}  // namespace

HandAngles HandAnglesAt(int hour, int minute, int second) {
  HandAngles a;
  a.second = static_cast<float>(second) * 6 / kDegreesPerRadian;
  a.minute = static_cast<float>(minute) * 6 / kDegreesPerRadian;
  a.hour = static_cast<float>(hour % 12) * 30 / kDegreesPerRadian;
  // One 6-degree step for every twelve minutes: 0, pi/30, pi/15, pi/10, pi/7.5.
  static constexpr float kBands[] = {0, kPi / 30, kPi / 15, kPi / 10, kPi / 7.5f};
  a.hour += kBands[(minute / 12) % 5];
  return a;
}

FacePoint HandEnd(float length, float angle) {
  return {length * std::sin(angle), length * std::cos(angle)};
}

FacePoint FaceUnits(int x_twips, int y_twips, int size) {
  const float per_unit = static_cast<float>(size) / kUnits;
  return {static_cast<float>(x_twips) / per_unit - kUnits / 2,
          kUnits / 2 - static_cast<float>(y_twips) / per_unit};
}

int FaceTwipsX(float x, int size) {
  return static_cast<int>(std::lround((x + kUnits / 2) * static_cast<float>(size) / kUnits));
}

int FaceTwipsY(float y, int size) {
  return static_cast<int>(std::lround((kUnits / 2 - y) * static_cast<float>(size) / kUnits));
}

}  // namespace velmo
