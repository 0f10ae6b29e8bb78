// Adding, removing and launching items; the searches by exact name.
#include "box/command/item_list.h"

#include <algorithm>

#include "box/command/command_prefix.h"

namespace velmo {
namespace {

constexpr std::size_t kMaxShellPath = 260;
constexpr std::size_t kMaxShellAddress = 2048;

}  // namespace

namespace {

constexpr std::u16string_view kTitleInvalidName = u"命名无效";

std::u16string Str(std::u16string_view s) { return std::u16string(s); }

}  // namespace

bool StartsWithCommandPrefix(std::u16string_view name) { return PrefixOf(name).length > 0; }

bool IsProgramPath(std::u16string_view path) {
  if (path.size() < 4) return false;
  std::u16string tail(path.substr(path.size() - 4));
  for (char16_t& c : tail) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return tail == u".exe" || tail == u".bat";
}

ItemList::ItemList(BoxState& state, Services& services, CommandSurface& surface)
    : state_(state), services_(services), surface_(surface) {}

void ItemList::Changed(ListChange change) {
  if (on_items_changed) on_items_changed(change);
}

AddOutcome ItemList::AddItem(const std::u16string& name, const std::u16string& path) {
  if (name.empty() || path.empty()) return AddOutcome::kIncomplete;
  if (StartsWithCommandPrefix(name)) {
    surface_.ShowMessage(u"文件或程序开头不能出现 ! @ # $ % ^ & 和 * 。", Str(kTitleInvalidName));
    return AddOutcome::kInvalidName;
  }
  if (!IsStorableName(name)) {
    surface_.ShowMessage(u"文件或程序名称中不能出现 * 。", Str(kTitleInvalidName));
    return AddOutcome::kInvalidName;
  }
  for (const std::u16string& existing : list().names) {
    if (existing == name) {
      surface_.ShowMessage(
          u"新增的文件或程序名称与已有的文件或程序名称重名，请更改一个新的文件或程序名称。",
          Str(kTitleInvalidName));
      return AddOutcome::kDuplicate;
    }
  }
  list().Append(name, path);
  Changed({list().size() - 1, 0, 1});
  return AddOutcome::kAdded;
}

bool ItemList::Delete(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list().size()) return false;
  const std::u16string name = list().names[static_cast<std::size_t>(index)];
  list().RemoveAt(static_cast<std::size_t>(index));
  // The uses go with the last item of the name: one added later under it starts afresh.
  if (std::find(list().names.begin(), list().names.end(), name) == list().names.end()) {
    state_.usage.Erase(name);
  }
  Changed({static_cast<std::size_t>(index), 1, 0});
  return true;
}

bool ItemList::Clear() {
  if (list().empty()) return false;
  std::size_t removed = list().size();
  list().Clear();
  state_.usage.Clear();
  Changed({0, removed, 0});
  return true;
}

bool ItemList::StartItem(const std::u16string& path) {
  if (IsProgramPath(path)) return services_.launcher.StartProgramFile(path, WindowStyle::kNormal);
  // The shell opens no path of MAX_PATH characters or more and no web address over 2048; handed
  // a longer one from a hand-edited list, Wine's shell library crashes the box.
  const bool address = path.find(u"://") != std::u16string::npos;
  if (path.size() >= (address ? kMaxShellAddress + 1 : kMaxShellPath)) return false;
  services_.launcher.OpenWithShell(path);
  return true;
}

void ItemList::LaunchSelectedItem(int selected) {
  if (selected < 0 || static_cast<std::size_t>(selected) >= list().size()) return;
  // Copies: speech and messages may run window code that changes the list.
  const std::u16string name = list().names[selected];
  const std::u16string path = list().values[selected];
  bool started = StartItem(path);
  surface_.SetRecentContent(name);
  SpeakText(state_, services_.speech, name);
  if (!started) {
    surface_.ShowMessage(u"运行失败。可能是程序路径被改变，或者访问权限不够。",
                         Str(kTitleInvalidCommand));
    surface_.RestoreRecentContent();
  }
}

void ItemList::FindAndInvoke(const std::u16string& text) {
  if (!text.empty() && text.back() == u'\\') {
    std::u16string command_line = text.substr(0, text.size() - 1);
    if (!services_.launcher.StartCommandLine(command_line, WindowStyle::kNormal)) {
      surface_.ShowMessage(u"运行失败。没有找到相应的程序或批处理文件。",
                           Str(kTitleInvalidCommand));
    }
    return;
  }
  InvokeByName(text, NameSearch::kFindAndInvoke);
}

void ItemList::LaunchByName(const std::u16string& text) {
  InvokeByName(text, NameSearch::kCommandBox);
}

void ItemList::InvokeByName(const std::u16string& text, NameSearch search) {
  if (list().empty()) {
    return Fail(u"抱歉，项目列表为空，无法查找相应的" + WhatIsSought(search) + u"。");
  }
  if (text.empty())
    return Fail(u"查找内容为空，请输入需要查找的" + WhatIsSought(search) + u"名称。");
  // Exact, case-sensitive, whole-string match; the first one wins.
  for (std::size_t i = 0; i < list().size(); ++i) {
    if (list().names[i] == text) return InvokeAt(i, search);
  }
  Fail(u"抱歉，在项目列表中没有查找到有关于" + text + u"的" + WhatIsSought(search) + u"。");
}

void ItemList::LaunchSuggested(std::size_t index) {
  if (index < list().size()) InvokeAt(index, NameSearch::kCommandBox);
}

std::u16string ItemList::WhatIsSought(NameSearch search) {
  // The command box finds any kind of item; the page's search speaks of programs only.
  return search == NameSearch::kCommandBox ? u"文件、程序或批处理文件" : u"程序或批处理文件";
}

void ItemList::Fail(const std::u16string& message) {
  surface_.ShowMessage(message, Str(kTitleInvalidCommand));
  surface_.RestoreRecentContent();
}

void ItemList::InvokeAt(std::size_t i, NameSearch search) {
  const bool any_kind = search == NameSearch::kCommandBox;
  // Copies: speech and messages may run window code that changes the list.
  const std::u16string name = list().names[i];
  const std::u16string path = list().values[i];
  if (services_.files.FileExists(path)) {
    SpeakText(state_, services_.speech, name);
    surface_.SetRecentContent(name);
  }
  // The page's search starts every path as a program, whatever its extension.
  bool started =
      any_kind ? StartItem(path) : services_.launcher.StartProgramFile(path, WindowStyle::kNormal);
  surface_.FocusWindow();
  if (!started) {
    return Fail(any_kind ? u"运行失败。可能是文件或程序路径被改变，或者访问权限不够。"
                         : u"运行失败。可能是程序路径被改变，或者访问权限不够。");
  }
  if (any_kind) {
    state_.usage.Record(name, LocalSeconds(services_.clock.Now()));
    if (on_used) on_used(name);
  }
}

void ItemList::ImportFromStartMenu(std::u16string& log) {
  log.clear();
  OpenFileRequest request;
  std::optional<std::u16string> programs =
      services_.known_folders.Get(KnownFolder::kCommonPrograms);
  if (programs && !programs->empty()) {
    request.initial_folder = *programs;
    if (programs->back() != u'\\') request.initial_folder += u'\\';
  }
  request.follow_shortcuts = false;
  while (std::optional<std::u16string> path = services_.dialogs.OpenFile(request)) {
    log += *path + u"\r\n";
    std::optional<std::u16string> name = NameWithoutExtension(*path);
    // A file name too short to lose an extension ends the import; the pair stays parallel.
    if (!name) return;
    list().Append(*name, *path);
    Changed({list().size() - 1, 0, 1});
  }
}

}  // namespace velmo
