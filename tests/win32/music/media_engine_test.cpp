// The MCI media engine against the real device under Wine, on a WAV file the test writes into a
// folder whose name holds a blank and Chinese characters. Wine needs a sound device to open
// media at all: scripts/wine-run gives it ALSA's null device, which plays in real time.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr double kSeconds = 3;

// A 440 Hz sine, 44.1 kHz, 16-bit mono PCM.
void WriteWav(const std::u16string& path, double seconds) {
  const std::uint32_t rate = 44100;
  const std::uint32_t samples = static_cast<std::uint32_t>(rate * seconds);
  std::vector<std::int16_t> data(samples);
  for (std::uint32_t i = 0; i < samples; ++i) {
    data[i] = static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265358979 * 440 * i / rate));
  }
  std::string out;
  auto u32 = [&out](std::uint32_t v) {
    for (int b = 0; b < 4; ++b) out += static_cast<char>((v >> (8 * b)) & 0xFF);
  };
  auto u16 = [&out](std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
  };
  const std::uint32_t bytes = samples * 2;
  out += "RIFF";
  u32(36 + bytes);
  out += "WAVEfmt ";
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(rate);
  u32(rate * 2);  // bytes per second
  u16(2);         // bytes per frame
  u16(16);        // bits per sample
  out += "data";
  u32(bytes);
  out.append(reinterpret_cast<const char*>(data.data()), bytes);
  std::ofstream(Wide(path).c_str(), std::ios::binary) << out;
}

// Visible top-level windows of this process: an error dialog would be one.
int VisibleWindows() {
  int count = 0;
  EnumWindows(
      [](HWND window, LPARAM counter) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
          ++*reinterpret_cast<int*>(counter);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

class Win32MediaEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    folder_ = Narrow16(base) + u"velmo 媒体 测试";
    CreateDirectoryW(Wide(folder_).c_str(), nullptr);
    song_ = folder_ + u"\\声音 一.wav";
    WriteWav(song_, kSeconds);
  }
  void TearDown() override {
    for (const auto& name : {u"\\声音 一.wav", u"\\不是声音.mp3"}) {
      DeleteFileW(Wide(folder_ + name).c_str());
    }
    RemoveDirectoryW(Wide(folder_).c_str());
  }

  std::u16string folder_;
  std::u16string song_;
};

constexpr const char* kNoDevice =
    "MCI could not open the WAV file. Under Wine that means no sound device: the Win32 tests "
    "run through scripts/wine-run, which points ALSA's default device at the null device.";

TEST_F(Win32MediaEngineTest, PlaysPausesSeeksAndEnds) {
  Win32MediaEngine engine;
  EXPECT_EQ(engine.State(), MediaState::kClosed);
  EXPECT_EQ(engine.PositionText(), u"00:00");
  EXPECT_EQ(engine.Length(), 0);

  ASSERT_TRUE(engine.Load(song_)) << kNoDevice;
  EXPECT_EQ(engine.Source(), song_);
  EXPECT_TRUE(engine.Playing());
  EXPECT_NEAR(engine.Length(), kSeconds, 0.2);
  EXPECT_EQ(engine.LengthText(), u"00:03");

  double start = engine.Position();
  Sleep(600);
  EXPECT_GT(engine.Position(), start + 0.3) << "plays on";

  engine.Pause();
  EXPECT_EQ(engine.State(), MediaState::kPaused);
  double paused_at = engine.Position();
  Sleep(400);
  EXPECT_NEAR(engine.Position(), paused_at, 0.05) << "stands while paused";

  // A position set while paused waits there; Play goes on from it.
  engine.SetPosition(2.0);
  Sleep(300);
  EXPECT_EQ(engine.State(), MediaState::kPaused);
  EXPECT_NEAR(engine.Position(), 2.0, 0.1);
  EXPECT_EQ(engine.PositionText(), u"00:02");
  engine.Play();
  Sleep(300);
  EXPECT_TRUE(engine.Playing());
  EXPECT_GT(engine.Position(), 2.1);

  // A position set while playing plays on from there.
  engine.SetPosition(0.5);
  Sleep(200);
  EXPECT_TRUE(engine.Playing());
  EXPECT_GT(engine.Position(), 0.5);
  EXPECT_LT(engine.Position(), 1.5);

  // Volume is clamped to 0..100, muting keeps it, and the sound plays on muted.
  engine.SetVolume(150);
  EXPECT_EQ(engine.Volume(), 100);
  engine.SetVolume(-5);
  EXPECT_EQ(engine.Volume(), 0);
  engine.SetVolume(70);
  engine.SetMute(true);
  EXPECT_TRUE(engine.Muted());
  EXPECT_EQ(engine.Volume(), 70);
  double muted_at = engine.Position();
  Sleep(300);
  EXPECT_TRUE(engine.Playing());
  EXPECT_GT(engine.Position(), muted_at + 0.1);
  engine.SetMute(false);

  // The end: the engine stops by itself at the length; Play starts over.
  engine.SetPosition(engine.Length() - 0.3);
  for (int i = 0; i < 40 && !engine.Ended(); ++i) Sleep(50);
  EXPECT_TRUE(engine.Ended());
  EXPECT_FALSE(engine.Playing());
  EXPECT_NEAR(engine.Position(), engine.Length(), 0.01);
  engine.Play();
  EXPECT_TRUE(engine.Playing());
  EXPECT_LT(engine.Position(), 0.5);

  // Stop goes back to the start and keeps the source.
  Sleep(300);
  engine.Stop();
  EXPECT_EQ(engine.State(), MediaState::kStopped);
  EXPECT_EQ(engine.Position(), 0);
  EXPECT_EQ(engine.Source(), song_);
  engine.Play();
  Sleep(300);
  EXPECT_TRUE(engine.Playing());
  EXPECT_GT(engine.Position(), 0.1);
  EXPECT_LT(engine.Position(), 1.0);

  // An empty path unloads.
  EXPECT_TRUE(engine.Load(u""));
  EXPECT_EQ(engine.State(), MediaState::kClosed);
  EXPECT_EQ(engine.Source(), u"");
  EXPECT_EQ(engine.Position(), 0);
  EXPECT_EQ(engine.Length(), 0);
  EXPECT_EQ(engine.LengthText(), u"00:00");
}

TEST_F(Win32MediaEngineTest, FilesThatCannotPlayFailQuietlyAndLeaveOtherEnginesAlone) {
  std::ofstream(Wide(folder_ + u"\\不是声音.mp3").c_str(), std::ios::binary) << "not a sound";
  Win32MediaEngine playing;
  ASSERT_TRUE(playing.Load(song_)) << kNoDevice;

  Win32MediaEngine engine;
  engine.SetVolume(30);
  engine.SetMute(true);
  for (const std::u16string& path :
       std::vector<std::u16string>{folder_ + u"\\没有 这个.wav", folder_ + u"\\不是声音.mp3",
                                   u"C:\\no\\such folder\\a.mp3"}) {
    SCOPED_TRACE(Utf16ToUtf8(path));
    EXPECT_FALSE(engine.Load(path));
    EXPECT_EQ(engine.State(), MediaState::kClosed);
    EXPECT_EQ(engine.Source(), u"");
    EXPECT_EQ(engine.Position(), 0);
  }
  EXPECT_EQ(VisibleWindows(), 0) << "an error was shown";

  // The failed loads neither closed the other engine's source nor lost this one's settings.
  EXPECT_TRUE(playing.Playing());
  EXPECT_EQ(playing.Source(), song_);
  ASSERT_TRUE(engine.Load(song_));
  EXPECT_EQ(engine.Volume(), 30);
  EXPECT_TRUE(engine.Muted());
  EXPECT_TRUE(engine.Playing());
}

}  // namespace
}  // namespace velmo
