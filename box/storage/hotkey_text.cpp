// Hotkey text: names of keys and modifiers.
#include "box/storage/hotkey_text.h"

#include <array>

namespace velmo {
namespace {

constexpr int kF1 = 0x70;
constexpr int kF12 = 0x7B;
constexpr int kF24 = 0x87;

struct NamedKey {
  std::u16string_view name;
  int key;
  bool alone;  // may stand without a modifier
};

constexpr std::array<NamedKey, 17> kNamedKeys = {{
    {u"Space", 0x20, false},
    {u"Tab", 0x09, false},
    {u"Enter", 0x0D, false},
    {u"Esc", 0x1B, false},
    {u"Backspace", 0x08, false},
    {u"Insert", 0x2D, false},
    {u"Delete", 0x2E, false},
    {u"Home", 0x24, false},
    {u"End", 0x23, false},
    {u"PageUp", 0x21, false},
    {u"PageDown", 0x22, false},
    {u"Left", 0x25, false},
    {u"Up", 0x26, false},
    {u"Right", 0x27, false},
    {u"Down", 0x28, false},
    {u"PrintScreen", 0x2C, true},
    {u"Pause", 0x13, true},
}};

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::u16string_view Trimmed(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

// The key and whether it may stand alone.
std::optional<std::pair<int, bool>> KeyOf(std::u16string_view name) {
  if (name.size() == 1) {
    char16_t c = Lower(name[0]);
    if (c >= u'a' && c <= u'z') return std::pair{static_cast<int>(c - u'a' + u'A'), false};
    if (c >= u'0' && c <= u'9') return std::pair{static_cast<int>(c), false};
    return std::nullopt;
  }
  if (Lower(name[0]) == u'f' && name.size() <= 3) {
    int n = 0;
    for (char16_t c : name.substr(1)) {
      if (c < u'0' || c > u'9') return std::nullopt;
      n = n * 10 + (c - u'0');
    }
    if (name[1] == u'0' || n < 1 || kF1 + n - 1 > kF24) return std::nullopt;
    return std::pair{kF1 + n - 1, true};
  }
  for (const NamedKey& k : kNamedKeys) {
    if (SameName(name, k.name)) return std::pair{k.key, k.alone};
  }
  return std::nullopt;
}

}  // namespace

std::optional<Hotkey> ParseHotkey(std::u16string_view text) {
  Hotkey keys;
  while (true) {
    std::size_t plus = text.find(u'+');
    std::u16string_view part = Trimmed(text.substr(0, plus));
    if (part.empty()) return std::nullopt;
    if (plus == std::u16string_view::npos) {
      std::optional<std::pair<int, bool>> key = KeyOf(part);
      if (!key || key->first == kF12) return std::nullopt;
      keys.key = key->first;
      bool typing_safe = keys.ctrl || keys.alt || keys.win;
      if (!key->second && !typing_safe) return std::nullopt;
      return keys;
    }
    bool* modifier = SameName(part, u"Ctrl") || SameName(part, u"Control") ? &keys.ctrl
                     : SameName(part, u"Alt")                              ? &keys.alt
                     : SameName(part, u"Shift")                            ? &keys.shift
                     : SameName(part, u"Win")                              ? &keys.win
                                                                           : nullptr;
    if (!modifier || *modifier) return std::nullopt;
    *modifier = true;
    text.remove_prefix(plus + 1);
  }
}

std::u16string FormatHotkey(const Hotkey& keys) {
  std::u16string text;
  if (keys.ctrl) text += u"Ctrl+";
  if (keys.alt) text += u"Alt+";
  if (keys.shift) text += u"Shift+";
  if (keys.win) text += u"Win+";
  if ((keys.key >= 'A' && keys.key <= 'Z') || (keys.key >= '0' && keys.key <= '9')) {
    text += static_cast<char16_t>(keys.key);
  } else if (keys.key >= kF1 && keys.key <= kF24) {
    int n = keys.key - kF1 + 1;
    text += u'F';
    if (n >= 10) text += static_cast<char16_t>(u'0' + n / 10);
    text += static_cast<char16_t>(u'0' + n % 10);
  } else {
    for (const NamedKey& k : kNamedKeys) {
      if (k.key == keys.key) text += k.name;
    }
  }
  return text;
}

}  // namespace velmo
