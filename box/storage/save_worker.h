// Writes files off the window's thread, one at a time: of each file only the latest content
// handed over is written, and what came of each write waits in a queue for the window to take.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "box/platform/files.h"

namespace velmo {

class SaveWorker {
 public:
  // Makes the bytes to write, on the worker: the window hands over a copy of its data, not the
  // finished file, so that it never waits for a large list to be encoded.
  using Bytes = std::function<std::string()>;
  struct Outcome {
    int document = 0;
    std::uint64_t version = 0;
    WriteResult result;
  };

  explicit SaveWorker(FileSystem& files);
  // Writes what it holds, then ends.
  ~SaveWorker();
  SaveWorker(const SaveWorker&) = delete;
  SaveWorker& operator=(const SaveWorker&) = delete;

  // Replaces whatever of `document` still waits. Waiting documents are written in the order of
  // their numbers. A folder that is gone is made again once.
  void Write(int document, std::uint64_t version, std::u16string path, Bytes bytes);
  std::vector<Outcome> Take();
  // Until nothing waits and nothing is being written.
  void Wait();

 private:
  struct Job {
    std::uint64_t version = 0;
    std::u16string path;
    Bytes bytes;
  };
  void Loop();

  FileSystem& files_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<int, Job> waiting_;  // under mutex_
  bool writing_ = false;        // under mutex_
  bool ending_ = false;         // under mutex_
  std::vector<Outcome> outcomes_;
  std::thread thread_;
};

}  // namespace velmo
