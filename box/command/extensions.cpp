// Scanning the Plugins folder and starting what it holds.
#include "box/command/extensions.h"

namespace velmo {

Extensions::Extensions(BoxState& state, Services& services, CommandSurface& surface)
    : state_(state), services_(services), surface_(surface) {}

void Extensions::Changed() {
  if (on_change) on_change();
}

void Extensions::Select(int index) {
  selected_ = index >= 0 && static_cast<std::size_t>(index) < entries_.size() ? index : -1;
  Changed();
}

std::u16string Extensions::Folder() const { return JoinPath(state_.program_folder, u"Plugins"); }

void Extensions::ScanExtensions() {
  services_.files.ListFolder(Folder(), [this](const FolderEntry& entry) {
    if (entry.attributes & (file_attribute::kDirectory | file_attribute::kReparsePoint)) return;
    // Exactly these lower-case letters: "X.EXE" is not an extension. No dot is required.
    std::u16string_view name = entry.name;
    if (name.size() < 4 || !(name.ends_with(u"exe") || name.ends_with(u"lnk"))) return;
    entries_.emplace_back(name.substr(0, name.size() - 4));
  });
  Changed();
}

void Extensions::Rescan() {
  entries_.clear();
  selected_ = -1;
  ScanExtensions();
}

void Extensions::LaunchExtension() {
  if (selected_ < 0 || static_cast<std::size_t>(selected_) >= entries_.size()) return;
  std::u16string base = JoinPath(Folder(), entries_[selected_]);
  if (services_.files.FileExists(base + u".exe")) {
    // Whether it started is not examined: the extension shows itself or not.
    services_.launcher.StartProgramFile(base + u".exe", WindowStyle::kNormal);
  } else if (services_.files.FileExists(base + u".lnk")) {
    services_.launcher.OpenWithShell(base + u".lnk");
  } else {
    surface_.ShowMessage(u"未找到拓展程序文件或没有足够的权限。", u"启动拓展失败");
  }
}

void Extensions::OpenFolder() { services_.launcher.OpenWithShell(Folder()); }

}  // namespace velmo
