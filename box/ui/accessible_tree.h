// A window model as a screen reader reads it: every control a user can see or act on is one
// named item, and a composite (a switch, a bar) is one item for all its parts.
//
// An item's name is its caption (icon glyphs left out), else its tool tip, else its AccessInfo
// name; a control with none is decoration and no item. Shapes and lines are never items, and a
// plain panel only holds items. A control that takes a click or a press is a push button, one
// that takes a double-click is worked by one.
#pragma once

#include "box/platform/accessibility.h"
#include "box/ui/form.h"

namespace velmo {

// The items in paint order, in client pixels at `scale`. The view's name is the form's caption,
// or the last title in view.
AccessibleView AccessibleViewOf(const Form& form, const PixelScale& scale);

// A reader's default action on the item `id`: the click (or double-click) a user would give it.
// False when there is no such item to act on, or it is unavailable.
bool DoAccessibleAction(Form& form, int id);

}  // namespace velmo
