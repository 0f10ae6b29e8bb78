#include "box/storage/save_worker.h"

namespace velmo {

SaveWorker::SaveWorker(FileSystem& files) : files_(files), thread_([this] { Loop(); }) {}

SaveWorker::~SaveWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SaveWorker::Write(int document, std::uint64_t version, std::u16string path, Bytes bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_[document] = Job{version, std::move(path), std::move(bytes)};
  }
  changed_.notify_all();
}

std::vector<SaveWorker::Outcome> SaveWorker::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Outcome> taken;
  taken.swap(outcomes_);
  return taken;
}

void SaveWorker::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return waiting_.empty() && !writing_; });
}

void SaveWorker::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    auto first = waiting_.begin();
    int document = first->first;
    Job job = std::move(first->second);
    waiting_.erase(first);
    writing_ = true;
    lock.unlock();
    std::string bytes = job.bytes();
    WriteResult result = files_.WriteFileAtomic(job.path, bytes);
    std::size_t slash = job.path.find_last_of(u"\\/");
    if (result.error == WriteError::kFolderMissing && slash != std::u16string::npos &&
        files_.CreateFolder(job.path.substr(0, slash))) {
      result = files_.WriteFileAtomic(job.path, bytes);
    }
    lock.lock();
    writing_ = false;
    outcomes_.push_back({document, job.version, result});
    changed_.notify_all();
  }
}

}  // namespace velmo
