#include "box/cleaner/clean_worker.h"

#include <algorithm>
#include <iterator>

namespace velmo {

void CleanWorker::Context::Post(CleanEvent event) {
  std::lock_guard<std::mutex> lock(worker_.mutex_);
  worker_.events_.push_back(std::move(event));
}

void CleanWorker::Start(std::function<bool(Context&)> job) {
  Wait();
  stop_ = false;
  thread_ = std::thread([this, job = std::move(job)] {
    Context context(*this);
    CleanEvent finished;
    finished.ok = job(context);
    context.Post(std::move(finished));
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

void CleanWorker::Stop() {
  stop_ = true;
  Wait();
}

void CleanWorker::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace velmo
