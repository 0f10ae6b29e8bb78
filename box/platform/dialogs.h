// The system's modal dialogs.
#pragma once

#include <optional>
#include <string>

namespace velmo {

struct OpenFileRequest {
  std::u16string title;           // empty: the system's title
  std::u16string initial_folder;  // empty: the system's choice
  // Descriptions and their patterns, separated by "|": "可执行文件(*.exe)|*.exe".
  // Empty: every file.
  std::u16string filter;
  // False: a chosen shortcut comes back as the shortcut file itself, not as its target.
  bool follow_shortcuts = true;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The full path of an existing file the user chose; nullopt on cancel or failure. The
  // process's current folder is left as it was.
  virtual std::optional<std::u16string> OpenFile(const OpenFileRequest& request) = 0;
  // The system's message box with the error icon and an OK button; returns when it is closed.
  virtual void ShowError(const std::u16string& text, const std::u16string& title) = 0;
  // The system's message box with the question icon and the buttons Yes and No; true for Yes.
  virtual bool Ask(const std::u16string& text, const std::u16string& title) = 0;
};

}  // namespace velmo
