// Where the capture screen puts text: the colour a user copies with the C key.
#pragma once

#include <string>

namespace shot {

class TextClipboard {
 public:
  virtual ~TextClipboard() = default;
  // False when the clipboard could not take the text (another program holds it).
  virtual bool CopyText(const std::u16string& text) = 0;
};

}  // namespace shot
