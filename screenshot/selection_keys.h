// Moving and sizing the selection with the arrow keys.
#pragma once

#include "screenshot/geometry.h"

namespace shot {

enum class Arrow { kLeft, kUp, kRight, kDown };

// The frame after an arrow key. Alone it moves the frame 1 pixel (Shift: 10) and keeps it on
// the screen; with Ctrl the right edge (left and right arrows) or the bottom edge (up and down)
// grows 1 pixel up to the screen's edge, with Ctrl+Shift it shrinks 1 pixel down to 1 pixel.
RectF NudgeFrame(const RectF& frame, Arrow arrow, bool shift, bool ctrl, int screen_width,
                 int screen_height);

}  // namespace shot
