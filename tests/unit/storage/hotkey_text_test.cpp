// Hotkey text as config.ini holds it: what reads, what is refused, and the form written back.
#include "box/storage/hotkey_text.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(HotkeyTextTest, ReadsModifiersAndOneKeyAndWritesThemInOneOrder) {
  struct Case {
    std::u16string_view text;
    std::optional<Hotkey> keys;
    std::u16string_view written;
  };
  const Case cases[] = {
      {u"Alt+Space", Hotkey{false, true, false, false, 0x20}, u"Alt+Space"},
      {u"Ctrl+Alt+X", Hotkey{true, true, false, false, 'X'}, u"Ctrl+Alt+X"},
      {u" alt + ctrl + x ", Hotkey{true, true, false, false, 'X'}, u"Ctrl+Alt+X"},
      {u"Control+Shift+7", Hotkey{true, false, true, false, '7'}, u"Ctrl+Shift+7"},
      {u"Win+Shift+PageDown", Hotkey{false, false, true, true, 0x22}, u"Shift+Win+PageDown"},
      {u"F9", Hotkey{false, false, false, false, 0x78}, u"F9"},
      {u"Shift+F24", Hotkey{false, false, true, false, 0x87}, u"Shift+F24"},
      {u"ctrl+f10", Hotkey{true, false, false, false, 0x79}, u"Ctrl+F10"},
      {u"Pause", Hotkey{false, false, false, false, 0x13}, u"Pause"},
      {u"Alt+PrintScreen", Hotkey{false, true, false, false, 0x2C}, u"Alt+PrintScreen"},
      // Typing keys need Ctrl, Alt or Win: Shift alone makes capitals.
      {u"X", std::nullopt, u""},
      {u"Shift+X", std::nullopt, u""},
      {u"Space", std::nullopt, u""},
      {u"Shift+Left", std::nullopt, u""},
      // The debugger's key, keys that do not exist, broken text.
      {u"Ctrl+F12", std::nullopt, u""},
      {u"F25", std::nullopt, u""},
      {u"F0", std::nullopt, u""},
      {u"F01", std::nullopt, u""},
      {u"Ctrl+Alt+Ä", std::nullopt, u""},
      {u"Ctrl+Ctrl+X", std::nullopt, u""},
      {u"Ctrl+Alt", std::nullopt, u""},
      {u"Ctrl+", std::nullopt, u""},
      {u"Ctrl++X", std::nullopt, u""},
      {u"Ctrl+X+Y", std::nullopt, u""},
      {u"Hyper+X", std::nullopt, u""},
      {u"", std::nullopt, u""},
  };
  for (const Case& c : cases) {
    std::optional<Hotkey> keys = ParseHotkey(c.text);
    std::string text(c.text.begin(), c.text.end());
    ASSERT_EQ(keys.has_value(), c.keys.has_value()) << text;
    if (!keys) continue;
    EXPECT_EQ(*keys, *c.keys) << text;
    EXPECT_EQ(FormatHotkey(*keys), c.written) << text;
    EXPECT_EQ(ParseHotkey(FormatHotkey(*keys)), keys) << text << " reads back";
  }
}

}  // namespace
}  // namespace velmo
