// The system clipboard, for text.
#pragma once

#include <string>

namespace velmo {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content with `text` as Unicode text. False when the clipboard
  // could not be opened (another program holds it) or the copy failed.
  virtual bool SetText(const std::u16string& text) = 0;
};

}  // namespace velmo
