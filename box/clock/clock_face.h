// The analog clock: hand angles for a time of day, and the face's coordinates. The face runs
// from (-10, 10) at its top-left corner to (10, -10) at its bottom-right corner: the origin is
// its centre and y grows upward. Angles are radians, clockwise from 12 o'clock.
#pragma once

namespace velmo {

struct HandAngles {
  float second = 0;
  float minute = 0;
  float hour = 0;
};

// `hour` 0..23. The minute and second hands move in whole 6-degree steps; the hour hand jumps
// 6 degrees at minutes 12, 24, 36 and 48 and never moves in between.
HandAngles HandAnglesAt(int hour, int minute, int second);

struct FacePoint {
  float x = 0;
  float y = 0;
};

// The end of a hand of `length` face units at `angle`.
FacePoint HandEnd(float length, float angle);

// Between face units and twips from the top-left corner of a face `size` twips across.
FacePoint FaceUnits(int x_twips, int y_twips, int size);
int FaceTwipsX(float x, int size);
int FaceTwipsY(float y, int size);

}  // namespace velmo
