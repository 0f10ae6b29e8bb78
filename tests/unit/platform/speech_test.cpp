// The speech thread: the caller never waits for the voice, a text that waits is replaced by a
// newer one, and a system without a voice turns speech off.
#include "box/platform/speech.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace velmo {
namespace {

// A voice that speaks each text until the test lets it finish, as a long name does.
struct SlowVoice {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::u16string> said;
  int released = 0;

  class Handle final : public Voice {
   public:
    explicit Handle(SlowVoice& v) : v_(v) {}
    bool Say(const std::u16string& text) override {
      std::unique_lock<std::mutex> lock(v_.mutex);
      v_.said.push_back(text);
      v_.changed.notify_all();
      v_.changed.wait(lock, [&] { return v_.released >= static_cast<int>(v_.said.size()); });
      return true;
    }

   private:
    SlowVoice& v_;
  };
  void WaitForSaid(std::size_t n) {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return said.size() >= n; }));
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    ++released;
    changed.notify_all();
  }
};

TEST(SpeechThreadTest, NobodyWaitsForTheVoiceAndTheNewestWaitingTextWins) {
  SlowVoice voice;
  {
    SpeechThread speech([&voice] { return std::make_unique<SlowVoice::Handle>(voice); });
    // Each call returns while the voice is still busy: a synchronous one would never return.
    EXPECT_TRUE(speech.Speak(u"记事本"));
    voice.WaitForSaid(1);
    EXPECT_TRUE(speech.Speak(u"计算器"));
    EXPECT_TRUE(speech.Speak(u"画图"));
    voice.Release();
    voice.WaitForSaid(2);
    voice.Release();
    EXPECT_EQ(voice.said, (std::vector<std::u16string>{u"记事本", u"画图"}));
    EXPECT_TRUE(speech.Speak(u"最后"));
    voice.WaitForSaid(3);
    voice.Release();
  }  // closing waits for no text
}

TEST(SpeechThreadTest, WithoutAVoiceSpeechIsOff) {
  SpeechThread speech([] { return std::unique_ptr<Voice>(); });
  speech.Speak(u"一");
  bool off = false;
  for (int i = 0; i < 1000 && !off; ++i) {
    off = !speech.Speak(u"二");
    if (!off) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(off);
}

}  // namespace
}  // namespace velmo
