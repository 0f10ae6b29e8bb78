// Building blocks the window models share: the slide rule and hover-image
// buttons.
#pragma once

#include <functional>
#include <string>

#include "box/ui/form.h"

namespace velmo {

// Every page, panel and drawer slide moves 300 twips per 10 ms tick.
inline constexpr int kSlideStep = 300;
inline constexpr int kSlideIntervalMs = 10;

// One tick of a slide: value += step; once it has reached or passed `end` it is
// set to exactly `end` and the slide is over (returns true).
bool SlideTick(int& value, int step, int end);

void Place(Control& c, int left, int top, int width, int height);

// A label in the pages' text style.
Control& AddLabel(Form& form, Control& parent, const char* name, std::u16string text);
// A native box on a rounded white field with a border, like the command box. The rectangle is
// the box's own; the field reaches 135 twips beyond it at the sides and 60 above and below.
Control& AddBox(Form& form, Control& parent, ControlKind kind, const char* name, int left, int top,
                int width, int height);
// Runs `handler` before what the control already did on a click.
void PrependClick(Control& c, std::function<void()> handler);

// A picture button with its normal image at the odd index `normal` of `list`
// and its hover image at normal + 1, shown while the pointer is over it.
void MakeHoverButton(Control& button, const ImageList& list, int normal, std::u16string tool_tip);
void ShowHoverImage(Control& button);
void RestoreNormalImage(Control& button);
// A 360 x 360 picture button at (left, top) of `parent`, as MakeHoverButton makes it.
Control& AddHoverButton(Form& form, Control& parent, std::string name, int left, int top,
                        const ImageList& list, int normal, std::u16string tool_tip);
// Restores the normal image of every picture button directly on `surface`.
void RestoreButtonsOn(Control& surface);

}  // namespace velmo
