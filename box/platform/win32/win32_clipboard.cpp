// Unicode text on the clipboard.
#include <cstring>

#include "box/platform/win32/win32_services.h"

namespace velmo {

bool Win32Clipboard::SetText(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  // Another program may hold the clipboard for a moment.
  bool open = false;
  for (int attempt = 0; attempt < 5 && !open; ++attempt) {
    open = OpenClipboard(nullptr) != FALSE;
    if (!open) Sleep(10);
  }
  bool set = open && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (open) CloseClipboard();
  // Once set, the clipboard owns the memory.
  if (!set) GlobalFree(memory);
  return set;
}

}  // namespace velmo
