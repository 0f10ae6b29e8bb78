// How long a window leaves its messages waiting: for the given time it sends the window WM_NULL
// every 5 ms and waits for each answer, then prints the number of messages and the longest and
// median wait, in milliseconds.
//   answer_probe.exe <milliseconds> <window title, the rest of the command line>
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
  LARGE_INTEGER frequency, start, before, after;
  QueryPerformanceFrequency(&frequency);
  auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  std::vector<double> waits;
  QueryPerformanceCounter(&start);
  for (;;) {
    QueryPerformanceCounter(&before);
    if (ms(start, before) >= duration_ms) break;
    DWORD_PTR result;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) return 4;
    QueryPerformanceCounter(&after);
    waits.push_back(ms(before, after));
    Sleep(5);
  }
  timeEndPeriod(1);
  if (waits.empty()) return 5;
  std::vector<double> sorted = waits;
  std::sort(sorted.begin(), sorted.end());
  std::printf("messages %zu longest_ms %.2f median_ms %.2f\n", waits.size(), sorted.back(),
              sorted[sorted.size() / 2]);
  return 0;
}
