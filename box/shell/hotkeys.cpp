// The summoning and capture hotkeys.
#include "box/shell/hotkeys.h"

#include "box/storage/hotkey_text.h"

namespace velmo {

Hotkeys::Hotkeys(MainWindow& window, MiniWindow& mini, OptionsPage& options, BoxState& state,
                 GlobalHotkeys& system)
    : window_(window), mini_(mini), options_(options), state_(state), system_(system) {
  options_.show_hotkey_switch().on_change = [this](bool on) { SwitchShowHotkey(on); };
}

void Hotkeys::FinishStartup() {
  // Turned off, the switch turns the delivered keys on again.
  show_keys_ =
      state_.hotkeys.show.empty() ? std::u16string(kDefaultShowHotkey) : state_.hotkeys.show;
  if (std::optional<Hotkey> keys = ParseHotkey(show_keys_)) show_keys_ = FormatHotkey(*keys);
  Control& row = options_.show_hotkey_row();
  row.text = u"全局热键 " + show_keys_ + u" 呼出盒子";
  options_.show_hotkey_switch().panel().access.name = row.text;
  options_.show_hotkey_switch().SetValue(!state_.hotkeys.show.empty());

  std::u16string problems = Register(kShowBox) + Register(kCapture);
  if (problems.empty()) return;
  Notice& notice = state_.startup_notice;
  if (notice.title.empty()) notice.title = u"热键不可用";
  notice.text += problems;
}

void Hotkeys::Release() {
  system_.Unregister(kShowBox);
  system_.Unregister(kCapture);
}

std::u16string Hotkeys::Register(Id id) {
  bool show = id == kShowBox;
  const std::u16string& text = show ? state_.hotkeys.show : state_.hotkeys.capture;
  if (text.empty()) return u"";
  const std::u16string_view key = show ? kKeyShowHotkey : kKeyCaptureHotkey;
  const std::u16string_view what = show ? u"呼出盒子" : u"截屏";
  std::optional<Hotkey> keys = ParseHotkey(text);
  if (!keys) {
    return u"config.ini 中的 " + std::u16string(key) + u"=" + text +
           u" 不是可用的热键（例如 Alt+Space、Ctrl+Alt+X），无法用它" + std::u16string(what) +
           u"。";
  }
  std::function<void()> pressed = [this] { ShowPressed(); };
  if (!show) {
    pressed = [this] {
      if (on_capture) on_capture();
    };
  }
  // The system would refuse the second as taken, as if by another program.
  if (!show && ParseHotkey(state_.hotkeys.show) == keys) {
    return u"config.ini 中的 CaptureHotkey 与 ShowHotkey 都是 " + FormatHotkey(*keys) +
           u"，这个热键只用来呼出盒子，无法用它截屏。";
  }
  switch (system_.Register(id, *keys, std::move(pressed))) {
    case HotkeyRegistration::kRegistered:
      return u"";
    case HotkeyRegistration::kTaken:
      return u"热键 " + FormatHotkey(*keys) + u" 已被其他程序占用，无法用它" +
             std::u16string(what) + u"；盒子照常可用。可在 config.ini 的 [Window] 中用 " +
             std::u16string(key) + u" 换一个热键。";
    case HotkeyRegistration::kFailed:
      break;
  }
  return u"系统拒绝了热键 " + FormatHotkey(*keys) + u"，无法用它" + std::u16string(what) + u"。";
}

void Hotkeys::SwitchShowHotkey(bool on) {
  // Start-up sets the switch before anything is registered.
  bool registered = !state_.hotkeys.show.empty();
  if (on == registered) return;
  system_.Unregister(kShowBox);
  state_.hotkeys.show = on ? show_keys_ : u"";
  if (!on) return;
  std::u16string problem = Register(kShowBox);
  if (!problem.empty()) window_.ShowMessage(problem, u"热键不可用");
}

void Hotkeys::ShowPressed() {
  Form& form = window_.form();
  Docking& docking = window_.docking();
  if (form.active && docking.Shown() && !mini_.form().visible) {
    docking.DockAway();
    form.RequestKeyboard(Form::KeyboardRequest::kGiveBack);
    return;
  }
  if (mini_.form().visible) mini_.Restore();
  docking.Summon();
  // Typing replaces what the box held.
  form.SetFocus(&window_.command_box());
  window_.command_box().select_all = true;
  form.RequestKeyboard(Form::KeyboardRequest::kTake);
}

}  // namespace velmo
