// Run on an item list of 10,000 entries, from the Enter key in the command box to the launch
// request (or the not-found message): the whole road must stay under 1 ms.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "box/command/command_pages.h"
#include "box/storage/text_codec.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_file_icons.h"
#include "fakes/fake_global_hotkeys.h"
#include "fakes/fake_keyboard_hook.h"
#include "fakes/fake_known_folders.h"
#include "fakes/fake_launcher.h"
#include "fakes/fake_media_engine.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_recycle_bin.h"
#include "fakes/fake_services.h"

namespace velmo {
namespace {

constexpr int kItems = 10000;

// Only the existence test is on the road of Run; a hash set answers it as fast as a file system
// cache would.
class ExistingFiles final : public FileSystem {
 public:
  FileRead ReadFile(const std::u16string&) override { return {}; }
  std::unique_ptr<FileView> MapFile(const std::u16string&) override { return nullptr; }
  WriteResult WriteFileAtomic(const std::u16string&, std::string_view) override {
    return {WriteError::kOther};
  }
  bool CanReplace(const std::u16string&) override { return false; }
  bool CopyFile(const std::u16string&, const std::u16string&) override { return false; }
  bool RemoveFile(const std::u16string&) override { return false; }
  bool FileExists(const std::u16string& path) override { return paths.count(path) > 0; }
  bool PathExists(const std::u16string& path) override { return paths.count(path) > 0; }
  bool CreateFolder(const std::u16string&) override { return false; }
  bool ListFolder(const std::u16string&, const std::function<void(const FolderEntry&)>&) override {
    return false;
  }
  std::optional<FolderIdentity> IdentityOf(const std::u16string&) override { return std::nullopt; }
  std::optional<std::uint64_t> FreeBytes(const std::u16string&) override { return std::nullopt; }
  std::unordered_set<std::u16string> paths;
};

class NoRegistry final : public Registry {
 public:
  bool SetValue(RegistryRoot, const std::u16string&, const std::u16string&,
                const RegistryValue&) override {
    return false;
  }
  bool DeleteValue(RegistryRoot, const std::u16string&, const std::u16string&) override {
    return false;
  }
  std::optional<RegistryValue> GetValue(RegistryRoot, const std::u16string&,
                                        const std::u16string&) override {
    return std::nullopt;
  }
};

std::u16string ItemName(int i) { return u"项目" + Utf8ToUtf16(std::to_string(i)); }

struct Box {
  Box() {
    state.program_folder = u"C:\\Box";
    for (int i = 0; i < kItems; ++i) {
      std::u16string path =
          u"C:\\Program Files\\应用\\程序" + Utf8ToUtf16(std::to_string(i)) + u".exe";
      files.paths.insert(path);
      launcher.programs.insert(path);
      state.lists.items.list.Append(ItemName(i), path);
    }
    window = std::make_unique<MainWindow>(state, services);
    pages = std::make_unique<CommandPages>(*window, state, services);
    window->FinishStartup();
    pages->FinishStartup();
  }

  // Types `text` into the command box and presses Enter.
  void Enter(const std::u16string& text) {
    Form& form = window->form();
    Control& box = window->command_box();
    form.TextEdited(box, text);
    form.KeyDown(KeyEvent{13, {}}, &box);
  }

  ExistingFiles files;
  NoRegistry registry;
  FakeSpeech speech;
  FakeScreen screen;
  FakeClock clock;
  FakeLauncher launcher;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeProcesses processes;
  FakeKnownFolders known_folders;
  FakeMediaEngine media;
  FakeFileSystem bin_files;
  FakeRecycleBin recycle_bin{bin_files};
  FakeKeyboardHook keyboard_hook{bin_files};
  FakePower power;
  FakeGlobalHotkeys hotkeys;
  FakeFileIcons icons;
  Services services{files,         registry,  speech,    screen,        clock, launcher,
                    dialogs,       clipboard, processes, known_folders, media, recycle_bin,
                    keyboard_hook, power,     hotkeys,   icons};
  BoxState state;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<CommandPages> pages;
};

// The last item: the scan passes every other name first.
void BM_RunLastOfTenThousand(benchmark::State& bench) {
  Box box;
  const std::u16string name = ItemName(kItems - 1);
  for (auto _ : bench) {
    box.Enter(name);
    if (box.launcher.calls.size() != 1) bench.SkipWithError("no launch request");
    box.launcher.calls.clear();
    box.speech.spoken.clear();
  }
}
BENCHMARK(BM_RunLastOfTenThousand)->Unit(benchmark::kMicrosecond);

// No item of that name: a full scan, then the message panel.
void BM_RunNotFoundInTenThousand(benchmark::State& bench) {
  Box box;
  for (auto _ : bench) box.Enter(u"没有这个项目");
}
BENCHMARK(BM_RunNotFoundInTenThousand)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
