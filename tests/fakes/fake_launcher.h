// A launcher that records every request and starts only the programs a test installs.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "box/platform/launcher.h"

namespace velmo {

struct LaunchCall {
  enum class Kind { kCommandLine, kProgramFile, kShell };
  Kind kind;
  std::u16string text;
  WindowStyle style = WindowStyle::kNormal;
  bool operator==(const LaunchCall&) const = default;
};

class FakeLauncher final : public Launcher {
 public:
  // A command line starts when its first token (quoted or up to the next blank, after leading
  // blanks) is installed.
  bool StartCommandLine(const std::u16string& command_line, WindowStyle style) override {
    calls.push_back({LaunchCall::Kind::kCommandLine, command_line, style});
    return programs.count(SplitCommandLine(command_line).program) > 0;
  }
  bool StartProgramFile(const std::u16string& path, WindowStyle style) override {
    calls.push_back({LaunchCall::Kind::kProgramFile, path, style});
    return programs.count(path) > 0;
  }
  void OpenWithShell(const std::u16string& target) override {
    calls.push_back({LaunchCall::Kind::kShell, target, WindowStyle::kNormal});
  }

  std::set<std::u16string> programs;
  std::vector<LaunchCall> calls;
};

inline LaunchCall CommandLineCall(std::u16string text) {
  return {LaunchCall::Kind::kCommandLine, std::move(text), WindowStyle::kNormal};
}
inline LaunchCall ProgramFileCall(std::u16string text) {
  return {LaunchCall::Kind::kProgramFile, std::move(text), WindowStyle::kNormal};
}
inline LaunchCall ShellCall(std::u16string text) {
  return {LaunchCall::Kind::kShell, std::move(text), WindowStyle::kNormal};
}

}  // namespace velmo
