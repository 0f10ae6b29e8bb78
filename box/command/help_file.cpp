// The help file, handed to explorer.exe, which opens it in the help viewer.
#include "box/command/help_file.h"

namespace velmo {

void ShowHelpFile(const std::u16string& program_folder, Services& services,
                  CommandSurface& surface) {
  std::u16string path = JoinPath(program_folder, u"帮助.chm");
  if (!services.files.FileExists(path)) {
    surface.ShowMessage(u"未找到帮助文件，无法显示帮助。", u"帮助文件丢失");
    return;
  }
  // Quoted, so that a program folder with blanks stays one argument.
  services.launcher.StartWithShell(u"explorer.exe", u"\"" + path + u"\"");
}

}  // namespace velmo
