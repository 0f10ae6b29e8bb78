// Hotkeys as config.ini writes them: modifiers and one key joined by "+", "Ctrl+Alt+X".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "box/platform/global_hotkeys.h"

namespace velmo {

// Ctrl (or Control), Alt, Shift and Win, each at most once and in any order, then the key:
// A-Z, 0-9, F1-F24, Space, Tab, Enter, Esc, Backspace, Insert, Delete, Home, End, PageUp,
// PageDown, Left, Up, Right, Down, PrintScreen, Pause. Letter case and blanks around the parts do
// not count. nullopt for anything else, for F12 (the debugger's at all times) and for a key that
// types or moves the caret held with no modifier or Shift alone: a hotkey must not take typing.
std::optional<Hotkey> ParseHotkey(std::u16string_view text);
// Modifiers in the order Ctrl, Alt, Shift, Win, then the key's name: what ParseHotkey reads.
std::u16string FormatHotkey(const Hotkey& keys);

}  // namespace velmo
