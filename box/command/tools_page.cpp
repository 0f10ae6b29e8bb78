#include "box/command/tools_page.h"

#include <array>
#include <utility>

#include "box/command/command_keys.h"
#include "box/system/process_checks.h"

namespace velmo {
namespace {

bool AnyModifier(const Modifiers& m) { return m.shift || m.ctrl || m.alt; }

}  // namespace

ToolsPage::ToolsPage(MainWindow& window, BoxState& state, Services& services)
    : window_(window), state_(state), services_(services) {
  Form& form = window_.form();
  const std::array<std::pair<int, std::u16string_view>, 5> programs = {{{0, kCalculatorCommand},
                                                                        {1, u"mspaint.exe"},
                                                                        {3, u"notepad.exe"},
                                                                        {6, u"taskmgr.exe"},
                                                                        {7, u"regedit"}}};
  for (auto [tile, command] : programs) {
    form.Get("PicTool", tile).on_click = [this, command = command](const MouseEvent&) {
      Start(command);
    };
  }

  form.Get("PicComputer").on_click = [this](const MouseEvent&) { Start(kComputerCommand); };
  // A press, not a click: the left button opens the bin, the right one empties it; with Shift,
  // Ctrl or Alt held neither does anything.
  form.Get("PicRecycleBin").on_mouse_down = [this](const MouseEvent& e) {
    if (AnyModifier(e.modifiers)) return;
    if (e.button == MouseButton::kLeft) Start(kRecycleBinCommand);
    if (e.button == MouseButton::kRight) EmptyRecycleBin();
  };
  auto power = [this](PowerCommand command) {
    return [this, command](const MouseEvent&) {
      RunPowerCommand(command, services_.launcher,
                      state_.settings.Get(Setting::kForceToKillUserProgress));
    };
  };
  form.Get("PicShutdown").on_click = power(PowerCommand::kShutDown);
  form.Get("PicRestart").on_click = power(PowerCommand::kRestart);
  // Sleep ends no program.
  form.Get("PicSleep").on_click = [this](const MouseEvent&) {
    services_.launcher.StartCommandLine(std::u16string(kSleepCommand), WindowStyle::kMinimized);
  };
}

void ToolsPage::Start(std::u16string_view command_line) {
  services_.launcher.StartCommandLine(std::u16string(command_line), WindowStyle::kNormal);
}

// The system says whether the bin is empty afterwards: a count of the files lying directly in
// "C:\$Recycle.Bin" would say nothing, as that folder holds one folder for each user.
void ToolsPage::EmptyRecycleBin() {
  if (services_.recycle_bin.Empty())
    window_.ShowMessage(u"系统回收站的内容已清空。", u"清空回收站");
}

}  // namespace velmo
