// Building blocks the window models share: the slide rule and hover-image
// buttons.
#pragma once

#include <string>

#include "box/shell/form.h"

namespace velmo {

// Every page, panel and drawer slide moves 300 twips per 10 ms tick.
inline constexpr int kSlideStep = 300;
inline constexpr int kSlideIntervalMs = 10;

// One tick of a slide: value += step; once it has reached or passed `end` it is
// set to exactly `end` and the slide is over (returns true).
bool SlideTick(int& value, int step, int end);

// A picture button with its normal image at the odd index `normal` of `list`
// and its hover image at normal + 1, shown while the pointer is over it.
void MakeHoverButton(Control& button, const ImageList& list, int normal, std::u16string tool_tip);
void ShowHoverImage(Control& button);
void RestoreNormalImage(Control& button);
// Restores the normal image of every picture button directly on `surface`.
void RestoreButtonsOn(Control& surface);

}  // namespace velmo
