#include "box/cleaner/clean_worker.h"

#include <utility>

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

std::vector<CleanEvent> CleanWorker::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(events_, {});
}

void CleanWorker::Stop() {
  stop_ = true;
  Wait();
}

void CleanWorker::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace velmo
