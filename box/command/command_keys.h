// The Ctrl+Alt keys of the command box that open pages and start system tools. The player's
// Ctrl+Alt keys (Space, arrows) reach the window's key preview first.
#pragma once

#include <optional>
#include <string_view>

#include "box/ui/form.h"

namespace velmo {

enum class CommandKey { kItemList, kCalculator, kComputer, kMusic, kPaint, kRecycleBin, kNotes };

inline constexpr std::u16string_view kCalculatorCommand = u"calc.exe";
inline constexpr std::u16string_view kComputerCommand =
    u"explorer.exe ::{20D04FE0-3AEA-1069-A2D8-08002B30309D} ";
inline constexpr std::u16string_view kPaintCommand = u"mspaint.exe ";
inline constexpr std::u16string_view kRecycleBinCommand =
    u"explorer.exe ::{645FF040-5081-101B-9F08-00AA002F954E}";

// Only Ctrl+Alt exactly, with Shift up: Ctrl+Shift+Alt+A is no command key.
std::optional<CommandKey> CommandKeyOf(const KeyEvent& e);

}  // namespace velmo
