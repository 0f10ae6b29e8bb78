// Proof that a save survives a kill: helpers save App.sd and config.ini in a loop and are
// killed with TerminateProcess at random moments; after every kill both files must read back
// whole as exactly one generation that was written: the one before the kill or a newer one.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "win32/storage/save_generations.h"

namespace velmo {
namespace {

constexpr int kKills = 1000;
// Starting a process under Wine takes far longer than a save: several helpers, each in a
// folder of its own, keep the kills coming while the next ones start.
constexpr int kHelpers = 4;
constexpr std::uint32_t kRunSpan = 100000;  // generations one run may write
using Clock = std::chrono::steady_clock;

std::u16string ThisFolder() {
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::u16string path = Narrow16(std::wstring_view(self, n));
  return path.substr(0, path.find_last_of(u'\\'));
}

struct Helper {
  std::u16string folder;
  HANDLE ready = nullptr;  // set by the helper once its first pair is on disk
  PROCESS_INFORMATION process{};
  std::uint32_t first = 0;  // its first generation
  std::optional<Clock::time_point> kill_at;
  std::uint32_t app_before = 0, config_before = 0;
};

class SaveKillTest : public ::testing::Test {
 protected:
  void Start(Helper& h, std::uint32_t first) {
    h.first = first;
    h.kill_at.reset();
    ResetEvent(h.ready);
    std::wstring line = L"save_loop.exe \"" + Wide(h.folder) + L"\" " + std::to_wstring(first) +
                        L" " + std::to_wstring(reinterpret_cast<std::uintptr_t>(h.ready));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Wine now and then refuses a start while it is still taking a killed process down.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
      if (attempt > 0) Sleep(100);
      started = CreateProcessW(helper_.c_str(), line.data(), nullptr, nullptr, TRUE,
                               DETACHED_PROCESS, nullptr, nullptr, &startup, &h.process);
    }
    ASSERT_TRUE(started) << "CreateProcessW failed with error " << GetLastError();
  }

  // True when the file holds exactly the generation before the kill or one of this run's.
  template <typename GenerationOf>
  void Check(const std::u16string& path, GenerationOf generation_of, const Helper& h,
             std::uint32_t& before) {
    FileRead read = fs_.ReadFile(path);
    std::optional<std::uint32_t> n;
    if (read.status == FileRead::Status::kOk) n = generation_of(read.bytes);
    if (!n || (*n != before && (*n < h.first || *n >= h.first + kRunSpan))) {
      ++torn_;
      ADD_FAILURE() << Utf16ToUtf8(path) << " torn after kill " << kills_ << ": "
                    << (read.status == FileRead::Status::kOk ? "" : "unreadable, ")
                    << read.bytes.size() << " bytes";
      return;
    }
    if (*n >= h.first) saves_ += *n - h.first + 1;
    before = *n;
  }

  void Kill(Helper& h) {
    ASSERT_TRUE(TerminateProcess(h.process.hProcess, 9));
    WaitForSingleObject(h.process.hProcess, INFINITE);
    CloseHandle(h.process.hThread);
    CloseHandle(h.process.hProcess);
    ++kills_;
    const std::u16string app = JoinPath(h.folder, u"App.sd");
    const std::u16string config = JoinPath(h.folder, u"config.ini");
    Check(app, kill_test::ItemsGeneration, h, h.app_before);
    Check(config, kill_test::SettingsGeneration, h, h.config_before);
    if (fs_.PathExists(app + u".tmp") || fs_.PathExists(config + u".tmp")) ++temp_left_;
  }

  Win32FileSystem fs_;
  std::wstring helper_ = Wide(JoinPath(ThisFolder(), u"save_loop.exe"));
  int kills_ = 0, torn_ = 0, temp_left_ = 0;
  std::uint64_t saves_ = 0;
};

TEST_F(SaveKillTest, EverySaveSurvivesTerminateProcess) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  std::vector<Helper> helpers(kHelpers);
  std::uint32_t next_first = kRunSpan;
  for (int i = 0; i < kHelpers; ++i) {
    Helper& h = helpers[static_cast<std::size_t>(i)];
    h.folder = JoinPath(Narrow16(temp), u"velmo_kill_数据" + kill_test::Number(i));
    CreateDirectoryW(Wide(h.folder).c_str(), nullptr);
    // Generation 0 is on disk before the first run.
    ASSERT_TRUE(fs_.WriteFileAtomic(JoinPath(h.folder, u"App.sd"), kill_test::ItemsBytes(0)));
    ASSERT_TRUE(
        fs_.WriteFileAtomic(JoinPath(h.folder, u"config.ini"), kill_test::SettingsBytes(0)));
    h.ready = CreateEventW(&inherit, TRUE, FALSE, nullptr);
    Start(h, next_first);
    next_first += kRunSpan;
  }

  const unsigned seed = std::random_device()();
  std::mt19937 random(seed);
  // Up to about two save pairs after the helper's first one: kills land all through a save.
  std::uniform_int_distribution<int> delay_us(0, 4000);
  const auto started = Clock::now();
  int started_runs = kHelpers;
  bool stuck = false;
  while (kills_ < kKills && !stuck && !HasFatalFailure()) {
    for (Helper& h : helpers) {
      if (!h.process.hProcess) continue;
      if (!h.kill_at) {
        if (WaitForSingleObject(h.ready, 0) == WAIT_OBJECT_0) {
          h.kill_at = Clock::now() + std::chrono::microseconds(delay_us(random));
        } else {
          if (WaitForSingleObject(h.process.hProcess, 0) == WAIT_OBJECT_0 ||
              Clock::now() - started > std::chrono::minutes(8)) {
            ADD_FAILURE() << "a helper ended or hung before it saved";
            stuck = true;
          }
        }
      } else if (Clock::now() >= *h.kill_at) {
        Kill(h);
        h.process = {};
        if (started_runs < kKills) {
          Start(h, next_first);
          next_first += kRunSpan;
          ++started_runs;
        }
      }
    }
    SwitchToThread();
  }
  for (Helper& h : helpers) {
    if (h.process.hProcess) {  // only after a failure: no helper may outlive the test
      TerminateProcess(h.process.hProcess, 9);
      WaitForSingleObject(h.process.hProcess, INFINITE);
      CloseHandle(h.process.hThread);
      CloseHandle(h.process.hProcess);
    }
    CloseHandle(h.ready);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
  std::printf(
      "save kill test: %d kills, %d torn files, %d kills left a temporary file, %.1f saves "
      "per file and run, %.0f s (seed %u)\n",
      kills_, torn_, temp_left_, static_cast<double>(saves_) / (2.0 * kills_), seconds, seed);
  EXPECT_EQ(kills_, kKills);
  EXPECT_EQ(torn_, 0);
}

}  // namespace
}  // namespace velmo
