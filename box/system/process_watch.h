// The process watch (Timer39): while it runs, every 100 ms one snapshot of the running programs
// is checked against the pause list; when a listed program runs, the player is told, once a tick.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "box/platform/processes.h"
#include "box/ui/form.h"

namespace velmo {

inline constexpr int kProcessWatchMs = 100;

class ProcessWatch {
 public:
  ProcessWatch(Form& form, Processes& processes, const std::vector<std::u16string>& pause_list);

  // The settings tick keeps the watch running exactly while the pause switch is on.
  void Follow(bool on) { on ? timer_.Start() : timer_.Stop(); }
  // A program of the pause list runs.
  std::function<void()> on_listed_program_running;

 private:
  void Tick();

  Processes& processes_;
  const std::vector<std::u16string>& pause_list_;
  Timer& timer_;
};

}  // namespace velmo
