// Case-blind image name comparison and the forced kill.
#include "box/system/process_checks.h"

namespace velmo {

namespace {

// Upper case for ASCII and the Latin-1 letters; every other UTF-16 unit, surrogates included,
// stays as it is.
char16_t UpperCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c >= u'\u00E0' && c <= u'\u00FE' && c != u'\u00F7') return static_cast<char16_t>(c - 32);
  if (c == u'\u00FF') return u'\u0178';
  return c;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperCase(a[i]) != UpperCase(b[i])) return false;
  }
  return true;
}

}  // namespace

bool IsProcessRunning(const std::vector<std::u16string>& running, std::u16string_view image_name) {
  if (image_name.empty()) return false;
  for (const std::u16string& name : running) {
    if (EqualsIgnoringCase(name, image_name)) return true;
  }
  return false;
}

void ForceKillUserPrograms(Launcher& launcher) {
  launcher.StartCommandLine(std::u16string(kForceKillCommandLine), WindowStyle::kMinimized);
}

void RunPowerCommand(PowerCommand command, Launcher& launcher, bool force_kill) {
  launcher.StartCommandLine(
      command == PowerCommand::kShutDown ? u"shutdown -s -t 1" : u"shutdown -r -t 1",
      WindowStyle::kMinimized);
  if (force_kill) ForceKillUserPrograms(launcher);
}

}  // namespace velmo
