// The global hotkeys and the shell's icons against the real system: a combination is held once
// (by this program too), a press calls its handler through the message loop, released keys are
// free again; icons come at the size asked for, the generic one for a path with no file.
#include <windows.h>

#include <gtest/gtest.h>

#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

constexpr Hotkey kKeys{true, true, true, false, VK_F9};

void Pump(int ms) {
  ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  MSG msg;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
}

void Press(const Hotkey& keys) {
  std::vector<INPUT> in;
  auto key = [&in](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (bool up : {false, true}) {
    if (!up) key(VK_CONTROL, up), key(VK_MENU, up), key(VK_SHIFT, up);
    key(static_cast<WORD>(keys.key), up);
    if (up) key(VK_SHIFT, up), key(VK_MENU, up), key(VK_CONTROL, up);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

TEST(Win32HotkeysTest, ACombinationIsHeldOnceAndAPressReachesItsHandler) {
  Win32GlobalHotkeys hotkeys;
  int pressed = 0, after = 0;
  hotkeys.set_after_press([&after] { ++after; });
  ASSERT_EQ(hotkeys.Register(1, kKeys, [&pressed] { ++pressed; }), HotkeyRegistration::kRegistered);
  EXPECT_EQ(hotkeys.Register(2, kKeys, [] {}), HotkeyRegistration::kTaken)
      << "the same keys, even for the same window";
  {
    Win32GlobalHotkeys other;
    EXPECT_EQ(other.Register(1, kKeys, [] {}), HotkeyRegistration::kTaken);
  }

  Press(kKeys);
  Pump(300);
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(after, 1);

  hotkeys.Unregister(1);
  EXPECT_EQ(hotkeys.Register(2, kKeys, [] {}), HotkeyRegistration::kRegistered);
}

TEST(Win32FileIconsTest, IconsComeAtTheSizeAskedForAndAPathWithNoFileGetsTheGenericOne) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::u16string folder(reinterpret_cast<const char16_t*>(windows));
  const std::u16string notepad = folder + u"\\notepad.exe", missing = u"C:\\没有\\文档.txt";
  Win32FileIcons icons;
  icons.Fetch(notepad, 16);
  icons.Fetch(notepad, 24);
  icons.Fetch(missing, 32);
  icons.Fetch(folder, 16);
  icons.Fetch(notepad, 48);  // above the large icon: the system image list's bigger ones
  icons.Fetch(folder, 80);
  std::vector<FetchedIcon> got;
  for (int i = 0; i < 500 && got.size() < 6; ++i) {
    for (FetchedIcon& f : icons.TakeFetched()) got.push_back(std::move(f));
    Sleep(10);
  }
  ASSERT_EQ(got.size(), 6u);
  for (const FetchedIcon& f : got) {
    SCOPED_TRACE(f.size);
    ASSERT_NE(f.icon, nullptr);
    EXPECT_EQ(f.icon->size, f.size);
    ASSERT_EQ(f.icon->pixels.size(), static_cast<std::size_t>(f.size * f.size));
    int opaque = 0, clear = 0;
    for (std::uint32_t p : f.icon->pixels) {
      std::uint32_t alpha = p >> 24;
      opaque += alpha == 255;
      clear += alpha == 0;
      // Premultiplied: no colour brighter than its alpha.
      EXPECT_LE(p & 0xFF, alpha);
    }
    EXPECT_GT(opaque, f.size) << "a picture";
    EXPECT_GT(clear, 0) << "around its shape";
  }
}

}  // namespace
}  // namespace velmo
