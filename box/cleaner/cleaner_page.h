// The cleaner page and the powerful-cleaning panel: the start button, the panes, the bars and the
// ticks of a clean. The file work runs on the clean worker; the page shows what it reports, in
// the order it was found and removed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "box/cleaner/clean_log.h"
#include "box/cleaner/clean_plan.h"
#include "box/cleaner/clean_worker.h"
#include "box/controls/progress_bar.h"
#include "box/shell/box_state.h"
#include "box/shell/main_window.h"

namespace velmo {

class CleanerPage {
 public:
  CleanerPage(MainWindow& window, BoxState& state, Services& services);

  // With "AutoCleanAfterRunning" on, a normal clean starts as a press of the start button would
  // start it, except that it never empties the Recycle Bin.
  void FinishStartup();
  // The box is closing, its files saved: a running clean stops after the file at hand, or is
  // left to end with the process when the system holds it up for longer than a moment.
  void Shutdown() { worker_.Stop(std::chrono::seconds(2)); }
  // The start button: a powerful clean with "PowerfulCleaningMode" on, a normal one otherwise.
  void Start();
  // Waits until the worker's job at hand has ended (tests).
  void WaitForWorker() { worker_.Wait(); }

  // The restart button's double-click.
  std::function<void()> restart;

 private:
  enum class Phase { kIdle, kScanning, kWaiting, kLogging, kRemoving, kEmptying };
  struct Entry {
    std::u16string path;
    std::uint64_t bytes = 0;
    bool kept = false;  // the powerful clean leaves it where it is
  };

  void BuildPage();
  void BuildPowerfulPanel();
  void StartNormal(bool empty_bin);
  void StartPowerful();
  void Scan();
  void Run(std::function<bool(CleanWorker::Context&)> job);
  void EndPowerful();
  // Runs `then` once after `ms`, the window answering meanwhile.
  void After(int ms, std::function<void()> then);
  void WriteLog();
  void Remove();
  void Pump();
  void Handle(const CleanEvent& e);
  void Found(const CleanEvent& e);
  void Removed(const CleanEvent& e);
  void Finished(const CleanEvent& e);
  void DeletionTick();
  void Append(Control& pane, const std::u16string& line) { pane.text += line + u"\r\n"; }

  MainWindow& window_;
  Form& form_;
  BoxState& state_;
  Services& services_;
  CleanWorker worker_;

  Control* start_ = nullptr;
  Control* pane_ = nullptr;
  std::unique_ptr<ProgressBar> bar_;
  Control* powerful_ = nullptr;
  Control* status_ = nullptr;
  Control* data_ = nullptr;
  Control* powerful_pane_ = nullptr;
  std::unique_ptr<ProgressBar> powerful_bar_;
  Control* exit_ = nullptr;
  Control* restart_ = nullptr;
  Timer* deletion_tick_ = nullptr;  // Timer25
  Timer* progress_copy_ = nullptr;  // Timer38
  Timer* pump_ = nullptr;
  Timer* wait_ = nullptr;
  std::function<void()> after_wait_;

  // The run at hand, or the last one: the list stays as it was until the next run.
  CleanType type_ = CleanType::kNormal;
  Phase phase_ = Phase::kIdle;
  bool empty_bin_ = false;
  std::vector<ScanStep> steps_;
  std::vector<Entry> found_;
  std::size_t done_ = 0;     // entries worked off
  std::size_t removed_ = 0;  // files that went to the Recycle Bin
  // Bytes found and not yet removed: the normal page's megabytes and the powerful panel's size,
  // which counts only what the clean may remove.
  std::uint64_t bytes_ = 0;
  std::int64_t powerful_count_ = 0;
  float powerful_progress_ = 0;
};

}  // namespace velmo
