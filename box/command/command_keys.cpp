// Which key press is which command key.
#include "box/command/command_keys.h"

namespace velmo {

std::optional<CommandKey> CommandKeyOf(const KeyEvent& e) {
  if (!e.modifiers.ctrl || !e.modifiers.alt || e.modifiers.shift) return std::nullopt;
  switch (e.key) {
    case 'A':
      return CommandKey::kItemList;
    case 'C':
      return CommandKey::kCalculator;
    case 'E':
      return CommandKey::kComputer;
    case 'M':
      return CommandKey::kMusic;
    case 'P':
      return CommandKey::kPaint;
    case 'R':
    case 'T':
      return CommandKey::kRecycleBin;
    case 'S':
      return CommandKey::kNotes;
    default:
      return std::nullopt;
  }
}

}  // namespace velmo
