// The windows 截屏 snaps to, read from the real window stack.
#include "screenshot/platform/win32/window_rects.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace shot {
namespace {

HWND Popup(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE) {
  return CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", style, x, y, w, h, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(WindowRects, TopmostFirstEachFollowedByItsVisibleChildren) {
  HWND low = Popup(300, 300, 100, 100);
  HWND high = Popup(310, 320, 200, 150);  // made later: above `low`
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 50, 40, high,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND grandchild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 5, 20, 10, child,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND hidden_child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 30, 30, high, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  HWND hidden = Popup(0, 0, 50, 50, WS_POPUP);
  HWND skipped = Popup(600, 100, 40, 40);
  const std::vector<SnapRect> rects = ReadWindowRects({100, 50}, skipped);
  auto at = [&](const RectI& r, int depth) {
    return std::find_if(rects.begin(), rects.end(),
                        [&](const SnapRect& s) { return s.bounds == r && s.depth == depth; });
  };
  // In pixels from the origin (100, 50).
  const auto h = at({210, 270, 410, 420}, 0);
  const auto c = at({220, 290, 270, 330}, 1);
  const auto g = at({225, 295, 245, 305}, 2);
  const auto l = at({200, 250, 300, 350}, 0);
  ASSERT_NE(h, rects.end());
  ASSERT_NE(l, rects.end());
  EXPECT_TRUE(h < l);  // the higher window first
  ASSERT_NE(c, rects.end());
  EXPECT_EQ(c, h + 1);  // its child at once after it, the grandchild after that
  ASSERT_NE(g, rects.end());
  EXPECT_EQ(g, h + 2);
  EXPECT_EQ(at({100, 0, 130, 30}, 1), rects.end());    // the hidden child
  EXPECT_EQ(at({-100, -50, -50, 0}, 0), rects.end());  // the hidden window
  EXPECT_EQ(at({500, 50, 540, 90}, 0), rects.end());   // the one left out
  for (HWND w : {skipped, hidden, hidden_child, grandchild, child, high, low}) DestroyWindow(w);
}

}  // namespace
}  // namespace shot
