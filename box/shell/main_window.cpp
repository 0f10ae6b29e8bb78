// The main window model.
#include "box/shell/main_window.h"

#include "box/shell/window_parts.h"

namespace velmo {
namespace {

constexpr int kPageWidth = 4575;
constexpr int kPageHeight = 5535;
constexpr int kDrawerWidth = 4335;
// A timer's first tick comes after the window's first picture; this one is slow enough not to
// count as an animation.
constexpr int kAfterShownMs = 30;

constexpr std::array<std::u16string_view, 4> kTileTitles = {u"音乐", u"便笺", u"快速启动",
                                                            u"小工具"};
constexpr std::array<std::u16string_view, 9> kToolNames = {
    u"计算器",     u"画图",       u"文件清理",     u"记事本", u"电话簿",
    u"时钟和计划", u"任务管理器", u"注册表编辑器", u"拓展"};

}  // namespace

const std::array<std::u16string_view, 12>& PrefixHelpLines() {
  static const std::array<std::u16string_view, 12> lines = {
      u"输入框前置标识符说明",
      u"",
      u"! - CMD指令。",
      u"@ - 启动浏览器并跳转到输入的网址。",
      u"^- 启用百度搜索输入的内容。",
      u"# - 计算数学表达式。",
      u"$ - 打开对应的拓展程序。",
      u"% - 查找联系人。",
      u"& - 查找英文单词。",
      u"* - 查找汉字或词语。",
      u"",
      u"使用方法：前置符+输入内容",
  };
  return lines;
}

MainWindow::MainWindow(BoxState& state, Services& services)
    : state_(state),
      images_(MakeImageLists()),
      docking_(form_, services.screen, state.settings),
      messages_(form_, images_.image_list1, [this] { form_.SetFocus(command_box_); }) {
  form_.caption = std::u16string(kMainCaption);
  form_.back_color = palette::kWindow;
  form_.width = 4600;
  form_.height = 6000;
  BuildHome();
  BuildDrawer();
  BuildPages();
  // The message panel lies over every page.
  form_.BringToFront(messages_.panel());

  // Started by FinishStartup; the host fires it once the window has been painted.
  form_.AddTimer("TimerAfterShown", kAfterShownMs, [this] {
    form_.timer("TimerAfterShown").Stop();
    if (after_first_picture) after_first_picture();
    if (!state_.startup_notice.text.empty()) {
      ShowMessage(state_.startup_notice.text, state_.startup_notice.title);
    }
  });
  form_.on_any_mouse_move = [this] { docking_.StopHideSlide(); };
  form_.on_key_preview = [this](const KeyEvent& e) {
    bool ctrl_alt = e.modifiers.ctrl && e.modifiers.alt && !e.modifiers.shift;
    return ctrl_alt && on_player_key && on_player_key(e);
  };
}

std::u16string MainWindow::IdleCaption() const {
  std::optional<std::u16string> track = playing_track ? playing_track() : std::nullopt;
  return track ? std::u16string(kMainCaption) + u" - " + *track : std::u16string(kMainCaption);
}

void MainWindow::BuildHome() {
  Control& root = form_.root();
  root.on_mouse_move = [this](const MouseEvent&) { RestoreHome(); };

  Control& recent = form_.Add(root, ControlKind::kLabel, "Label13");
  Place(recent, 675, 180, 3745, 420);
  recent.text = std::u16string(kRecentContent);
  recent.tag = recent.text;
  recent.fore_color = palette::kMuted;
  recent.font = {u"微软雅黑", 95, false};
  recent.on_click = [this, &recent](const MouseEvent&) {
    if (recent.text == recent.tag) return;
    form_.TextEdited(*command_box_, recent.text);
    if (on_execute) on_execute();
  };

  for (int i = 0; i < 4; ++i) {
    Control& tile = form_.Add(root, ControlKind::kPicture, "Picture39", i);
    Place(tile, 675, 720 + i * 1170, 3745, 1080);
    tile.image_list = &images_.ilb;
    tile.image = 2 * i + 1;
    tile.text = std::u16string(kTileTitles[static_cast<size_t>(i)]);
    tile.font = {u"微软雅黑", 120, true};
    tile.fore_color = palette::kText;
    tile.on_mouse_move = [this, i](const MouseEvent&) { HoverHomeTile(i); };
    tile.on_mouse_leave = [this, i] {
      Control* tile = tiles_[static_cast<size_t>(i)];
      Control* overlay = overlays_[static_cast<size_t>(i)];
      // From the tile onto its overlay, or a button on it, and back: still the same tile.
      for (Control* c = form_.hovered(); c; c = c->parent()) {
        if (c == tile || c == overlay) return;
      }
      RestoreNormalImage(*tile);
      overlay->visible = false;
    };
    tile.on_click = [this, i](const MouseEvent&) { ClickHomeTile(i); };
    tiles_[static_cast<size_t>(i)] = &tile;

    Control& overlay = form_.Add(root, ControlKind::kPicture, "Picture40", i);
    // Over the whole tile and see-through: the tile's hover image gives the background, and the
    // title stays in view.
    Place(overlay, tile.left, tile.top, tile.width, tile.height);
    overlay.visible = false;
    overlay.text = u"\uE5CC";  // chevron: the tile opens a page
    overlay.font = {u"Material Icons", 160, false};
    overlay.align = TextAlign::kRight;
    overlay.fore_color = HomeTileColor(i);
    // The overlay is part of its tile for the pointer.
    overlay.on_mouse_move = tile.on_mouse_move;
    overlay.on_mouse_leave = tile.on_mouse_leave;
    overlay.on_click = tile.on_click;
    overlays_[static_cast<size_t>(i)] = &overlay;
  }

  Control& field = form_.Add(root, ControlKind::kShape, "ShpCommandBox");
  Place(field, 120, 5595, 3900, 345);
  field.shape = ShapeKind::kRoundedRectangle;
  field.fill_color = palette::kCard;
  field.border_color = palette::kBorder;

  Control& text2 = form_.Add(root, ControlKind::kTextBox, "Text2");
  Place(text2, 255, 5655, 3660, 240);
  text2.font = {u"微软雅黑", 95, false};
  text2.fore_color = palette::kText;
  text2.back_color = palette::kCard;
  command_box_ = &text2;

  Control& execute =
      AddHoverButton(form_, root, "Picture4", 4110, 5587, images_.image_list1, 23, u"执行");
  execute.on_click = [this](const MouseEvent&) {
    if (on_execute) on_execute();
  };
}

void MainWindow::HoverHomeTile(int index) {
  for (int i = 0; i < 4; ++i) {
    if (i == index) continue;
    RestoreNormalImage(*tiles_[static_cast<size_t>(i)]);
    overlays_[static_cast<size_t>(i)]->visible = false;
  }
  ShowHoverImage(*tiles_[static_cast<size_t>(index)]);
  overlays_[static_cast<size_t>(index)]->visible = true;
}

void MainWindow::RestoreHome() {
  RestoreButtonsOn(form_.root());
  for (Control* overlay : overlays_) overlay->visible = false;
}

void MainWindow::EnableHomeTiles() {
  for (Control* tile : tiles_) tile->enabled = true;
}

void MainWindow::ClickHomeTile(int index) {
  form_.SetFocus(nullptr);
  if (index == 0) form_.TextEdited(*command_box_, u"");
  static constexpr std::array<PageId, 4> kPages = {PageId::kMusic, PageId::kNotes,
                                                   PageId::kItemList, PageId::kTools};
  page(kPages[static_cast<size_t>(index)]).slide_in->Start();
  for (Control* tile : tiles_) tile->enabled = false;
}

void MainWindow::BuildDrawer() {
  Control& drawer = form_.Add(form_.root(), ControlKind::kPanel, "Picture35");
  Place(drawer, kDrawerCollapsedLeft, 0, kDrawerWidth, kPageHeight);
  drawer.back_color = palette::kDrawer;
  drawer.on_mouse_move = [this, &drawer](const MouseEvent&) {
    RestoreButtonsOn(drawer);
    RestoreButtonsOn(*page(PageId::kItemList).panel);
  };
  drawer_ = &drawer;

  Control& name = form_.Add(drawer, ControlKind::kLabel, "LblName");
  Place(name, 240, 210, 3300, 450);
  name.text = std::u16string(kMainCaption);
  name.font = {u"微软雅黑", 150, true};
  name.fore_color = Rgb(255, 255, 255);

  Control& version = form_.Add(drawer, ControlKind::kLabel, "LblVersion");
  Place(version, 240, 660, 3300, 300);
  version.text = u"版本：";
  version.font = {u"微软雅黑", 85, false};
  version.fore_color = palette::kDrawerMuted;

  struct Button {
    const char* name;
    int image;
    std::u16string_view tip;
  };
  const std::array<Button, 9> buttons = {{{"PicComputer", 33, u"计算机"},
                                          {"PicRecycleBin", 35, u"回收站(右键清空)"},
                                          {"PicMiniWindow", 37, u"迷你窗口"},
                                          {"Picture14", 13, u"关闭声音"},
                                          {"PicHelpFile", 17, u"帮助"},
                                          {"PicOptions", 19, u"选项"},
                                          {"PicShutdown", 1, u"关机"},
                                          {"PicRestart", 5, u"重启"},
                                          {"PicSleep", 3, u"睡眠"}}};
  for (size_t i = 0; i < buttons.size(); ++i) {
    Control& b = form_.Add(drawer, ControlKind::kPicture, buttons[i].name);
    int row = i < 6 ? 0 : 1;
    int column = static_cast<int>(i < 6 ? i : i - 6);
    Place(b, 240 + column * 585, 1170 + row * 540, 360, 360);
    MakeHoverButton(b, images_.image_list1, buttons[i].image, std::u16string(buttons[i].tip));
  }
  if (state_.sound_muted) {
    Control& sound = form_.Get("Picture14");
    sound.image = 15;
    sound.tool_tip = u"打开声音";
  }

  Control& rule = form_.Add(drawer, ControlKind::kLine, "LinHelp");
  Place(rule, 240, 2280, 3360, 0);
  rule.border_color = palette::kDrawerHover;

  Control& help = form_.Add(drawer, ControlKind::kLabel, "PicHelp");
  Place(help, 240, 2400, 3480, 3000);
  help.font = {u"微软雅黑", 85, false};
  help.fore_color = palette::kDrawerText;
  help.word_wrap = true;

  expand_ = &form_.Add(drawer, ControlKind::kPicture, "Picture36");
  Place(*expand_, 3907, 180, 360, 360);
  MakeHoverButton(*expand_, images_.image_list1, 21, u"展开工具条");
  expand_->on_click = [this](const MouseEvent&) { ExpandDrawer(); };

  collapse_ = &form_.Add(drawer, ControlKind::kPicture, "Picture38");
  Place(*collapse_, 3907, 180, 360, 360);
  MakeHoverButton(*collapse_, images_.image_list1, 39, u"收起工具条");
  collapse_->visible = false;
  collapse_->on_click = [this](const MouseEvent&) { CollapseDrawer(); };

  form_.AddTimer("Timer4", kSlideIntervalMs, [this] {
    if (!SlideTick(drawer_->left, kSlideStep, 0)) return;
    form_.timer("Timer4").Stop();
    expand_->visible = false;
    expand_->enabled = true;
    collapse_->visible = true;
  });
  form_.AddTimer("Timer5", kSlideIntervalMs, [this] {
    if (!SlideTick(drawer_->left, -kSlideStep, kDrawerCollapsedLeft)) return;
    form_.timer("Timer5").Stop();
    collapse_->visible = false;
    collapse_->enabled = true;
    expand_->visible = true;
  });
}

void MainWindow::ExpandDrawer() {
  form_.SetFocus(nullptr);
  expand_->enabled = false;
  form_.timer("Timer4").Start();
}

void MainWindow::CollapseDrawer() {
  collapse_->enabled = false;
  form_.timer("Timer5").Start();
}

Page& MainWindow::AddPage(PageId id, const char* panel_name, const char* title_name,
                          std::u16string title_text, const char* back_name, std::u16string back_tip,
                          int back_image, const char* in_timer, const char* out_timer) {
  Page& p = page(id);
  Control& panel = form_.Add(form_.root(), ControlKind::kPanel, panel_name);
  Place(panel, kPageHiddenLeft, 0, kPageWidth, kPageHeight);
  panel.back_color = palette::kCard;
  panel.on_mouse_move = [&panel](const MouseEvent&) { RestoreButtonsOn(panel); };
  p.panel = &panel;

  Control& back = AddHoverButton(form_, panel, back_name, kHeaderBackLeft, kHeaderTop,
                                 images_.image_list1, back_image, std::move(back_tip));
  back.on_click = [this, id](const MouseEvent&) { ClosePage(id); };
  p.back = &back;

  Control& title = form_.Add(panel, ControlKind::kLabel, title_name);
  Place(title, 660, 165, 3000, 420);
  title.text = std::move(title_text);
  title.font = {u"微软雅黑", 130, true};
  title.fore_color = palette::kText;
  title.access.role = AccessInfo::Role::kTitle;
  p.title = &title;

  Control& rule = form_.Add(panel, ControlKind::kLine, std::string(panel_name) + "Rule");
  Place(rule, 180, 720, 4215, 0);
  rule.border_color = palette::kBorder;

  // A hidden page at 4500 would leave a sliver inside the 4600-wide window: it is only
  // shown while it slides or stands in the window.
  panel.visible = false;
  p.slide_in = &form_.AddTimer(in_timer, kSlideIntervalMs, [&p] {
    p.panel->visible = true;
    if (!SlideTick(p.panel->left, -kSlideStep, 0)) return;
    p.slide_in->Stop();
    if (p.after_in) p.after_in();
  });
  p.slide_out = &form_.AddTimer(out_timer, kSlideIntervalMs, [&p] {
    if (!SlideTick(p.panel->left, kSlideStep, kPageHiddenLeft)) return;
    p.slide_out->Stop();
    p.panel->visible = false;
    if (p.after_out) p.after_out();
  });
  return p;
}

void MainWindow::OpenPage(PageId id) { page(id).slide_in->Start(); }

void MainWindow::ClosePage(PageId id) {
  Page& p = page(id);
  if (p.back_disables) p.back->enabled = false;
  p.slide_out->Start();
}

void MainWindow::BuildPages() {
  auto focus_page = [this](PageId id) { return [this, id] { form_.SetFocus(page(id).panel); }; };
  auto reopen_home = [this](PageId id) {
    return [this, id] {
      page(id).back->enabled = true;
      EnableHomeTiles();
    };
  };

  Page& music = AddPage(PageId::kMusic, "Picture17", "LblMusicTitle", u"音乐", "Picture20", u"返回",
                        31, "Timer17", "Timer18");
  music.after_in = focus_page(PageId::kMusic);
  music.after_out = reopen_home(PageId::kMusic);

  Page& notes = AddPage(PageId::kNotes, "Picture18", "LblNotesTitle", u"便笺", "Picture16", u"收起",
                        31, "Timer11", "Timer12");
  notes.after_out = [this, reopen = reopen_home(PageId::kNotes)] {
    reopen();
    form_.SetFocus(command_box_);
  };

  Page& items = AddPage(PageId::kItemList, "Picture33", "LblItemListTitle", u"快速启动",
                        "Picture34", u"返回", 31, "Timer20", "Timer19");
  items.after_in = focus_page(PageId::kItemList);
  items.after_out = [this, reopen = reopen_home(PageId::kItemList)] {
    reopen();
    form_.SetFocus(command_box_);
  };
  Control& add =
      AddHoverButton(form_, *items.panel, "Picture5", HeaderActionLeft(HeaderAction::kAdd),
                     kHeaderTop, images_.image_list1, 7, u"新增");
  add.on_click = [this, &add](const MouseEvent&) {
    add.enabled = false;
    OpenPage(PageId::kAddItem);
  };

  Page& tools = AddPage(PageId::kTools, "Picture49", "LblToolsTitle", u"小工具", "Picture50",
                        u"返回", 31, "Timer22", "Timer9");
  tools.after_in = focus_page(PageId::kTools);
  tools.after_out = [this, reopen = reopen_home(PageId::kTools)] {
    reopen();
    form_.SetFocus(command_box_);
  };
  for (int i = 0; i < 9; ++i) {
    Control& tile = form_.Add(*tools.panel, ControlKind::kPicture, "PicTool", i);
    Place(tile, 180 + (i % 3) * 1425, 960 + (i / 3) * 1425, 1305, 1305);
    tile.image_list = &images_.ilt;
    tile.image = 2 * i + 1;
    // Its name as a caption under the glyph, which a glyph alone cannot always give, and in the
    // page's title under the pointer; no tip over the caption of the tile above.
    tile.text = std::u16string(kToolNames[static_cast<size_t>(i)]);
    tile.caption_below = true;
    tile.align = TextAlign::kCenter;
    tile.font = {u"微软雅黑", 85, false};
    tile.fore_color = palette::kText;
    tile.on_mouse_move = [this, &tile](const MouseEvent&) {
      RestoreButtonsOn(*tile.parent());
      ShowHoverImage(tile);
      page(PageId::kTools).title->text = tile.text;
    };
    tile.on_mouse_leave = [this, &tile] {
      RestoreNormalImage(tile);
      page(PageId::kTools).title->text = u"小工具";
    };
  }
  tools.panel->on_mouse_move = [this](const MouseEvent&) {
    Page& t = page(PageId::kTools);
    RestoreButtonsOn(*t.panel);
    t.title->text = u"小工具";
  };
  const std::array<std::pair<int, PageId>, 3> openers = {
      {{2, PageId::kCleaner}, {4, PageId::kPhoneBook}, {8, PageId::kExtensions}}};
  for (auto [tile, id] : openers) {
    form_.Get("PicTool", tile).on_click = [this, id = id](const MouseEvent&) { OpenPage(id); };
  }

  Page& add_item = AddPage(PageId::kAddItem, "Picture8", "LblAddItemTitle", u"新增项目",
                           "Picture11", u"取消", 29, "Timer1", "Timer2");
  add_item.after_in = [this] { form_.Get("Picture5").enabled = true; };
  add_item.after_out = [this] { form_.Get("Picture11").enabled = true; };

  Page& cleaner = AddPage(PageId::kCleaner, "Picture52", "Label16", u"文件清理", "Picture53",
                          u"返回", 31, "Timer24", "Timer23");
  cleaner.after_in = [this] {
    page(PageId::kCleaner).title->fore_color =
        state_.settings.Get(Setting::kPowerfulCleaningMode) ? Rgb(255, 0, 0) : Rgb(0, 0, 0);
  };
  cleaner.after_out = reopen_home(PageId::kCleaner);

  Page& phone = AddPage(PageId::kPhoneBook, "Picture54", "LblPhoneBookTitle", u"电话簿",
                        "Picture55", u"返回", 31, "Timer26", "Timer27");
  phone.after_out = [this, reopen = reopen_home(PageId::kPhoneBook)] {
    reopen();
    form_.SetFocus(command_box_);
  };
  Control& add_contact =
      AddHoverButton(form_, *phone.panel, "Picture58", HeaderActionLeft(HeaderAction::kAdd),
                     kHeaderTop, images_.image_list1, 7, u"新增联系人");
  add_contact.on_click = [this](const MouseEvent&) { OpenPage(PageId::kContactEdit); };

  Page& contact = AddPage(PageId::kContactEdit, "Picture60", "LblContactEditTitle", u"新增联系人",
                          "Picture61", u"取消", 29, "Timer29", "Timer28");
  contact.back_disables = false;
  Page& clock = AddPage(PageId::kClock, "Picture63", "LblClockTitle", u"时钟", "Picture64", u"返回",
                        31, "Timer31", "Timer32");
  clock.back_disables = false;
  Page& extensions = AddPage(PageId::kExtensions, "Picture66", "LblExtensionsTitle", u"拓展",
                             "Picture67", u"返回", 31, "Timer35", "Timer36");
  extensions.back_disables = false;
}

void MainWindow::PrintHelp() {
  Control& help = form_.Get("PicHelp");
  help.text.clear();
  for (size_t i = 0; i < PrefixHelpLines().size(); ++i) {
    if (i > 0) help.text += u"\r\n";
    help.text += PrefixHelpLines()[i];
  }
}

void MainWindow::FinishStartup() {
  form_.topmost = true;
  docking_.Start();
  for (Page& p : pages_) {
    p.panel->left = kPageHiddenLeft;
    p.panel->top = 0;
    p.panel->visible = false;
  }
  drawer_->left = kDrawerCollapsedLeft;
  drawer_->top = 0;
  form_.Get("LblVersion").text = u"版本：" + state_.version;
  PrintHelp();
  // A launcher takes the keyboard at once: what the user types first lands in the command box.
  form_.SetFocus(command_box_);
  docking_.set_opacity_byte(255);
  form_.opacity = 255;
  form_.visible = true;
  form_.timer("TimerAfterShown").Start();
}

}  // namespace velmo
