// The Win32 host's one tool tip (see window_host.h): made at the first tip, following the
// control under the pointer, shown at once and placed clear of what the user works in.
#include "box/platform/win32/window_host.h"
// commctrl.h builds on what window_host.h brings in.
#include <commctrl.h>

#include <algorithm>

namespace velmo {

void WindowHost::MakeToolTip() {
  // The common controls are loaded here, for the tip window alone: not at every start.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  tool_tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0,
                              0, 0, 0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  ti.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tool_tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  // A button named by its tip alone is named at once.
  SendMessageW(tool_tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  // The move that brought the pointer here came before the tip window: it starts its delay.
  MSG move{hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(Px(pointer_.x), Px(pointer_.y)), 0, {}};
  SendMessageW(tool_tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

// Follows the control under the pointer after every event, timer ticks included: a tip
// goes with its control when the control moves away, hides or changes its tip.
void WindowHost::SyncToolTip() {
  Control* hit = pointer_inside_ ? form_.HitTest(pointer_.x, pointer_.y) : nullptr;
  std::u16string tip = hit ? hit->tool_tip : std::u16string();
  if (tip == tip_text_) return;
  tip_text_ = tip;
  if (!tool_tip_) {
    if (tip.empty()) return;
    MakeToolTip();
  }
  SendMessageW(tool_tip_, TTM_POP, 0, 0);
  SendMessageW(tool_tip_, TTM_ACTIVATE, tip.empty() ? FALSE : TRUE, 0);
  if (tip.empty()) return;
  // The move that brought the pointer onto this control reached the tip window before the pop:
  // without another one a still pointer would never see the new tip.
  MSG move{hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(Px(pointer_.x), Px(pointer_.y)), 0, {}};
  SendMessageW(tool_tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

// A tip stands above its control, clear of the pointer and of what lies below (the command box
// under the quick tools); below it only where the screen has no room above.
bool WindowHost::PlaceToolTip() {
  Control* hit = pointer_inside_ ? form_.HitTest(pointer_.x, pointer_.y) : nullptr;
  RECT tip;
  if (!hit || !GetWindowRect(tool_tip_, &tip)) return false;
  int left = 0, top = 0;
  for (const Control* c = hit; c && c->parent(); c = c->parent()) {
    left += c->left;
    top += c->top;
  }
  POINT at{Px(left), Px(top)};
  ClientToScreen(hwnd_, &at);
  const int width = tip.right - tip.left, height = tip.bottom - tip.top;
  const int gap = MulDiv(2, dpi_, 96);
  int y = at.y - height - gap;
  MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  if (y < monitor.rcMonitor.top) y = at.y + Px(hit->height) + gap;
  int x = std::clamp(static_cast<int>(at.x), static_cast<int>(monitor.rcMonitor.left),
                     static_cast<int>(monitor.rcMonitor.right) - width);
  return SetWindowPos(tool_tip_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) !=
         FALSE;
}

}  // namespace velmo
