// The help file, handed to explorer, which opens it in the help viewer.
#include "box/command/help_file.h"

namespace velmo {

void ShowHelpFile(const std::u16string& program_folder, Services& services,
                  CommandSurface& surface) {
  std::u16string path = JoinPath(program_folder, u"帮助.chm");
  if (!services.files.FileExists(path)) {
    surface.ShowMessage(u"未找到帮助文件，无法显示帮助。", u"帮助文件丢失");
    return;
  }
  if (!services.launcher.StartCommandLine(ExplorerCommandLine(path), WindowStyle::kNormal)) {
    surface.ShowMessage(u"无法启动 explorer，无法显示帮助。", u"无法显示帮助");
  }
}

}  // namespace velmo
