// Saving the copied selection: the save dialog and the clipboard picture written to a file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shot {

// The save dialog ("保存为") opened on the program's own folder; nothing when cancelled.
std::optional<std::wstring> AskSaveFileName(HWND owner);

enum class SaveResult { kCancelled, kSaved, kFailed };

// Asks for a file name and writes `picture` (a packed DIB) there in the format the name asks
// for. The picture comes from the frozen image, not from the clipboard, so a clipboard that
// another program holds never costs the file. After a written file the clipboard is emptied
// when it holds the copy (`on_clipboard`); a cancelled dialog or a failed write leaves it as it is.
SaveResult CutdSave(HWND owner, const std::vector<std::uint8_t>& picture, bool on_clipboard);

}  // namespace shot
