#include "box/cleaner/clean_worker.h"

#include <algorithm>
#include <iterator>

namespace velmo {

void CleanWorker::Context::Post(CleanEvent event) {
  std::lock_guard<std::mutex> lock(worker_.mutex_);
  worker_.events_.push_back(std::move(event));
}

CleanWorker::~CleanWorker() {
  stop_ = true;
  Wait();
}

void CleanWorker::Start(std::function<bool(Context&)> job) {
  Wait();
  stop_ = false;
  running_ = true;
  thread_ = std::thread([this, job = std::move(job)] {
    Context context(*this);
    CleanEvent finished;
    finished.ok = job(context);
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(std::move(finished));
    running_ = false;
    ended_.notify_all();
  });
}

std::vector<CleanEvent> CleanWorker::Take(std::size_t most) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t n = std::min(most, events_.size());
  std::vector<CleanEvent> taken(std::make_move_iterator(events_.begin()),
                                std::make_move_iterator(events_.begin() + n));
  events_.erase(events_.begin(), events_.begin() + n);
  return taken;
}

bool CleanWorker::Stop(std::chrono::milliseconds most) {
  stop_ = true;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!ended_.wait_for(lock, most, [this] { return !running_; })) return false;
  }
  Wait();
  return true;
}

void CleanWorker::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace velmo
