// The speech thread: texts in from the window's thread, one voice out.
#include "box/platform/speech.h"

namespace velmo {

SpeechThread::~SpeechThread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    next_.reset();
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

bool SpeechThread::Speak(const std::u16string& text) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (no_voice_) return false;
    next_ = text;
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  wake_.notify_one();
  return true;
}

void SpeechThread::Run() {
  std::unique_ptr<Voice> voice = make_voice_();
  std::unique_lock<std::mutex> lock(mutex_);
  if (!voice) {
    no_voice_ = true;
    return;
  }
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || next_; });
    if (stopping_) break;
    std::u16string text = std::move(*next_);
    next_.reset();
    lock.unlock();
    voice->Say(text);
    lock.lock();
  }
  lock.unlock();
  voice.reset();  // on the thread that made it
}

}  // namespace velmo
