#include "box/shell/app.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

#include "box/storage/registry_ops.h"

namespace velmo {

App::App(BoxState& state, Services& services, Form& window)
    : state_(state), services_(services), window_(window) {}

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
  state_.dictionaries.Load(services_.files, data);

  window_.height = kWindowHeight;
  window_.width = kWindowWidth;
  window_.top = kStartTop;
  window_.left = services_.screen.WidthTwips() / 2 - kWindowWidth / 2;

  LoadSettings();
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
  state_.settings_file = ReadSettingsFile(services_.files, DataPath(u"config.ini"));
  const IniFile& ini = state_.settings_file.ini;
  state_.pause_list = SplitPauseList(ini.Get(kSectionMusic, kKeyPauseList).value_or(u""));

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

std::u16string Joined(const std::vector<std::u16string_view>& names) {
  std::u16string out;
  for (std::u16string_view name : names) {
    if (!out.empty()) out += u"、";
    out += name;
  }
  return out;
}

}  // namespace

void App::CheckDataFiles() {
  using State = SettingsDocument::State;
  UserLists& lists = state_.lists;
  SettingsDocument& settings = state_.settings_file;
  struct DataFile {
    std::u16string_view name;
    bool unreadable;
    bool& unwritable;
  } data_files[] = {
      {u"App.sd", lists.items.unreadable, lists.items.unwritable},
      {u"Music.sd", lists.playlist.unreadable, lists.playlist.unwritable},
      {u"Contacts.sd", lists.contacts.unreadable, lists.contacts.unwritable},
      {u"config.ini", settings.state == State::kUnreadable, settings.unwritable},
  };
  std::vector<std::u16string_view> unreadable, unwritable;
  for (DataFile& file : data_files) {
    if (file.unreadable) {
      unreadable.push_back(file.name);
    } else {
      file.unwritable = !services_.files.CanReplace(DataPath(file.name));
      if (file.unwritable) unwritable.push_back(file.name);
    }
  }

  Notice& notice = state_.startup_notice;
  auto say = [&](std::u16string text, std::u16string_view title) {
    if (notice.title.empty()) notice.title = title;
    notice.text += text;
  };
  if (settings.state == State::kKeptAside) {
    say(u"设置文件 config.ini 无法读取，已改用默认设置；原文件已另存为 config.ini.unreadable。",
        u"设置文件错误");
  }
  if (!unreadable.empty()) {
    say(u"无法读取 " + Joined(unreadable) +
            u"，可能正被其他程序占用；文件保持原样，关闭时不会改写。",
        u"文件无法读取");
  }
  if (unwritable.size() == std::size(data_files)) {
    say(u"DATA 文件夹无法写入，可能没有写入权限；关闭时不会保存列表和设置的更改。", u"无法保存");
  } else if (!unwritable.empty()) {
    say(u"无法写入 " + Joined(unwritable) +
            u"，可能是只读文件或没有写入权限；关闭时不会保存这部分更改。",
        u"无法保存");
  }
}

void App::ApplyStartAtLogIn() {
  if (state_.settings.Get(Setting::kAutoRunAfterLogIn)) {
    RegisterStartAtLogIn(services_.registry, state_.program_path);
  } else {
    UnregisterStartAtLogIn(services_.registry, state_.program_path);
  }
}

bool App::Shutdown() {
  bool saved =
      SaveUserLists(services_.files, JoinPath(state_.program_folder, u"DATA"), state_.lists);
  // Switch 10 is saved as it stands: the next start blocks the keyboard again at its first tick.
  services_.keyboard_hook.Remove();
  ApplyStartAtLogIn();
  return SaveSettings() && saved;
}

bool App::SaveSettings() {
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
  // A file that never had a pause list gets none written while the list stays empty.
  if (!state_.pause_list.empty() || ini.Get(kSectionMusic, kKeyPauseList)) {
    ini.Set(kSectionMusic, kKeyPauseList, JoinPauseList(state_.pause_list));
  }
  return WriteSettingsFile(services_.files, DataPath(u"config.ini"), state_.settings_file);
}

void SpeakText(const BoxState& state, Speech& speech, const std::u16string& text) {
  if (!state.sound_muted) speech.Speak(text);
}

}  // namespace velmo
