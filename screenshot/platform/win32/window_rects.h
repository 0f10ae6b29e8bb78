// The windows on the screen when it is frozen, for snapping to them.
#pragma once

#include <windows.h>

#include <vector>

#include "screenshot/snap.h"

namespace shot {

// The visible top-level windows but `skip` from the top of the stack down, each followed by its
// visible child controls, in pixels from `origin` (the frozen image's top-left corner).
// Minimised and cloaked windows (those the system keeps off the screen) are left out; a
// top-level window counts without the invisible resize borders round it where the system can
// say so.
std::vector<SnapRect> ReadWindowRects(POINT origin, HWND skip);

}  // namespace shot
