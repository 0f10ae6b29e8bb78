// Saving the copied selection: the save dialog and the clipboard picture written to a file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace shot {

// The save dialog ("保存为") opened on the program's own folder; nothing when cancelled.
std::optional<std::wstring> AskSaveFileName(HWND owner);

enum class SaveResult { kCancelled, kSaved, kFailed };

// Asks for a file name, writes the clipboard's picture there in the format the name asks for,
// then empties the clipboard. A cancelled dialog or a failed write leaves the clipboard as it is.
SaveResult CutdSave(HWND owner);

}  // namespace shot
