// Text to speech.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace velmo {

class Speech {
 public:
  virtual ~Speech() = default;
  // Starts speaking `text` and returns at once: nobody waits for a voice. A new text cuts short
  // the one being spoken. False when no voice can speak: callers treat that as "no speech",
  // never as an error.
  virtual bool Speak(const std::u16string& text) = 0;
};

// A voice of the system, used only on the thread that made it.
class Voice {
 public:
  virtual ~Voice() = default;
  // Speaks `text`, cutting short what it is speaking; it may return before the text has been
  // spoken. False when it could not.
  virtual bool Say(const std::u16string& text) = 0;
};

// Speech on a thread of its own, which makes the voice on first use and keeps it. A text that
// comes while the voice is busy replaces any text still waiting.
class SpeechThread final : public Speech {
 public:
  // Makes the voice on the speech thread; nullptr when the system has none.
  using VoiceMaker = std::function<std::unique_ptr<Voice>()>;
  explicit SpeechThread(VoiceMaker make_voice) : make_voice_(std::move(make_voice)) {}
  // Drops what waits and lets the voice end the call it is in.
  ~SpeechThread() override;
  SpeechThread(const SpeechThread&) = delete;
  SpeechThread& operator=(const SpeechThread&) = delete;

  bool Speak(const std::u16string& text) override;

 private:
  void Run();

  VoiceMaker make_voice_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<std::u16string> next_;
  bool stopping_ = false;
  bool no_voice_ = false;  // the system made none: nothing more is tried
  std::thread thread_;
};

}  // namespace velmo
