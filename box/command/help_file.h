// The drawer's help button: the help file beside the box, opened by the desktop shell.
#pragma once

#include <string>

#include "box/command/command_surface.h"
#include "box/shell/box_state.h"

namespace velmo {

// Opens "<program folder>\帮助.chm" with explorer when the file is there, and otherwise
// says it is missing through the message panel.
void ShowHelpFile(const std::u16string& program_folder, Services& services,
                  CommandSurface& surface);

}  // namespace velmo
