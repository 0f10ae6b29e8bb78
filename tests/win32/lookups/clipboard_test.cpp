// The box's text copies on the clipboard: held to Windows' owner rule, which Wine does not keep,
// and then against the real clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

// Windows' rule: EmptyClipboard makes the window the clipboard was opened with its owner, and
// SetClipboardData fails while that owner is no window.
struct WindowsRule {
  static inline bool open = false;
  static inline HWND opened_with = nullptr;
  static inline HWND owner = nullptr;
  static inline int sets = 0;
  static BOOL WINAPI Open(HWND window) {
    if (open) return FALSE;
    open = true;
    opened_with = window;
    return TRUE;
  }
  static BOOL WINAPI Empty() {
    if (!open) return FALSE;
    owner = opened_with;
    return TRUE;
  }
  static HANDLE WINAPI Set(UINT, HANDLE data) {
    if (!open || !owner) return nullptr;
    ++sets;
    GlobalFree(data);  // stands for the clipboard taking it
    return data;
  }
  static BOOL WINAPI Close() {
    open = false;
    return TRUE;
  }
};

std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST(Win32ClipboardTest, CopiesWithTheBoxWindowAsOwner) {
  HWND window = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);

  Win32Clipboard ruled({WindowsRule::Open, WindowsRule::Empty, WindowsRule::Set,
                        WindowsRule::Close});
  // Before the window exists nothing is copied, and the clipboard is never opened without one.
  EXPECT_FALSE(ruled.SetText(u"13800000000"));
  EXPECT_EQ(WindowsRule::sets, 0);
  ruled.set_owner(window);
  EXPECT_TRUE(ruled.SetText(u"13800000000"));
  EXPECT_EQ(WindowsRule::opened_with, window);
  EXPECT_EQ(WindowsRule::sets, 1);
  EXPECT_FALSE(WindowsRule::open);

  Win32Clipboard real;
  real.set_owner(window);
  ASSERT_TRUE(real.SetText(u"张三 13800000000"));
  EXPECT_EQ(ClipboardText(), u"张三 13800000000");
  DestroyWindow(window);
}

}  // namespace
}  // namespace velmo
