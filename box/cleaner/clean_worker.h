// The cleaner's file work off the window's thread: one job at a time, reporting through a queue
// that the page empties on its ticks, so that the window paints and answers throughout a clean.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "box/platform/recycle_bin.h"

namespace velmo {

struct CleanEvent {
  enum class Kind {
    kStepStarted,  // step
    kFound,        // path, bytes, kept: a file of the current step
    kStepDone,     // step, ran (false: the step's folder was missing)
    kRemoved,      // index, result, kept (kept: left in place unasked)
    kFinished,     // the job has ended; ok: it did what it was asked
  };
  Kind kind = Kind::kFinished;
  std::size_t step = 0;
  std::u16string path;
  std::uint64_t bytes = 0;
  bool kept = false;
  bool ran = true;
  std::size_t index = 0;
  RemoveResult result = RemoveResult::kRemoved;
  bool ok = true;
};

class CleanWorker {
 public:
  // What a job reports with, and how it learns that the box is closing.
  class Context {
   public:
    explicit Context(CleanWorker& worker) : worker_(worker) {}
    void Post(CleanEvent event);
    bool stopping() const { return worker_.stop_; }

   private:
    CleanWorker& worker_;
  };

  CleanWorker() = default;
  // Asks the running job to end and waits for it, however long that takes.
  ~CleanWorker();
  CleanWorker(const CleanWorker&) = delete;
  CleanWorker& operator=(const CleanWorker&) = delete;

  // Runs `job` on a thread of its own; a kFinished event follows it. The previous job must have
  // finished.
  void Start(std::function<bool(Context&)> job);
  // The oldest `most` events not yet taken, in order.
  std::vector<CleanEvent> Take(std::size_t most);
  // Asks the running job to end and waits at most `most` for it: a job held up inside the system
  // (a listing of an unreachable network drive) must not hold up the box's close. True when it
  // has ended.
  bool Stop(std::chrono::milliseconds most);
  // Waits for the running job to end by itself (tests).
  void Wait();

 private:
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable ended_;
  bool running_ = false;  // under mutex_
  std::deque<CleanEvent> events_;
};

}  // namespace velmo
