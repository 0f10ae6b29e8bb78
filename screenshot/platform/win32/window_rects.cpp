// Reading the window stack with GetWindow, which walks it in z-order.
#include "screenshot/platform/win32/window_rects.h"

#include <dwmapi.h>

namespace shot {
namespace {

// Bounds on the walk: a window stack that changes under it can never keep it going.
constexpr int kMostRects = 4096;
constexpr int kMostSteps = 20000;
constexpr int kDeepest = 8;

using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

class WindowWalk {
 public:
  WindowWalk(POINT origin, HWND skip) : origin_(origin), skip_(skip) {
    // Loaded here rather than imported: a start-up without it is quicker.
    dwmapi_ = LoadLibraryW(L"dwmapi.dll");
    if (dwmapi_) {
      attribute_ = reinterpret_cast<DwmGetWindowAttributeFn>(
          reinterpret_cast<void*>(GetProcAddress(dwmapi_, "DwmGetWindowAttribute")));
    }
  }
  ~WindowWalk() {
    if (dwmapi_) FreeLibrary(dwmapi_);
  }
  WindowWalk(const WindowWalk&) = delete;
  WindowWalk& operator=(const WindowWalk&) = delete;

  // The windows from `first` down the stack, and their children below `depth`.
  void Walk(HWND first, int depth) {
    for (HWND w = first; w && steps_ < kMostSteps && rects_.size() < kMostRects;
         w = GetWindow(w, GW_HWNDNEXT)) {
      ++steps_;
      if (w == skip_ || !IsWindowVisible(w) || (depth == 0 && (IsIconic(w) || Cloaked(w)))) {
        continue;
      }
      RECT r{};
      const bool framed = depth == 0 && FrameBounds(w, &r) && r.right > r.left && r.bottom > r.top;
      if (!framed && !GetWindowRect(w, &r)) continue;
      if (r.right <= r.left || r.bottom <= r.top) continue;
      rects_.push_back(
          {{r.left - origin_.x, r.top - origin_.y, r.right - origin_.x, r.bottom - origin_.y},
           depth});
      if (depth < kDeepest) Walk(GetWindow(w, GW_CHILD), depth + 1);
    }
  }

  std::vector<SnapRect> Take() { return std::move(rects_); }

 private:
  bool Cloaked(HWND w) const {
    DWORD cloaked = 0;
    return attribute_ && SUCCEEDED(attribute_(w, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
  }
  bool FrameBounds(HWND w, RECT* r) const {
    return attribute_ && SUCCEEDED(attribute_(w, DWMWA_EXTENDED_FRAME_BOUNDS, r, sizeof *r));
  }

  POINT origin_;
  HWND skip_;
  HMODULE dwmapi_ = nullptr;
  DwmGetWindowAttributeFn attribute_ = nullptr;
  std::vector<SnapRect> rects_;
  int steps_ = 0;
};

}  // namespace

std::vector<SnapRect> ReadWindowRects(POINT origin, HWND skip) {
  WindowWalk walk(origin, skip);
  walk.Walk(GetTopWindow(nullptr), 0);
  return walk.Take();
}

}  // namespace shot
