// Records what the command operations ask of the main window.
#pragma once

#include <string>
#include <vector>

#include "box/command/command_surface.h"

namespace velmo {

struct ShownMessage {
  std::u16string text;
  std::u16string title;
  bool operator==(const ShownMessage&) const = default;
};

class FakeCommandSurface final : public CommandSurface {
 public:
  void ShowMessage(const std::u16string& text, const std::u16string& title) override {
    messages.push_back({text, title});
  }
  void SetRecentContent(const std::u16string& caption) override { recent = caption; }
  void RestoreRecentContent() override { recent = kDefaultRecent; }
  void FocusWindow() override { ++window_focused; }

  static constexpr const char16_t* kDefaultRecent = u"最近打开的内容";
  std::vector<ShownMessage> messages;
  std::u16string recent = kDefaultRecent;
  int window_focused = 0;
};

}  // namespace velmo
