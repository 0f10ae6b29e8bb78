// One tick of the process watch: a snapshot of the running image names and the look-up of five
// programs in it. Prints the first tick, then the minimum and median of 50 more; the budget is
// 2 ms a tick.
//   bench_process_watch.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "box/platform/win32/win32_services.h"
#include "box/system/process_checks.h"

int main() {
  using namespace velmo;
  const std::u16string_view watched[] = {u"QQ.exe", u"NOTEPAD.EXE", u"explorer.exe", u"WeChat.exe",
                                         u"记事本.exe"};
  Win32Processes processes;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::size_t process_count = 0;
  int found = 0;
  auto tick_ms = [&] {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    std::vector<std::u16string> running = processes.RunningImageNames();
    found = 0;
    for (std::u16string_view name : watched) found += IsProcessRunning(running, name) ? 1 : 0;
    QueryPerformanceCounter(&end);
    process_count = running.size();
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  const double first = tick_ms();
  std::vector<double> ticks;
  for (int i = 0; i < 50; ++i) ticks.push_back(tick_ms());
  std::sort(ticks.begin(), ticks.end());
  const double median = (ticks[24] + ticks[25]) / 2;
  std::printf(
      "process watch tick (%d processes, 5 names, %d found): first %.3f ms, min %.3f ms,"
      " median %.3f ms, max %.3f ms; budget 2 ms\n",
      static_cast<int>(process_count), found, first, ticks.front(), median, ticks.back());
  return 0;
}
