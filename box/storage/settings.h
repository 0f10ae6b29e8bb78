// The twelve on/off settings, their keys in config.ini and their delivered values.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Numbered like the options page's switches (sSwitch_Small1 .. sSwitch_Small12).
enum class Setting {
  kGreetingAfterRunning = 1,
  kPositionRecord = 2,
  kAutoRunAfterLogIn = 3,
  kPlayMusicAfterRunning = 4,
  kAllowUserSetProgramPath = 5,
  kPauseWhenProgramRunning = 6,
  kAutoCleanAfterRunning = 7,
  kClearRecycledWhenCleanerWork = 8,
  kPowerfulCleaningMode = 9,
  kKeyIntercept = 10,
  kForceToKillUserProgress = 11,
  kTransparentUI = 12,
};

struct SettingKey {
  Setting setting;
  std::u16string_view section;
  std::u16string_view key;
  bool delivered;
};

// In the order they are read at start-up.
const std::array<SettingKey, 12>& SettingKeysInLoadOrder();
const SettingKey& KeyOf(Setting setting);

class Settings {
 public:
  Settings();  // the delivered values
  bool Get(Setting s) const { return values_[static_cast<int>(s) - 1]; }
  void Set(Setting s, bool on) { values_[static_cast<int>(s) - 1] = on; }

 private:
  std::array<bool, 12> values_{};
};

// The programs that pause the music, by image name, in one value: "game.exe|编辑器.exe". A "|"
// cannot be part of a file name.
inline constexpr std::u16string_view kSectionMusic = u"Music";
inline constexpr std::u16string_view kKeyPauseList = u"PauseList";
std::vector<std::u16string> SplitPauseList(std::u16string_view value);
std::u16string JoinPauseList(const std::vector<std::u16string>& names);

// The global hotkeys, as hotkey text ("Alt+Space"); an empty value turns one off.
inline constexpr std::u16string_view kSectionWindow = u"Window";
inline constexpr std::u16string_view kKeyShowHotkey = u"ShowHotkey";
inline constexpr std::u16string_view kKeyCaptureHotkey = u"CaptureHotkey";
inline constexpr std::u16string_view kDefaultShowHotkey = u"Alt+Space";
// None of the box's own Ctrl+Alt keys, and taken by default neither by Windows nor by the input
// methods and chat programs the box's users run beside it (QQ's capture is Ctrl+Alt+A, WeChat's
// Alt+A, DingTalk's Ctrl+Shift+A). X as in cutting out.
inline constexpr std::u16string_view kDefaultCaptureHotkey = u"Ctrl+Alt+X";
struct HotkeySettings {
  std::u16string show{kDefaultShowHotkey};
  std::u16string capture{kDefaultCaptureHotkey};
};

inline constexpr std::u16string_view kSectionBasic = u"Basic";
inline constexpr std::u16string_view kKeyTop = u"Top";
inline constexpr std::u16string_view kKeyLeft = u"Left";
inline constexpr float kDeliveredTop = 0;
inline constexpr float kDeliveredLeft = 11700;

}  // namespace velmo
