// Clipboard access for the capture tool.
#include "screenshot/platform/win32/clipboard.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace shot {
namespace {

// Opens the clipboard for the length of one operation.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner = GetDesktopWindow())
      : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

HBITMAP DeviceBitmap(const FrozenScreen& frozen, const RectI& r) {
  HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  HDC memory = CreateCompatibleDC(display);
  HBITMAP bitmap = CreateCompatibleBitmap(display, r.width(), r.height());
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, r.width(), r.height(), frozen.dc(), r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteDC(display);
  return bitmap;
}

HGLOBAL GlobalCopy(const std::vector<std::uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

bool ScrnCap(const FrozenScreen& frozen, const RectI& region) {
  RectI r = ClipToImage(region, frozen.width(), frozen.height());
  OpenClipboardScope clipboard;
  if (!clipboard.open()) return false;
  EmptyClipboard();
  // One picture: the system makes the device-independent formats from it for a program that
  // asks for them, so a second copy of the picture is not kept.
  if (HBITMAP bitmap = DeviceBitmap(frozen, r); !SetClipboardData(CF_BITMAP, bitmap)) {
    DeleteObject(bitmap);
  }
  return true;
}

bool WindowsTextClipboard::CopyText(const std::u16string& text) {
  std::vector<std::uint8_t> bytes((text.size() + 1) * sizeof(char16_t));
  std::memcpy(bytes.data(), text.c_str(), bytes.size());
  OpenClipboardScope clipboard(owner_);
  if (!clipboard.open() || !EmptyClipboard()) return false;
  HGLOBAL memory = GlobalCopy(bytes);
  if (memory && SetClipboardData(CF_UNICODETEXT, memory)) return true;
  if (memory) GlobalFree(memory);
  return false;
}

}  // namespace shot
