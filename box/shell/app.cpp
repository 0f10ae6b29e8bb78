#include "box/shell/app.h"

#include <cmath>

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

}  // namespace

void App::LoadSettings() {
  state_.settings_file = ReadSettingsFile(services_.files, DataPath(u"config.ini"));
  state_.settings_unreadable =
      state_.settings_file.state == SettingsDocument::State::kUnreadable;
  const IniFile& ini = state_.settings_file.ini;

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

void App::ApplyStartAtLogIn() {
  if (state_.settings.Get(Setting::kAutoRunAfterLogIn)) {
    RegisterStartAtLogIn(services_.registry, state_.program_path);
  } else {
    UnregisterStartAtLogIn(services_.registry, state_.program_path);
  }
}

void App::Shutdown() {
  SaveUserLists(services_.files, JoinPath(state_.program_folder, u"DATA"), state_.lists);
  ApplyStartAtLogIn();
  SaveSettings();
}

void App::SaveSettings() {
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
  WriteSettingsFile(services_.files, DataPath(u"config.ini"), state_.settings_file);
}

void SpeakText(const BoxState& state, Speech& speech, const std::u16string& text) {
  if (!state.sound_muted) speech.Speak(text);
}

}  // namespace velmo
