#include "box/command/tools_page.h"

#include <array>
#include <utility>

#include "box/command/command_keys.h"
#include "box/shell/window_parts.h"
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
    Control& t = form.Get("PicTool", tile);
    t.on_click = [this, command = command, &t](const MouseEvent&) { Start(command, t.text); };
  }

  // The quick tools, a row under the tiles: their names show in the page's title like the
  // tiles'. The description gives "清理垃圾" no action; it opens the cleaner as its tile does.
  Page& tools = window_.page(PageId::kTools);
  struct QuickTool {
    std::u16string_view name;
    int image;
    std::u16string_view command;  // none: the cleaner
  };
  const std::array<QuickTool, 4> quick = {{{u"计算器", 47, kCalculatorCommand},
                                           {u"画图", 49, u"mspaint.exe"},
                                           {u"清理垃圾", 59, u""},
                                           {u"记事本", 51, u"notepad.exe"}}};
  for (int i = 0; i < 4; ++i) {
    const QuickTool& tool = quick[static_cast<std::size_t>(i)];
    Control& b = form.Add(*tools.panel, ControlKind::kPicture, "PicQuickTool", i);
    Place(b, 1230 + i * 585, 5145, 360, 360);
    MakeHoverButton(b, window_.images().image_list1, tool.image, std::u16string(tool.name));
    b.on_mouse_move = [&b, title = tools.title](const MouseEvent&) {
      ShowHoverImage(b);
      title->text = b.tool_tip;
    };
    b.on_mouse_leave = [&b, title = tools.title] {
      RestoreNormalImage(b);
      title->text = u"小工具";
    };
    if (tool.command.empty()) {
      b.on_click = [&form](const MouseEvent& e) { form.Get("PicTool", 2).on_click(e); };
    } else {
      b.on_click = [this, command = tool.command, name = tool.name](const MouseEvent&) {
        Start(command, name);
      };
    }
  }

  form.Get("PicComputer").on_click = [this](const MouseEvent&) {
    Start(kComputerCommand, u"计算机");
  };
  // A press, not a click: the left button opens the bin, the right one empties it; with Shift,
  // Ctrl or Alt held neither does anything.
  form.Get("PicRecycleBin").on_mouse_down = [this](const MouseEvent& e) {
    if (AnyModifier(e.modifiers)) return;
    if (e.button == MouseButton::kLeft) Start(kRecycleBinCommand, u"回收站");
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
  // Sleep ends no program. It asks the system itself, not through "rundll32.exe powrprof.dll
  // SetSuspendState", which passes rundll32's arguments as the flags and so may hibernate.
  form.Get("PicSleep").on_click = [this](const MouseEvent&) { services_.power.Suspend(); };
}

void StartTool(Launcher& launcher, MainWindow& window, std::u16string_view command_line,
               std::u16string_view name) {
  if (launcher.StartCommandLine(std::u16string(command_line), WindowStyle::kNormal)) return;
  std::u16string program(command_line.substr(0, command_line.find(u' ')));
  window.ShowMessage(
      u"无法启动“" + std::u16string(name) + u"”（" + program + u"），系统中可能没有这个程序。",
      u"无法启动");
}

void ToolsPage::Start(std::u16string_view command_line, std::u16string_view name) {
  StartTool(services_.launcher, window_, command_line, name);
}

// The system says whether the bin is empty afterwards: a count of the files lying directly in
// "C:\$Recycle.Bin" would say nothing, as that folder holds one folder for each user.
void ToolsPage::EmptyRecycleBin() {
  if (services_.recycle_bin.Empty())
    window_.ShowMessage(u"系统回收站的内容已清空。", u"清空回收站");
}

}  // namespace velmo
