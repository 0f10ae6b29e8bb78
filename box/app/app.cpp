#include "box/app/app.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "box/storage/registry_ops.h"
#include "box/storage/text_codec.h"

namespace velmo {

App::App(BoxState& state, Services& services, Form& window)
    : state_(state),
      services_(services),
      window_(window),
      saver_(state, services.files, window, [this] { FillSettings(); }) {}

std::u16string App::DataPath(std::u16string_view name) const {
  return JoinPath(JoinPath(state_.program_folder, u"DATA"), name);
}

bool App::AcquireInstance(InstanceLock& lock) {
  return lock.Acquire(std::u16string(kInstanceLockName));
}

void App::Startup() {
  CreateFolders();

  std::u16string data = JoinPath(state_.program_folder, u"DATA");
  state_.lists = LoadUserLists(services_.files, data);
  state_.usage = LoadUsageFile(services_.files, JoinPath(data, kUsageFileName));

  window_.height = kWindowHeight;
  window_.width = kWindowWidth;
  window_.top = kStartTop;
  window_.left = services_.screen.WidthTwips() / 2 - kWindowWidth / 2;

  LoadSettings();
  saver_.Baseline();
  OfferRecovery();
}

void App::CreateFolders() {
  for (std::u16string_view name : {u"DATA", u"Plugins", u"CleanLogs"}) {
    std::u16string path = JoinPath(state_.program_folder, name);
    if (!services_.files.PathExists(path)) services_.files.CreateFolder(path);
  }
}

namespace {

bool ReadSwitch(const IniFile& ini, const SettingKey& key) {
  return ParseIniBool(ReadIniValue(ini, key.section, key.key)).value_or(key.delivered);
}

int ReadPosition(const IniFile& ini, std::u16string_view key, float delivered) {
  float value = ParseIniNumber(ReadIniValue(ini, kSectionBasic, key)).value_or(delivered);
  // A position far outside any screen is as good as a broken value.
  if (!std::isfinite(value) || std::fabs(value) > 1e8f) value = delivered;
  return static_cast<int>(std::lround(value));
}

// A remembered left that puts the window wholly beside every monitor (one that is gone, a
// smaller screen) moves onto the nearest work area. The top is kept: the dock watch brings
// back a window above or below the screen, and the docked positions must stay as they are.
int LeftOnAMonitor(Screen& screen, const Form& window) {
  PixelScale scale = screen.Scale();
  PixelRect w = scale.Rect(window.left, window.top, window.width, window.height);
  const std::vector<PixelRect> areas = screen.WorkAreas();
  const PixelRect* nearest = nullptr;
  std::int64_t nearest_distance = 0;
  for (const PixelRect& area : areas) {
    if (w.left < area.right && w.right > area.left) return window.left;
    std::int64_t dx = std::max({0, area.left - w.right, w.left - area.right});
    std::int64_t dy = std::max({0, area.top - w.bottom, w.top - area.bottom});
    if (!nearest || dx * dx + dy * dy < nearest_distance) {
      nearest = &area;
      nearest_distance = dx * dx + dy * dy;
    }
  }
  if (!nearest) return window.left;
  int width = w.right - w.left;
  return scale.Twips(std::max(nearest->left, std::min(w.left, nearest->right - width)));
}

}  // namespace

void App::LoadSettings() {
  state_.settings_file =
      ReadSettingsFile(services_.files, DataPath(u"config.ini"), DataPath(u"config.ini.default"));
  const IniFile& ini = state_.settings_file.ini;
  state_.pause_list = SplitPauseList(ini.Get(kSectionMusic, kKeyPauseList).value_or(u""));
  // A missing key is the default; an empty one turns the hotkey off.
  for (auto [key, text] : {std::pair{kKeyShowHotkey, &state_.hotkeys.show},
                           std::pair{kKeyCaptureHotkey, &state_.hotkeys.capture}}) {
    if (ini.Get(kSectionWindow, key)) *text = ReadIniValue(ini, kSectionWindow, key);
  }

  for (const SettingKey& key : SettingKeysInLoadOrder()) {
    bool on = ReadSwitch(ini, key);
    state_.settings.Set(key.setting, on);
    switch (key.setting) {
      case Setting::kGreetingAfterRunning:
        // The greeting speaks whatever the sound button says.
        if (on) services_.speech.Speak(std::u16string(kGreeting));
        break;
      case Setting::kPositionRecord:
        if (on) {
          window_.top = ReadPosition(ini, kKeyTop, kDeliveredTop);
          window_.left = ReadPosition(ini, kKeyLeft, kDeliveredLeft);
          window_.left = LeftOnAMonitor(services_.screen, window_);
        }
        break;
      case Setting::kAutoRunAfterLogIn:
        ApplyStartAtLogIn();
        break;
      default:
        break;
    }
  }
}

namespace {

constexpr std::uint64_t kSaveMarginBytes = 64 * 1024;
// Where the end of a session leaves word of the lists it kept: one value for each program
// folder, holding the recovery folder.
constexpr std::u16string_view kRecoveryKey = u"Software\\VelmoBox\\Recovery";
constexpr std::uint32_t kRegString = 1;

std::u16string Kilobytes(std::uint64_t bytes) {
  return Utf8ToUtf16(std::to_string((bytes + 1023) / 1024)) + u" KB";
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

std::u16string Joined(const std::vector<std::u16string_view>& names) {
  std::u16string out;
  for (std::u16string_view name : names) {
    if (!out.empty()) out += u"、";
    out += name;
  }
  return out;
}

}  // namespace

void App::LoadDictionaries() {
  state_.dictionaries.Load(services_.files, JoinPath(state_.program_folder, u"DATA"));
}

void App::CheckDataFiles() {
  using State = SettingsDocument::State;
  Notice& notice = state_.startup_notice;
  auto say = [&](std::u16string text, std::u16string_view title) {
    if (notice.title.empty()) notice.title = title;
    notice.text += text;
  };
  if (state_.settings_file.state == State::kKeptAside) {
    say(u"设置文件 config.ini 无法读取，已改用默认设置；原文件已另存为 config.ini.unreadable。",
        u"设置文件错误");
  }

  UserLists& lists = state_.lists;
  struct DataFile {
    Document document;
    bool unreadable;
    std::uint64_t bytes = 0;
  } data_files[] = {
      {Document::kItems, lists.items.unreadable},
      {Document::kPlaylist, lists.playlist.unreadable},
      {Document::kContacts, lists.contacts.unreadable},
      {Document::kSettings, state_.settings_file.state == State::kUnreadable},
  };
  const std::u16string data = JoinPath(state_.program_folder, u"DATA");
  bool listed = services_.files.ListFolder(data, [&](const FolderEntry& entry) {
    for (DataFile& file : data_files) {
      if (EqualsIgnoringCase(entry.name, FileNameOf(saver_.PathOf(file.document)))) {
        file.bytes = entry.size;
      }
    }
  });
  if (!listed && services_.files.PathExists(data)) {
    say(u"程序文件夹中的 DATA 是一个文件，不是文件夹，列表和设置都无法保存。请移走或改名这个文件，"
        u"然后重新启动盒子。",
        u"无法保存");
    for (const DataFile& file : data_files) saver_.SaidUnwritable(file.document);
    saver_.Start();
    return;
  }

  std::vector<std::u16string_view> unreadable, unwritable;
  std::vector<std::u16string> names;
  for (const DataFile& file : data_files) names.push_back(FileNameOf(saver_.PathOf(file.document)));
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < std::size(data_files); ++i) {
    const DataFile& file = data_files[i];
    total += file.bytes;
    if (file.unreadable) {
      unreadable.push_back(names[i]);
    } else if (!services_.files.CanReplace(saver_.PathOf(file.document))) {
      unwritable.push_back(names[i]);
      saver_.SaidUnwritable(file.document);
    }
  }
  if (!unreadable.empty()) {
    say(u"无法读取 " + Joined(unreadable) + u"，可能正被其他程序占用；文件保持原样，不会被改写。",
        u"文件无法读取");
  }
  if (unwritable.size() == std::size(data_files)) {
    say(u"DATA 文件夹无法写入，可能没有写入权限；列表和设置的更改无法保存。", u"无法保存");
  } else if (!unwritable.empty()) {
    say(u"无法写入 " + Joined(unwritable) + u"，可能是只读文件或没有写入权限；这部分更改无法保存。",
        u"无法保存");
  } else {
    // A save writes the new file beside the old one and keeps a copy of the old: room for
    // twice what the files hold now, and for some growth.
    std::uint64_t need = 2 * total + kSaveMarginBytes;
    std::optional<std::uint64_t> free = services_.files.FreeBytes(data);
    if (free && *free < need) {
      say(u"DATA 所在的磁盘只剩 " + Kilobytes(*free) + u" 可用空间，保存列表和设置需要约 " +
              Kilobytes(need) + u"；请腾出磁盘空间，否则更改将无法保存。",
          u"磁盘空间不足");
    }
  }
  saver_.Start();
}

void App::ApplyStartAtLogIn() {
  if (state_.settings.Get(Setting::kAutoRunAfterLogIn)) {
    RegisterStartAtLogIn(services_.registry, state_.program_path);
  } else {
    UnregisterStartAtLogIn(services_.registry, state_.program_path);
  }
}

bool App::Shutdown() {
  bool written = saver_.WriteNow({Document::kItems, Document::kPlaylist, Document::kContacts});
  // Only the order of suggestions depends on it: a failure holds nothing up.
  saver_.WriteNow({Document::kUsage});
  // Switch 10 is saved as it stands: the next start blocks the keyboard again at its first tick.
  services_.keyboard_hook.Remove();
  ApplyStartAtLogIn();
  return saver_.WriteNow({Document::kSettings}) && written;
}

void App::FillSettings() {
  IniFile& ini = state_.settings_file.ini;
  auto write = [&](Setting s) {
    const SettingKey& key = KeyOf(s);
    WriteIniValue(ini, key.section, key.key, FormatBool(state_.settings.Get(s)));
  };
  write(Setting::kGreetingAfterRunning);
  write(Setting::kPositionRecord);
  WriteIniValue(ini, kSectionBasic, kKeyTop, FormatSingle(static_cast<float>(window_.top)));
  WriteIniValue(ini, kSectionBasic, kKeyLeft, FormatSingle(static_cast<float>(window_.left)));
  for (Setting s : {Setting::kAutoRunAfterLogIn, Setting::kPlayMusicAfterRunning,
                    Setting::kPauseWhenProgramRunning, Setting::kAllowUserSetProgramPath,
                    Setting::kAutoCleanAfterRunning, Setting::kClearRecycledWhenCleanerWork,
                    Setting::kPowerfulCleaningMode, Setting::kKeyIntercept,
                    Setting::kForceToKillUserProgress, Setting::kTransparentUI}) {
    write(s);
  }
  WriteIniValue(ini, kSectionWindow, kKeyShowHotkey, state_.hotkeys.show);
  WriteIniValue(ini, kSectionWindow, kKeyCaptureHotkey, state_.hotkeys.capture);
  // A file that never had a pause list gets none written while the list stays empty.
  if (!state_.pause_list.empty() || ini.Get(kSectionMusic, kKeyPauseList)) {
    ini.Set(kSectionMusic, kKeyPauseList, JoinPauseList(state_.pause_list));
  }
}

std::optional<std::u16string> App::RecoveryFolder() {
  std::optional<std::u16string> local = services_.known_folders.Get(KnownFolder::kLocalAppData);
  if (!local) return std::nullopt;
  // One folder for each program folder, named after it: two copies of the box never take each
  // other's lists.
  std::u16string name = state_.program_folder;
  for (char16_t& c : name) {
    if (c == u'\\' || c == u'/' || c == u':') c = u'_';
  }
  return JoinPath(JoinPath(JoinPath(*local, u"VelmoBox"), u"Recovery"), name);
}

void App::KeepForRecovery() {
  std::optional<std::u16string> folder = RecoveryFolder();
  if (!folder) return;
  bool kept = false;
  for (const UnsavedDocument& unsaved : saver_.Unsaved()) {
    // The settings are not worth a question at the next start; a list the box could not read
    // holds only what was added since, and must not replace the file it never saw.
    if (unsaved.document == Document::kSettings) continue;
    if (ListOf(state_, unsaved.document).unreadable) continue;
    if (!kept) {
      std::u16string parent = folder->substr(0, folder->find_last_of(u'\\'));
      services_.files.CreateFolder(parent.substr(0, parent.find_last_of(u'\\')));
      services_.files.CreateFolder(parent);
      services_.files.CreateFolder(*folder);
    }
    kept |= static_cast<bool>(services_.files.WriteFileAtomic(JoinPath(*folder, unsaved.name),
                                                              saver_.BytesOf(unsaved.document)));
  }
  // The next start finds the folder through the registry: it need not ask the shell where the
  // application data lies at every start.
  if (kept) {
    SetRegValue(services_.registry, RegistryRoot::kCurrentUser, kRecoveryKey, state_.program_folder,
                kRegString, *folder);
  }
}

void App::OfferRecovery() {
  std::optional<std::u16string> folder = GetRegString(
      services_.registry, RegistryRoot::kCurrentUser, kRecoveryKey, state_.program_folder);
  if (!folder) return;
  struct Kept {
    Document document;
    ListKind kind;
    std::u16string path;
    std::string bytes;
  };
  std::vector<Kept> kept;
  std::vector<std::u16string_view> names;
  for (auto [document, kind] : {std::pair{Document::kItems, ListKind::kItems},
                                std::pair{Document::kPlaylist, ListKind::kPlaylist},
                                std::pair{Document::kContacts, ListKind::kContacts}}) {
    std::u16string path = JoinPath(*folder, ListFileName(kind));
    FileRead read = services_.files.ReadFile(path);
    if (read.status != FileRead::Status::kOk) continue;
    kept.push_back({document, kind, path, std::move(read.bytes)});
    names.push_back(ListFileName(kind));
  }
  if (kept.empty()) {
    DeleteRegValue(services_.registry, RegistryRoot::kCurrentUser, kRecoveryKey,
                   state_.program_folder);
    return;
  }
  bool restore = services_.dialogs.Ask(
      u"上次 Windows 注销或关机时，" + Joined(names) + u" 未能写入 DATA 文件夹，其内容已另存在 " +
          *folder +
          u"。\r\n\r\n选“是”恢复这些内容，替换现在的列表；选“否”保留现在的列表，并删除另存的内容。",
      u"恢复未保存的列表");
  for (Kept& k : kept) {
    if (restore) {
      ListFile& file = ListOf(state_, k.document);
      ListFile restored = ParseListFile(DecodeText(k.bytes).text, k.kind);
      // Counted as a change: the saver writes it, even if writing it now fails.
      restored.list.revision = file.list.revision + 1;
      file = std::move(restored);
      if (!services_.files.WriteFileAtomic(saver_.PathOf(k.document), k.bytes)) continue;
    }
    services_.files.RemoveFile(k.path);
  }
  DeleteRegValue(services_.registry, RegistryRoot::kCurrentUser, kRecoveryKey,
                 state_.program_folder);
}

}  // namespace velmo
