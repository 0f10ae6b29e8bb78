// The screen service and the window host against the real display: work areas, and what a
// change of dpi does to the window and its model.
#include <gtest/gtest.h>
#include <windows.h>

#include "box/platform/win32/win32_services.h"
#include "box/platform/win32/window_host.h"

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

}  // namespace
}  // namespace velmo
