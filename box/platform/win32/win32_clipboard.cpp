// Unicode text on the clipboard, opened with the box's window as its owner.
#include <cstring>

#include "box/platform/win32/win32_services.h"

namespace velmo {

bool Win32Clipboard::SetText(const std::u16string& text) {
  // Windows refuses the data of a clipboard emptied while opened without a window.
  if (!owner_) return false;
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  // Another program may hold the clipboard for a moment.
  bool open = false;
  for (int attempt = 0; attempt < 5 && !open; ++attempt) {
    open = api_.open(owner_) != FALSE;
    if (!open) Sleep(10);
  }
  bool set = open && api_.empty() && api_.set(CF_UNICODETEXT, memory) != nullptr;
  if (open) api_.close();
  // Once set, the clipboard owns the memory.
  if (!set) GlobalFree(memory);
  return set;
}

}  // namespace velmo
