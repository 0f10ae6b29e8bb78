// Process checks on a snapshot of running image names; shutting the system down or restarting
// it, with the forced end of the user's programs.
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

enum class PowerCommand { kShutDown, kRestart };
// Starts "shutdown -s -t 1" or "shutdown -r -t 1" minimized, then, with `force_kill`, ends the
// user's programs so that none of them holds the system up.
void RunPowerCommand(PowerCommand command, Launcher& launcher, bool force_kill);

}  // namespace velmo
