// Controls and handlers of the command box and the item, add-item and extensions pages.
#include "box/command/command_pages.h"

#include "box/command/tools_page.h"
#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"

namespace velmo {

namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyDelete = 46;
constexpr int kKeySeparator = 108;  // numeric keypad
constexpr int kKeyMinus = 109;      // numeric keypad

bool Plain(const KeyEvent& e, int key) {
  return e.key == key && !e.modifiers.ctrl && !e.modifiers.alt && !e.modifiers.shift;
}
bool RunKey(const KeyEvent& e) { return Plain(e, kKeyEnter) || Plain(e, kKeySeparator); }

}  // namespace

CommandPages::CommandPages(MainWindow& window, BoxState& state, Services& services,
                           const PinyinReadings& readings)
    : window_(window),
      form_(window.form()),
      state_(state),
      services_(services),
      items_(state, services, *this),
      extensions_(state, services, *this),
      command_box_(services, *this, items_, extensions_),
      item_names_(readings),
      icons_(services.icons),
      recent_(window.form().Get("Label13")) {
  WireCommandBox();
  BuildItemListPage();
  BuildAddItemPage();
  BuildExtensionsPage();
  items_.on_items_changed = [this](const ListChange& change) { MirrorItems(change); };
  items_.on_used = [this](const std::u16string& name) { item_names_.Rerank(name); };
  item_names_.SetRanking(
      [this](const std::u16string& name) { return UseRank(state_.usage.Find(name)); });
  extensions_.on_change = [this] { MirrorExtensions(); };
  // The settings tick re-applies switch 5 to the path box with the other settings.
  Timer& settings_tick = form_.timer("Timer37");
  settings_tick.on_tick = [this, old = std::move(settings_tick.on_tick)] {
    if (old) old();
    ApplyPathSetting();
  };
}

void CommandPages::FinishStartup() {
  const ListPair& items = items_.items();
  item_names_.SetNames(items.names);
  list1_->items = items.names;
  list4_->items = items.values;
  ApplyPathSetting();
}

void CommandPages::ApplyPathSetting() {
  bool on = state_.settings.Get(Setting::kAllowUserSetProgramPath);
  path_box_->enabled = on;
  // A box that takes no typing looks it, field and all.
  Color fill = on ? palette::kCard : palette::kDisabledField;
  path_box_->back_color = fill;
  path_field_->fill_color = fill;
}

void CommandPages::ShowMessage(const std::u16string& text, const std::u16string& title) {
  window_.ShowMessage(text, title);
}

void CommandPages::SetRecentContent(const std::u16string& caption) { recent_.text = caption; }

void CommandPages::RestoreRecentContent() { recent_.text = recent_.tag; }

// The focus on the window itself would send the next line typed nowhere: the keyboard stays in
// the box it was in, the command box when none had it.
void CommandPages::FocusWindow() {
  if (!form_.focus()) form_.SetFocus(&window_.command_box());
}

void CommandPages::Run() {
  Control& box = window_.command_box();
  // A copy: the launch may run window code that edits the box.
  const std::u16string text = box.text;
  if (command_box_.Run(text)) form_.TextEdited(box, u"");
}

void CommandPages::LaunchSuggestion(std::size_t index) {
  items_.LaunchSuggested(index);
  form_.TextEdited(window_.command_box(), u"");
}

void CommandPages::WireCommandBox() {
  window_.on_execute = [this] { Run(); };
  Control& box = window_.command_box();
  box.on_key_down = [this, old = std::move(box.on_key_down)](const KeyEvent& e) {
    if (RunKey(e)) {
      Run();
      return true;
    }
    if (std::optional<CommandKey> key = CommandKeyOf(e)) {
      RunCommandKey(*key);
      return true;
    }
    return old && old(e);
  };
  // Releasing the last key of a Ctrl+Alt combination puts back the title a key changed.
  box.on_key_up = [this](const KeyEvent& e) {
    if (!e.modifiers.ctrl && !e.modifiers.alt && !e.modifiers.shift) {
      form_.caption = window_.IdleCaption();
    }
  };
}

void CommandPages::RunCommandKey(CommandKey key) {
  auto start = [this](std::u16string_view command, std::u16string_view name) {
    StartTool(services_.launcher, window_, command, name);
  };
  switch (key) {
    case CommandKey::kItemList:
      window_.OpenPage(PageId::kItemList);
      break;
    case CommandKey::kCalculator:
      start(kCalculatorCommand, u"计算器");
      break;
    case CommandKey::kComputer:
      start(kComputerCommand, u"计算机");
      break;
    case CommandKey::kMusic:
      window_.OpenPage(PageId::kMusic);
      form_.TextEdited(window_.command_box(), u"");
      break;
    case CommandKey::kPaint:
      start(kPaintCommand, u"画图");
      break;
    case CommandKey::kRecycleBin:
      start(kRecycleBinCommand, u"回收站");
      break;
    case CommandKey::kNotes:
      window_.OpenPage(PageId::kNotes);
      break;
  }
}

// Only what changed: an add to a list of thousands costs what one item costs.
void CommandPages::MirrorItems(const ListChange& change) {
  const ListPair& items = items_.items();
  auto splice = [&change](std::vector<std::u16string>& mirror,
                          const std::vector<std::u16string>& from) {
    auto at = mirror.begin() + static_cast<std::ptrdiff_t>(change.at);
    at = mirror.erase(at, at + static_cast<std::ptrdiff_t>(change.removed));
    auto source = from.begin() + static_cast<std::ptrdiff_t>(change.at);
    mirror.insert(at, source, source + static_cast<std::ptrdiff_t>(change.inserted));
  };
  splice(list1_->items, items.names);
  splice(list4_->items, items.values);
  // An added item's icon is sent for at once while the list is in view, else when it opens.
  if (list1_->ShownInTree()) form_.timer("TimerIcons").Start();
  if (!list1_->item_icons.empty()) {
    auto at = list1_->item_icons.begin() + static_cast<std::ptrdiff_t>(change.at);
    at = list1_->item_icons.erase(at, at + static_cast<std::ptrdiff_t>(change.removed));
    list1_->item_icons.insert(at, change.inserted, nullptr);
  }
  item_names_.Splice(change.at, change.removed,
                     std::span(items.names).subspan(change.at, change.inserted));
  if (list1_->selected >= static_cast<int>(items.size())) list1_->selected = -1;
}

void CommandPages::MirrorExtensions() {
  extension_list_->items = extensions_.entries();
  extension_list_->selected = extensions_.selected();
}

void CommandPages::CloseItemListPage() {
  // Escape does what the back button does.
  Control& back = *window_.page(PageId::kItemList).back;
  if (back.EnabledInTree() && back.on_click) back.on_click(MouseEvent{});
}

void CommandPages::Find() {
  items_.FindAndInvoke(search_->text);
  form_.TextEdited(*search_, u"");
}

void CommandPages::BuildItemListPage() {
  Control& page = *window_.page(PageId::kItemList).panel;
  const ImageList& images = window_.images().image_list1;
  page.on_key_down = [this](const KeyEvent& e) {
    if (!Plain(e, kKeyEscape)) return false;
    CloseItemListPage();
    return true;
  };

  Control& remove = AddHoverButton(form_, page, "Picture6", HeaderActionLeft(HeaderAction::kDelete),
                                   kHeaderTop, images, 9, u"删除");
  remove.on_click = [this](const MouseEvent&) {
    if (!items_.Delete(list1_->selected)) return;
    list1_->selected = -1;
    if (items_.items().empty()) list1_->enabled = false;
  };

  Control& clear = AddHoverButton(form_, page, "Picture7", HeaderActionLeft(HeaderAction::kClear),
                                  kHeaderTop, images, 11, u"清空");
  // A single click does nothing: clearing takes a double-click.
  clear.on_click = [](const MouseEvent&) {};
  clear.on_double_click = [this](const MouseEvent&) {
    if (items_.Clear()) list1_->enabled = false;
  };

  search_ = &AddBox(form_, page, ControlKind::kTextBox, "Text1", 315, 930, 3405, 240);
  search_->on_key_down = [this](const KeyEvent& e) {
    if (RunKey(e)) {
      Find();
      return true;
    }
    if (Plain(e, kKeyEscape)) {
      CloseItemListPage();
      return true;
    }
    return false;
  };

  Control& find = AddHoverButton(form_, page, "Picture9", 4035, 870, images, 53, u"查找并调用");
  find.on_click = [this](const MouseEvent&) { Find(); };

  list1_ = &AddBox(form_, page, ControlKind::kListBox, "List1", 315, 1455, 3945, 3840);
  list1_->on_double_click = [this](const MouseEvent&) {
    items_.LaunchSelectedItem(list1_->selected);
  };
  list1_->on_mouse_move = [this](const MouseEvent&) {
    int i = list1_->selected;
    const ListPair& items = items_.items();
    list1_->tool_tip = i >= 0 && static_cast<std::size_t>(i) < items.size()
                           ? items.values[static_cast<std::size_t>(i)]
                           : std::u16string();
  };
  list1_->on_key_down = [this, remove = &remove](const KeyEvent& e) {
    if (Plain(e, kKeyMinus)) {
      items_.LaunchSelectedItem(list1_->selected);
    } else if (Plain(e, kKeyDelete)) {
      remove->on_click(MouseEvent{});
    } else if (Plain(e, kKeyEscape)) {
      CloseItemListPage();
    } else {
      return false;
    }
    return true;
  };

  list4_ = &form_.Add(page, ControlKind::kListBox, "List4");
  list4_->visible = false;

  // The icons are sent for when the page first opens: they take nothing from the first picture.
  list1_->icon_twips = kItemIconTwips;
  Timer& collect = form_.AddTimer("TimerIcons", kIconCollectMs, [this] { RefreshIcons(); });
  Timer& slide_in = *window_.page(PageId::kItemList).slide_in;
  slide_in.on_tick = [this, &collect, old = std::move(slide_in.on_tick)] {
    list_icons_wanted_ = true;
    collect.Start();
    old();
  };
}

std::shared_ptr<const IconPixels> CommandPages::ItemIcon(const std::u16string& path) {
  std::shared_ptr<const IconPixels> icon =
      icons_.Get(path, services_.screen.Scale().Pixels(kItemIconTwips));
  if (icons_.pending() > 0) form_.timer("TimerIcons").Start();
  return icon;
}

void CommandPages::RefreshIcons() {
  bool arrived = icons_.Collect();
  if (list_icons_wanted_) {
    const std::vector<std::u16string>& paths = items_.items().values;
    list1_->item_icons.resize(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) list1_->item_icons[i] = ItemIcon(paths[i]);
  }
  if (arrived && on_icons_arrived) on_icons_arrived();
  if (icons_.pending() == 0) form_.timer("TimerIcons").Stop();
}

void CommandPages::BuildAddItemPage() {
  Control& page = *window_.page(PageId::kAddItem).panel;
  const ImageList& images = window_.images().image_list1;

  Place(AddLabel(form_, page, "Label3", u"文件或程序名称："), 180, 900, 4215, 330);
  name_box_ = &AddBox(form_, page, ControlKind::kTextBox, "Text10", 315, 1320, 3945, 240);
  name_box_->max_length = kMaxItemNameLength;
  name_box_->on_change = [this] {
    // A longer name set by Browse is cut like typed text.
    if (name_box_->text.size() > kMaxItemNameLength) name_box_->text.resize(kMaxItemNameLength);
  };

  Place(AddLabel(form_, page, "Label4", u"文件或程序路径："), 180, 1770, 4215, 330);
  path_box_ = &AddBox(form_, page, ControlKind::kTextBox, "Text9", 315, 2190, 3405, 240);
  path_field_ = &form_.Get("ShpText9");

  Control& browse = AddHoverButton(form_, page, "Picture10", 4035, 2130, images, 25, u"浏览文件");
  browse.on_click = [this](const MouseEvent&) { Browse(); };

  Control& hint = AddLabel(form_, page, "Label5",
                           u"文件或程序名称不超过20个字符,且不能以“!”“@”“#”“$”“%”“^”“&”和“*”"
                           u"作为开头。");
  Place(hint, 180, 2700, 4215, 900);
  hint.word_wrap = true;
  hint.fore_color = palette::kMuted;

  confirm_ = &form_.Add(page, ControlKind::kPicture, "Picture12");
  Place(*confirm_, HeaderActionLeft(HeaderAction::kConfirm), kHeaderTop, 360, 360);
  MakeHoverButton(*confirm_, images, 27, u"确定");
  confirm_->visible = false;
  confirm_->on_click = [this](const MouseEvent&) { Confirm(); };

  form_
      .AddTimer(
          "Timer3", kInputCheckMs,
          [this] { confirm_->visible = !name_box_->text.empty() && !path_box_->text.empty(); })
      .Start();

  // Opening the page starts with empty boxes.
  PrependClick(form_.Get("Picture5"), [this] {
    form_.TextEdited(*name_box_, u"");
    form_.TextEdited(*path_box_, u"");
  });
}

void CommandPages::Browse() {
  std::optional<std::u16string> path = services_.dialogs.OpenFile(OpenFileRequest{});
  if (!path) return;
  form_.TextEdited(*path_box_, *path);
  // A file name shorter than four characters fills the path box only.
  std::optional<std::u16string> name = NameWithoutExtension(*path);
  if (!name) return;
  form_.TextEdited(*name_box_, *name);
  form_.SetFocus(name_box_);
  name_box_->select_all = true;  // ready to be edited
}

void CommandPages::Confirm() {
  switch (items_.AddItem(name_box_->text, path_box_->text)) {
    case AddOutcome::kDuplicate:
      form_.TextEdited(*name_box_, u"");
      break;
    case AddOutcome::kAdded:
      list1_->enabled = true;
      window_.ClosePage(PageId::kAddItem);
      break;
    case AddOutcome::kIncomplete:
    case AddOutcome::kInvalidName:
      break;
  }
}

void CommandPages::BuildExtensionsPage() {
  Control& page = *window_.page(PageId::kExtensions).panel;

  Control& folder = AddHoverButton(form_, page, "Picture68", 4035, 195,
                                   window_.images().image_list1, 57, u"拓展目录");
  folder.on_click = [this](const MouseEvent&) { extensions_.OpenFolder(); };

  extension_list_ = &AddBox(form_, page, ControlKind::kListBox, "List12", 315, 960, 3945, 4335);
  extension_list_->on_change = [this] { extensions_.Select(extension_list_->selected); };
  extension_list_->on_double_click = [this](const MouseEvent&) {
    extensions_.Select(extension_list_->selected);
    extensions_.LaunchExtension();
  };

  // The tools page's extensions tile lists the folder as it is now, then opens the page.
  PrependClick(form_.Get("PicTool", 8), [this] { extensions_.Rescan(); });
}

}  // namespace velmo
