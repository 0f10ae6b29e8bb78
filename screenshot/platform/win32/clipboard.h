// The system clipboard: where a copied selection goes.
#pragma once

#include <windows.h>

#include "screenshot/geometry.h"
#include "screenshot/platform/win32/frozen_screen.h"
#include "screenshot/text_clipboard.h"

namespace shot {

// Copies the region of the frozen image to the clipboard as a bitmap (CF_BITMAP); the system
// gives it to programs that ask for a device-independent bitmap (CF_DIB) too. The clipboard
// owns it, so it stays after the program ends. False when the clipboard could not be opened.
bool ScrnCap(const FrozenScreen& frozen, const RectI& region);

// Text (CF_UNICODETEXT) put on the clipboard with a window of this program as its owner.
class WindowsTextClipboard : public TextClipboard {
 public:
  explicit WindowsTextClipboard(HWND owner) : owner_(owner) {}
  bool CopyText(const std::u16string& text) override;

 private:
  HWND owner_;
};

}  // namespace shot
