// The keyboard hook against the real system: it discards keys while the thread that set it is
// busy and pumps no messages, and gives them back once removed.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

int key_downs = 0;

LRESULT CALLBACK CountKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN) ++key_downs;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Pump(int ms) {
  ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  MSG msg;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

// Types `count` letters from another thread while this one sleeps for `busy_ms`, as the window's
// thread does while it empties the Recycle Bin.
void TypeWhileBusy(int count, int busy_ms) {
  std::thread typist([count] {
    for (int i = 0; i < count; ++i) {
      INPUT keys[2] = {};
      keys[0].type = keys[1].type = INPUT_KEYBOARD;
      keys[0].ki.wVk = keys[1].ki.wVk = 'A';
      keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, keys, sizeof(INPUT));
      Sleep(100);
    }
  });
  Sleep(static_cast<DWORD>(busy_ms));
  typist.join();
  Pump(300);
}

TEST(Win32KeyboardHookTest, DiscardsKeysWhileTheWindowThreadIsBusy) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountKeys;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VelmoHookTest";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"hook test", WS_POPUP | WS_VISIBLE,
                                0, 0, 200, 200, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  SetFocus(window);
  Pump(300);

  Win32KeyboardHook hook;
  ASSERT_TRUE(hook.Install());
  ASSERT_TRUE(hook.Install());  // never a second hook
  key_downs = 0;
  TypeWhileBusy(5, 3000);
  EXPECT_EQ(key_downs, 0) << "keys passed the hook while the window's thread was busy";

  hook.Remove();
  hook.Remove();
  key_downs = 0;
  TypeWhileBusy(3, 500);
  EXPECT_EQ(key_downs, 3) << "the keys did not come back once the hook was removed";

  // Set again after a removal, it discards again.
  ASSERT_TRUE(hook.Install());
  key_downs = 0;
  TypeWhileBusy(2, 500);
  EXPECT_EQ(key_downs, 0);
  hook.Remove();
  DestroyWindow(window);
}

}  // namespace
}  // namespace velmo
