// The screen service and the window host against the real display: work areas, what a change of
// dpi does to the window and its model, text panes that lines are added to, and the keys an
// input method keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include <richedit.h>

#include <string>

#include "box/platform/win32/win32_services.h"
#include "box/platform/win32/window_host.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

TEST(Win32Screen, OneWorkAreaPerMonitorThePrimaryFirst) {
  Win32Screen screen;
  std::vector<PixelRect> areas = screen.WorkAreas();
  ASSERT_EQ(static_cast<int>(areas.size()), GetSystemMetrics(SM_CMONITORS));
  // The primary monitor's top left corner is the origin of the virtual screen.
  EXPECT_LE(areas[0].left, 0);
  EXPECT_LE(areas[0].top, 0);
  EXPECT_GT(areas[0].right, 0);
  EXPECT_LE(areas[0].right - areas[0].left, screen.WidthPixels());
  EXPECT_EQ(screen.Dpi(), static_cast<int>(GetDpiForSystem()));
}

TEST(WindowHost, ADpiChangeTakesWindowsRectangleAndTheModelFollowsIt) {
  Form form;
  form.left = 1500;
  form.top = 150;
  form.width = 4600;
  form.height = 6000;
  WindowHost host(form, nullptr);
  ASSERT_TRUE(host.Create());
  // Moved onto a 150 % monitor to the right: Windows suggests where the window now stands.
  RECT suggested{1000, 40, 1460, 640};
  SendMessageW(host.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  RECT placed{};
  GetWindowRect(host.hwnd(), &placed);
  EXPECT_EQ(placed.left, 1000);
  EXPECT_EQ(placed.top, 40);
  EXPECT_EQ(placed.right - placed.left, 460);  // 4600 twips at 144 dpi
  EXPECT_EQ(placed.bottom - placed.top, 600);
  EXPECT_EQ(form.left, 10000);
  EXPECT_EQ(form.top, 400);
  DestroyWindow(host.hwnd());
}

std::u16string NativeText(HWND hwnd) {
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()),
                                                      static_cast<int>(text.size()))));
  return text;
}

// A pane that lines are added to: its native control takes them past the default limit of some
// 32,000 characters and shows the end; a text that does not continue the shown one replaces it.
TEST(WindowHost, TextPanesTakeAddedLinesAndShowTheEnd) {
  Form form;
  form.width = 6000;
  form.height = 3000;
  Control& rich = form.Add(form.root(), ControlKind::kRichText, "Text2");
  Control& box = form.Add(form.root(), ControlKind::kTextBox, "Text3");
  for (Control* c : {&rich, &box}) {
    c->width = 3000;
    c->height = 1500;
    c->multi_line = true;
    c->read_only = true;
    c->text = u"清理开始";
  }
  box.left = 3000;
  WindowHost host(form, nullptr);
  ASSERT_TRUE(host.Create());
  for (int i = 0; i < 2000; ++i) {
    std::u16string line = u"\r\n已删除 C:\\Temp\\" + Utf8ToUtf16(std::to_string(i)) + u".tmp";
    rich.text += line;
    box.text += line;
    if (i % 400 == 399) host.Sync();
  }
  ASSERT_GT(box.text.size(), 40000u);
  const struct {
    Control& control;
    const wchar_t* window_class;
  } panes[] = {{rich, MSFTEDIT_CLASS}, {box, L"EDIT"}};
  for (const auto& pane : panes) {
    SCOPED_TRACE(pane.control.name);
    HWND hwnd = FindWindowExW(host.hwnd(), nullptr, pane.window_class, nullptr);
    ASSERT_NE(hwnd, nullptr);
    std::u16string shown = NativeText(hwnd);
    EXPECT_EQ(shown.size(), pane.control.text.size());
    EXPECT_TRUE(shown == pane.control.text);
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
    LRESULT lines = SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0);
    EXPECT_EQ(SendMessageW(hwnd, EM_LINEFROMCHAR, start, 0), lines - 1) << "the caret at the end";
    EXPECT_GT(SendMessageW(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0), lines - 100) << "the end in view";

    pane.control.text = u"新的一次清理";
    host.Sync();
    EXPECT_EQ(NativeText(hwnd), u"新的一次清理");
  }
  DestroyWindow(host.hwnd());
}

// Keys an input method takes while it composes never reach the model, down or up; the same keys
// typed outside a composition do.
TEST(WindowHost, KeysTheInputMethodTakesStayItsOwn) {
  auto key = [](UINT message, WPARAM vk, UINT scan_code) {
    MSG msg{};
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = static_cast<LPARAM>(1 | (scan_code << 16) |
                                     (message == WM_KEYUP || message == WM_SYSKEYUP ? 0xC0000000u
                                                                                    : 0u));
    return msg;
  };
  constexpr UINT kEnter = 0x1C, kEscape = 0x01, kSpace = 0x39, kA = 0x1E;
  const struct {
    MSG msg;
    bool passes;
  } steps[] = {
      {key(WM_KEYDOWN, VK_PROCESSKEY, kA), false},       // composing "a"
      {key(WM_KEYUP, 'A', kA), false},                   // its key-up, with the real key
      {key(WM_KEYDOWN, VK_PROCESSKEY, kSpace), false},   // picks a candidate
      {key(WM_KEYDOWN, VK_PROCESSKEY, kSpace), false},   // auto-repeat
      {key(WM_KEYUP, VK_SPACE, kSpace), false},
      {key(WM_KEYDOWN, VK_PROCESSKEY, kEnter), false},   // commits the Latin text
      {key(WM_KEYUP, VK_RETURN, kEnter), false},
      {key(WM_KEYDOWN, VK_PROCESSKEY, kEscape), false},  // cancels a composition
      {key(WM_KEYUP, VK_PROCESSKEY, kEscape), false},
      {key(WM_KEYDOWN, VK_RETURN, kEnter), true},        // no composition: the box's Enter
      {key(WM_KEYUP, VK_RETURN, kEnter), true},
      {key(WM_SYSKEYDOWN, 'A', kA), true},
      {key(WM_SYSKEYUP, 'A', kA), true},
  };
  ImeKeyFilter filter;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    EXPECT_EQ(filter.Passes(steps[i].msg), steps[i].passes) << "step " << i;
  }
}

}  // namespace
}  // namespace velmo
