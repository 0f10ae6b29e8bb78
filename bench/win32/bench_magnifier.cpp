// Magnifier moves through the real capture window, timed from the mouse message to the end of
// its painting, on a frozen screen of the display's size: hovering before a selection (with a
// window outlined under the pointer), beside a selection (the surround dimmed) and while a
// selection is drawn, and while a pen line is drawn over a mosaic. Prints each case's median, 95th
// percentile and longest move in ms.
//   bench_magnifier.exe [moves]   (default 300)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "screenshot/platform/win32/capture_window.h"
#include "screenshot/platform/win32/fonts.h"

namespace {

double Ms(LARGE_INTEGER a, LARGE_INTEGER b) {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// A frozen screen of the given size holding a gradient with some detail.
std::unique_ptr<shot::FrozenScreen> Picture(int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto* p = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      p[static_cast<size_t>(y) * w + x] =
          ((x * 255 / w) << 16) | ((y * 255 / h) << 8) | ((x ^ y) & 0xFF);
    }
  }
  auto frozen = std::make_unique<shot::FrozenScreen>(dc, POINT{0, 0}, SIZE{w, h});
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return frozen;
}

void Send(HWND hwnd, UINT msg, WPARAM keys, int x, int y) {
  SendMessageW(hwnd, msg, keys, MAKELPARAM(x, y));
  UpdateWindow(hwnd);
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-40s median %.2f ms  p95 %.2f ms  max %.2f ms\n", what, times[times.size() / 2],
              times[times.size() * 95 / 100], times.back());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR line, int) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const int moves = line && *line ? _wtoi(line) : 300;
  shot::IconFontResource icon_font;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  shot::CaptureWindow window(instance, RECT{0, 0, w, h}, [](shot::CaptureEnd) {});
  window.Show(Picture(w, h));
  // A window table like a desktop's: a big window with controls, and the desktop.
  window.SetWindows({{{w / 8, h / 8, w * 7 / 8, h * 7 / 8}, 0},
                     {{w / 8 + 10, h / 8 + 40, w / 2, h * 7 / 8 - 10}, 1},
                     {{w / 2 + 10, h / 8 + 40, w * 7 / 8 - 10, h * 7 / 8 - 10}, 1},
                     {{0, 0, w, h}, 0}});
  HWND hwnd = window.hwnd();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  std::printf("screen %dx%d, %d moves each\n", w, h, moves);

  auto run = [&](const char* what, WPARAM keys, auto point) {
    std::vector<double> times;
    for (int i = 0; i < moves; ++i) {
      auto [x, y] = point(i);
      LARGE_INTEGER a, b;
      QueryPerformanceCounter(&a);
      Send(hwnd, WM_MOUSEMOVE, keys, x, y);
      QueryPerformanceCounter(&b);
      times.push_back(Ms(a, b));
    }
    Report(what, times);
  };
  // Round the middle of the screen, crossing the windows' edges.
  run("hover before a selection", 0, [&](int i) {
    return std::pair{w / 4 + (i * 5) % (w / 2), h / 4 + (i * 3) % (h / 2)};
  });
  Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, w / 3, h / 3);
  Send(hwnd, WM_MOUSEMOVE, MK_LBUTTON, w / 2, h / 2);
  Send(hwnd, WM_LBUTTONUP, 0, w / 2, h / 2);
  run("beside a selection, surround dimmed", 0, [&](int i) {
    return std::pair{w / 2 + 20 + (i * 5) % (w / 3), h / 2 + 20 + (i * 3) % (h / 3)};
  });
  Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, w / 4, h / 4);
  run("drawing a selection", MK_LBUTTON, [&](int i) {
    return std::pair{w / 2 + (i * 5) % (w / 3), h / 2 + (i * 3) % (h / 3)};
  });
  Send(hwnd, WM_LBUTTONUP, 0, w / 2, h / 2);
  // A mosaic over the whole selection (w / 4, h / 4)-(w / 2, h / 2), then a pen line drawn over
  // it: each move shows the line so far over the mosaic. The mark-up row lies right-aligned 32
  // pixels under the selection at 96 dpi; item i's box starts 4 + 24 i pixels into it.
  auto tool = [&](int item) {
    const int x = w / 2 - 440 + 4 + 24 * item + 10, y = h / 2 + 45;
    Send(hwnd, WM_MOUSEMOVE, 0, x, y);
    Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Send(hwnd, WM_LBUTTONUP, 0, x, y);
  };
  tool(5);
  Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, w / 4 + 1, h / 4 + 1);
  Send(hwnd, WM_MOUSEMOVE, MK_LBUTTON, w / 2 - 2, h / 2 - 2);
  Send(hwnd, WM_LBUTTONUP, 0, w / 2 - 2, h / 2 - 2);
  tool(3);
  Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, w / 4 + 10, h / 4 + 10);
  run("drawing a pen line over a mosaic", MK_LBUTTON, [&](int i) {
    return std::pair{w / 4 + 10 + (i * (w / 4 - 20)) / moves, h / 4 + 10 + (i % 2) * (h / 4 - 20)};
  });
  Send(hwnd, WM_LBUTTONUP, 0, w / 2 - 10, h / 2 - 10);
  return 0;
}
