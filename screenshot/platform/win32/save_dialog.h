// Saving the copied selection: the save dialog and the picture written to a file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "screenshot/save_choice.h"

namespace shot {

struct SaveChoice {
  std::wstring path;
  PictureFormat format;
};

// The save dialog ("保存为") opened on the folder last saved to (else the user's Pictures
// folder, else the program's), suggesting "截屏_<date>_<time>" with the type last saved;
// nothing when cancelled.
std::optional<SaveChoice> AskSaveFileName(HWND owner);

enum class SaveResult { kCancelled, kSaved, kFailed };

// Asks for a file name and writes `picture` (a packed DIB) there in the type chosen, then
// remembers the folder and the type. The picture comes from the frozen image, not from the
// clipboard, so a clipboard that another program holds never costs the file; the clipboard
// keeps its copy, to be pasted next.
SaveResult CutdSave(HWND owner, const std::vector<std::uint8_t>& picture);

}  // namespace shot
