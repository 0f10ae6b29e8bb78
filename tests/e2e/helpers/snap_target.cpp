// A window for the snap tests: a topmost popup at a given place with one child control at a
// given place inside it, both painted in plain colours.
//   snap_target.exe <left> <top> <width> <height> <child left> <child top> <child width> <child
//   height>
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR line, int) {
  int v[8] = {};
  if (swscanf(line, L"%d %d %d %d %d %d %d %d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
              &v[7]) != 8) {
    return 2;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = CreateSolidBrush(RGB(0, 160, 80));
  wc.lpszClassName = L"SnapTarget";
  RegisterClassW(&wc);
  wc.hbrBackground = CreateSolidBrush(RGB(200, 40, 160));
  wc.lpszClassName = L"SnapTargetChild";
  RegisterClassW(&wc);
  HWND top = CreateWindowExW(WS_EX_TOPMOST, L"SnapTarget", L"snap target", WS_POPUP | WS_VISIBLE,
                             v[0], v[1], v[2], v[3], nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"SnapTargetChild", L"", WS_CHILD | WS_VISIBLE, v[4], v[5], v[6], v[7], top,
                  nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
