// How long a window leaves the user waiting: for the given time it has the window repainted as
// often as it will (every 10 ms at most), each time waiting until the paint is done, and prints
// the number of paints and the longest and median gap between two of them, in milliseconds.
//   paint_probe.exe <milliseconds> <window title, the rest of the command line>
#include <windows.h>
#include <timeapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR line, int) {
  wchar_t* rest = nullptr;
  const unsigned long duration_ms = std::wcstoul(line, &rest, 10);
  std::wstring title = rest;
  while (!title.empty() && title.front() == L' ') title.erase(0, 1);
  HWND window = FindWindowW(nullptr, title.c_str());
  if (!window) return 3;
  timeBeginPeriod(1);
  std::vector<double> gaps;
  LARGE_INTEGER frequency, start, last, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  last = start;
  auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  do {
    // Returns once the window's thread has painted: a busy thread makes the gap long.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    QueryPerformanceCounter(&now);
    gaps.push_back(ms(last, now));
    last = now;
    Sleep(10);
  } while (ms(start, now) < duration_ms && IsWindow(window));
  timeEndPeriod(1);
  std::sort(gaps.begin(), gaps.end());
  std::printf("paints %zu longest_gap_ms %.1f median_gap_ms %.1f\n", gaps.size(), gaps.back(),
              gaps[gaps.size() / 2]);
  return 0;
}
