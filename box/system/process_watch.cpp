#include "box/system/process_watch.h"

#include "box/system/process_checks.h"

namespace velmo {

ProcessWatch::ProcessWatch(Form& form, Processes& processes,
                           const std::vector<std::u16string>& pause_list)
    : processes_(processes),
      pause_list_(pause_list),
      timer_(form.AddTimer("Timer39", kProcessWatchMs, [this] { Tick(); })) {}

void ProcessWatch::Tick() {
  // An empty list has nothing to look for: no snapshot is taken.
  if (pause_list_.empty()) return;
  const std::vector<std::u16string> running = processes_.RunningImageNames();
  for (const std::u16string& name : pause_list_) {
    if (IsProcessRunning(running, name)) {
      if (on_listed_program_running) on_listed_program_running();
      return;
    }
  }
}

}  // namespace velmo
