// Process checks on a snapshot of running image names, and the forced end of the user's programs
// before the box shuts the system down or restarts it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "box/platform/launcher.h"

namespace velmo {

// True when some name of `running` equals `image_name` with letter case ignored: "NOTEPAD.EXE"
// finds "notepad.exe", "notepad" does not. An empty name is never running.
bool IsProcessRunning(const std::vector<std::u16string>& running, std::u16string_view image_name);

// Ends every program the user may end, with the programs each of them started.
inline constexpr std::u16string_view kForceKillCommandLine = u"taskkill /im * /t";

// Starts kForceKillCommandLine minimized. Whether it could start does not matter: shutting down
// or restarting goes on either way.
void ForceKillUserPrograms(Launcher& launcher);

}  // namespace velmo
