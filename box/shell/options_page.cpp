#include "box/shell/options_page.h"

#include "box/shell/window_parts.h"

namespace velmo {
namespace {

constexpr int kPageWidth = 4695;
constexpr int kPageHeight = 5535;
constexpr int kTabTop = 840;
constexpr int kTabHeight = 330;
constexpr int kPanelLeft = 180;
constexpr int kPanelTop = 1380;
constexpr int kPanelWidth = 4335;
constexpr int kSwitchLeft = 3360;  // every switch, from its tab panel's left
constexpr int kRowTextWidth = 3180;
// The text stands level with the middle of a switch on the same row.
constexpr int kRowTextDrop = 15;
constexpr Color kWarning = Rgb(220, 38, 38);

struct Tab {
  std::u16string_view text;
  int width;
};
// One blank on each side of a tab's text.
constexpr std::array<Tab, 5> kTabs = {{{u" 常规 ", 600},
                                       {u" 音乐 ", 600},
                                       {u" 程序调用 ", 960},
                                       {u" 文件清理 ", 960},
                                       {u" 调试 ", 600}}};

}  // namespace

OptionsPage::OptionsPage(MainWindow& window, BoxState& state, Services& services)
    : window_(window),
      form_(window.form()),
      state_(state),
      services_(services),
      watch_(form_, services.processes, state.pause_list) {
  page_ = &form_.Add(form_.root(), ControlKind::kPanel, "Picture72");
  Place(*page_, 0, 0, kPageWidth, kPageHeight);
  page_->back_color = palette::kCard;
  page_->visible = false;
  page_->on_mouse_move = [this](const MouseEvent&) { RestoreButtonsOn(*page_); };

  Control& exit = AddHoverButton(form_, *page_, "Picture73", 180, 195, window.images().image_list1,
                                 29, u"退出");
  exit.on_click = [this](const MouseEvent&) { page_->visible = false; };

  Control& title = form_.Add(*page_, ControlKind::kLabel, "LblOptionsTitle");
  Place(title, 660, 165, 3000, 420);
  title.text = u"选项";
  title.font = {u"微软雅黑", 130, true};
  title.fore_color = palette::kText;
  title.access.role = AccessInfo::Role::kTitle;

  Control& rule = form_.Add(*page_, ControlKind::kLine, "Picture72Rule");
  Place(rule, 180, 720, 4215, 0);
  rule.border_color = palette::kBorder;

  BuildTabs();
  form_.Get("PicOptions").on_click = [this](const MouseEvent&) { Open(); };

  // The settings tick keeps the process watch with switch 6.
  Timer& settings_tick = form_.timer("Timer37");
  settings_tick.on_tick = [this, old = std::move(settings_tick.on_tick)] {
    if (old) old();
    watch_.Follow(state_.settings.Get(Setting::kPauseWhenProgramRunning));
  };
}

void OptionsPage::BuildTabs() {
  int left = kPanelLeft;
  for (int i = 0; i < 5; ++i) {
    const Tab& tab = kTabs[static_cast<std::size_t>(i)];
    Control& label = form_.Add(*page_, ControlKind::kLabel, "Label28", i);
    Place(label, left, kTabTop, tab.width, kTabHeight);
    label.text = std::u16string(tab.text);
    label.align = TextAlign::kCenter;
    label.font = {u"微软雅黑", 95, false};
    label.fore_color = palette::kText;
    label.on_click = [this, i](const MouseEvent&) { SelectTab(i); };
    label.access.role = AccessInfo::Role::kPageTab;
    tab_labels_[static_cast<std::size_t>(i)] = &label;
    left += tab.width + 90;

    Control& panel = form_.Add(*page_, ControlKind::kPanel, "Picture74", i);
    Place(panel, kPanelLeft, kPanelTop, kPanelWidth, kPageHeight - kPanelTop - 120);
    panel.visible = false;
    tabs_[static_cast<std::size_t>(i)] = &panel;
  }
  BuildGeneralTab(*tabs_[0]);
  BuildMusicTab(*tabs_[1]);
  BuildProgramsTab(*tabs_[2]);
  BuildCleanerTab(*tabs_[3]);
  BuildDebugTab(*tabs_[4]);
}

Control& OptionsPage::AddRow(Control& tab, const char* name, int top, std::u16string text) {
  Control& label = AddLabel(form_, tab, name, std::move(text));
  Place(label, 0, top + kRowTextDrop, kRowTextWidth, 315);
  return label;
}

void OptionsPage::AddSwitch(Control& tab, Setting s, const Control& row) {
  auto index = static_cast<std::size_t>(s) - 1;
  switches_[index] = std::make_unique<ToggleSwitch>(
      form_, tab, "sSwitch_Small" + std::to_string(index + 1), kSwitchLeft, row.top - kRowTextDrop);
  // A reader names the switch by its row.
  switches_[index]->panel().access.name = row.text;
  // The switches hold the settings while the box runs: what a switch shows is what its
  // consumers read and what shut-down writes.
  switches_[index]->on_change = [this, s](bool on) { state_.settings.Set(s, on); };
}

Control& OptionsPage::AddWarning(Control& tab, const char* name, int top, int height,
                                 std::u16string text) {
  Control& label = AddLabel(form_, tab, name, std::move(text));
  Place(label, 0, top, kPanelWidth - 135, height);
  label.fore_color = kWarning;
  label.font.size_tenths = 85;
  label.word_wrap = true;
  return label;
}

Control& OptionsPage::AddButton(Control& tab, const char* name, int top, int image,
                                std::u16string tool_tip) {
  // Centred over where a switch would stand.
  return AddHoverButton(form_, tab, name, kSwitchLeft + (kSwitchWidth - 360) / 2, top - 8,
                        window_.images().image_list1, image, std::move(tool_tip));
}

void OptionsPage::BuildGeneralTab(Control& tab) {
  AddSwitch(tab, Setting::kGreetingAfterRunning, AddRow(tab, "LblGreeting", 120, u"启动问候音"));
  AddSwitch(tab, Setting::kPositionRecord, AddRow(tab, "LblPositionRecord", 480, u"位置记忆"));
  Control& note = AddRow(tab, "LblPositionNote", 780, u"记录上次运行时的位置信息。");
  note.fore_color = palette::kMuted;
  note.font.size_tenths = 85;
  AddSwitch(tab, Setting::kAutoRunAfterLogIn, AddRow(tab, "LblAutoRun", 1080, u"开机时自动启动"));
  show_hotkey_row_ = &AddRow(tab, "LblShowHotkey", 1440, u"");
  show_hotkey_switch_ =
      std::make_unique<ToggleSwitch>(form_, tab, "sSwitch_ShowHotkey", kSwitchLeft, 1440);
}

void OptionsPage::BuildMusicTab(Control& tab) {
  AddSwitch(tab, Setting::kPlayMusicAfterRunning,
            AddRow(tab, "LblPlayAtStart", 120, u"启动程序时播放"));
  AddSwitch(tab, Setting::kPauseWhenProgramRunning,
            AddRow(tab, "LblPauseWhen", 480, u"在下列程序运行时暂停播放："));

  const int list_width = kSwitchLeft + kSwitchWidth - 270;
  pause_list_ = &AddBox(form_, tab, ControlKind::kListBox, "List9", 135, 1020, list_width, 2460);
  const ImageList& images = window_.images().image_list1;
  Control& add =
      AddHoverButton(form_, tab, "Picture76", kSwitchLeft - 315, 3660, images, 7, u"新增");
  add.on_click = [this](const MouseEvent&) { AddToPauseList(); };
  Control& remove = AddHoverButton(form_, tab, "Picture75", kSwitchLeft + kSwitchWidth - 360, 3660,
                                   images, 9, u"删除");
  remove.on_click = [this](const MouseEvent&) { RemoveFromPauseList(); };
}

void OptionsPage::BuildProgramsTab(Control& tab) {
  AddRow(tab, "LblImport", 120, u"从“程序”文件夹导入");
  AddButton(tab, "Picture77", 120, 55, u"查找并调用").on_click = [this](const MouseEvent&) {
    if (!import_from_start_menu) return;
    std::u16string record = import_from_start_menu();
    form_.TextEdited(*import_record_, record);
  };
  AddSwitch(tab, Setting::kAllowUserSetProgramPath,
            AddRow(tab, "LblAllowPath", 480, u"允许自定义程序路径"));
  AddRow(tab, "LblImportRecord", 960, u"导入记录：");
  import_record_ = &AddBox(form_, tab, ControlKind::kTextBox, "Text8", 135, 1440,
                           kSwitchLeft + kSwitchWidth - 270, 2460);
  import_record_->multi_line = true;
  import_record_->read_only = true;
}

void OptionsPage::BuildCleanerTab(Control& tab) {
  AddRow(tab, "LblOpenLogs", 120, u"打开清理日志文件夹");
  AddButton(tab, "Picture78", 120, 57, u"查找并调用").on_click = [this](const MouseEvent&) {
    // Quoted: a program folder with blanks stays one argument.
    services_.launcher.StartCommandLine(
        u"explorer.exe \"" + JoinPath(state_.program_folder, u"CleanLogs") + u"\\\"",
        WindowStyle::kNormal);
  };
  AddSwitch(tab, Setting::kAutoCleanAfterRunning,
            AddRow(tab, "LblAutoClean", 480, u"程序启动时自动清理"));
  AddSwitch(tab, Setting::kClearRecycledWhenCleanerWork,
            AddRow(tab, "LblEmptyBin", 840, u"清理时清空回收站"));
  AddSwitch(tab, Setting::kPowerfulCleaningMode, AddRow(tab, "LblPowerful", 1200, u"强力清理"));
  AddWarning(tab, "LblPowerfulWarning", 1560, 720,
             u"开启强力清理将有可能导致系统异常、系统崩溃等一系列不可逆的状况发生！请谨慎使用。");
}

void OptionsPage::BuildDebugTab(Control& tab) {
  AddWarning(tab, "LblDebugWarning", 0, 315, u"某些调试选项将导致程序出现异常，请谨慎使用。");
  AddSwitch(tab, Setting::kKeyIntercept, AddRow(tab, "LblKeyIntercept", 360, u"全局按键拦截"));
  AddSwitch(tab, Setting::kForceToKillUserProgress,
            AddRow(tab, "LblForceKill", 720, u"关机/重启前强制终止用户进程"));
  AddSwitch(tab, Setting::kTransparentUI,
            AddRow(tab, "LblTransparent", 1080, u"主窗口强制使用透明效果"));
}

void OptionsPage::FinishStartup() {
  for (const SettingKey& key : SettingKeysInLoadOrder()) {
    switch_of(key.setting).SetValue(state_.settings.Get(key.setting));
  }
  page_->left = 0;
  page_->top = 0;
  page_->visible = false;
  MirrorPauseList();
}

void OptionsPage::Open() {
  SelectTab(0);
  page_->visible = true;
}

void OptionsPage::SelectTab(int tab) {
  for (int i = 0; i < 5; ++i) {
    tab_labels_[static_cast<std::size_t>(i)]->border_color = kNoBackground;
    tab_labels_[static_cast<std::size_t>(i)]->access.checked = false;
    tabs_[static_cast<std::size_t>(i)]->visible = false;
  }
  tab_labels_[static_cast<std::size_t>(tab)]->border_color = palette::kMuted;
  tab_labels_[static_cast<std::size_t>(tab)]->access.checked = true;
  tabs_[static_cast<std::size_t>(tab)]->visible = true;
}

void OptionsPage::AddToPauseList() {
  OpenFileRequest request;
  request.title = u"浏览";
  request.filter = std::u16string(kPauseListFilter);
  std::optional<std::u16string> path = services_.dialogs.OpenFile(request);
  if (!path || path->empty() || !services_.files.FileExists(*path)) return;
  state_.pause_list.push_back(FileNameOf(*path));
  MirrorPauseList();
}

void OptionsPage::RemoveFromPauseList() {
  int selected = pause_list_->selected;
  if (selected < 0 || static_cast<std::size_t>(selected) >= state_.pause_list.size()) return;
  state_.pause_list.erase(state_.pause_list.begin() + selected);
  pause_list_->selected = -1;
  MirrorPauseList();
}

void OptionsPage::MirrorPauseList() { pause_list_->items = state_.pause_list; }

}  // namespace velmo
