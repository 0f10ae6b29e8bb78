// The twelve settings keys of config.ini with the values the program is delivered with.
#include "box/storage/settings.h"

#include <algorithm>

namespace velmo {

const std::array<SettingKey, 12>& SettingKeysInLoadOrder() {
  // Switch 6 is read before switch 5: the order of the keys in the file, not of the switches.
  static constexpr std::array<SettingKey, 12> kKeys{{
      {Setting::kGreetingAfterRunning, u"Basic", u"GreetingAfterRunning", true},
      {Setting::kPositionRecord, u"Basic", u"PositionRecord", true},
      {Setting::kAutoRunAfterLogIn, u"Basic", u"AutoRunAfterLogIn", false},
      {Setting::kPlayMusicAfterRunning, u"Music", u"PlayMusicAfterRunning", false},
      {Setting::kPauseWhenProgramRunning, u"Music", u"PauseWhenProgramRunning", false},
      {Setting::kAllowUserSetProgramPath, u"ProgramTransfer", u"AllowUserSetProgramPath", false},
      {Setting::kAutoCleanAfterRunning, u"FileCleaner", u"AutoCleanAfterRunning", false},
      {Setting::kClearRecycledWhenCleanerWork, u"FileCleaner", u"ClearRecycledWhenCleanerWork",
       false},
      {Setting::kPowerfulCleaningMode, u"FileCleaner", u"PowerfulCleaningMode", false},
      {Setting::kKeyIntercept, u"Debug", u"KeyIntercept", false},
      {Setting::kForceToKillUserProgress, u"Debug", u"ForceToKillUserProgress", false},
      {Setting::kTransparentUI, u"Debug", u"TransparentUI", false},
  }};
  return kKeys;
}

const SettingKey& KeyOf(Setting setting) {
  const auto& keys = SettingKeysInLoadOrder();
  for (const SettingKey& key : keys) {
    if (key.setting == setting) return key;
  }
  return keys.front();  // unreachable: every Setting has a row
}

Settings::Settings() {
  for (const SettingKey& key : SettingKeysInLoadOrder()) Set(key.setting, key.delivered);
}

std::vector<std::u16string> SplitPauseList(std::u16string_view value) {
  std::vector<std::u16string> names;
  while (!value.empty()) {
    std::size_t bar = std::min(value.find(u'|'), value.size());
    if (bar > 0) names.emplace_back(value.substr(0, bar));
    value.remove_prefix(std::min(bar + 1, value.size()));
  }
  return names;
}

std::u16string JoinPauseList(const std::vector<std::u16string>& names) {
  std::u16string value;
  for (const std::u16string& name : names) {
    if (!value.empty()) value += u'|';
    value += name;
  }
  return value;
}

}  // namespace velmo
