// Win32 host of a window model (see window_host.h).
#include "box/platform/win32/window_host.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <psapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "box/platform/win32/startup_trace.h"
#include "box/platform/win32/wide.h"
#include "box/ui/accessible_tree.h"

namespace velmo {
namespace {

constexpr wchar_t kClassName[] = L"VelmoBoxWindow";
constexpr UINT_PTR kTimerBase = 1000;
constexpr int kIconFontResource = 101;
constexpr long long kMaxCatchUpTicks = 3;

std::u16string TextOf(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::u16string s(static_cast<size_t>(n), u'\0');
  if (n > 0) GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(s.data()), n + 1);
  return s;
}

Modifiers CurrentModifiers() {
  return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace

std::uint64_t WindowHost::NowUs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<std::uint64_t>(c.QuadPart) * 1000000ull /
         static_cast<std::uint64_t>(f.QuadPart);
}

WindowHost::WindowHost(Form& form, CloseRequest on_close_request)
    : form_(form), on_close_request_(std::move(on_close_request)) {
  timing_ = std::getenv("VELMO_TIMING") != nullptr;
}

WindowHost::~WindowHost() {
  if (high_resolution_) timeEndPeriod(1);
  if (hwnd_) DestroyWindow(hwnd_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  if (back_buffer_) DeleteObject(back_buffer_);
  if (icon_font_) RemoveFontMemResourceEx(icon_font_);
}

bool WindowHost::Create() {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  if (HRSRC res = FindResourceW(inst, MAKEINTRESOURCEW(kIconFontResource), RT_RCDATA)) {
    HGLOBAL data = LoadResource(inst, res);
    DWORD fonts = 0;
    icon_font_ =
        AddFontMemResourceEx(LockResource(data), SizeofResource(inst, res), nullptr, &fonts);
  }
  MarkStartup("font");
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &WindowHost::WndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);

  dpi_ = static_cast<int>(GetDpiForSystem());
  hwnd_ = CreateWindowExW(form_.topmost ? WS_EX_TOPMOST : 0, kClassName, W(form_.caption),
                          WS_POPUP | WS_CLIPCHILDREN, Px(form_.left), Px(form_.top),
                          Px(form_.width), Px(form_.height), nullptr, nullptr, inst, this);
  if (!hwnd_) return false;
  applied_topmost_ = form_.topmost;
  applied_caption_ = form_.caption;
  dpi_ = static_cast<int>(GetDpiForWindow(hwnd_));
  MarkStartup("window");

  SyncOwn();
  // The icon shows only in the taskbar and the task switcher: it is loaded after the first
  // picture, like the tool tip window, made when the pointer first rests on a control with a
  // tip.
  auto icon = reinterpret_cast<LPARAM>(LoadIconW(inst, MAKEINTRESOURCEW(1)));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, icon);
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, icon);
  return true;
}

bool ImeKeyFilter::Passes(const MSG& msg) {
  const UINT scan_code = (HIWORD(msg.lParam) & 0xFF) | (HIWORD(msg.lParam) & KF_EXTENDED);
  auto held = std::find(composing_.begin(), composing_.end(), scan_code);
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    if (msg.wParam != VK_PROCESSKEY) return true;
    if (held == composing_.end()) composing_.push_back(scan_code);
    return false;
  }
  if (held == composing_.end()) return true;
  composing_.erase(held);
  return false;
}

int WindowHost::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    bool any_key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN ||
                   msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (any_key && !ime_keys_.Passes(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      continue;
    }
    bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (key && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
      KeyEvent e{static_cast<int>(msg.wParam), CurrentModifiers()};
      bool consumed = form_.KeyDown(e, ControlOf(msg.hwnd));
      Sync();
      if (consumed) continue;
    }
    bool key_up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (key_up && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
      form_.KeyUp(KeyEvent{static_cast<int>(msg.wParam), CurrentModifiers()}, ControlOf(msg.hwnd));
      Sync();
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// The partner first: the badge shows before the box hides, the box before the badge hides.
void WindowHost::Sync() {
  if (partner_) partner_->SyncOwn();
  SyncOwn();
}

void WindowHost::SyncOwn() {
  if (!hwnd_) {
    // Creating brings the new window up to date.
    if (create_when_shown_ && form_.visible) Create();
    return;
  }
  for (int n = form_.TakeBeeps(); n > 0; --n) MessageBeep(MB_OK);
  SyncTimers();
  SyncWindow();
  SyncNatives();
  SyncFocus();
  SyncToolTip();
  InvalidateChanges();
  SyncAccessible();
}

// A reader that has asked hears what changed: a notice that comes up, a title, a switch turned.
void WindowHost::SyncAccessible() {
  if (!accessible_) return;
  AccessibleView before = std::move(accessible_view_);
  accessible_view_ = AccessibleViewOf(form_, PixelScale(dpi_));
  for (const AccessibleEvent& e : AccessibleChanges(before, accessible_view_)) {
    static constexpr DWORD kEvents[] = {EVENT_OBJECT_SHOW, EVENT_SYSTEM_ALERT,
                                        EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_STATECHANGE};
    NotifyWinEvent(kEvents[static_cast<int>(e.kind)], hwnd_, OBJID_CLIENT, e.id);  // 0: the window
  }
}

HWND WindowHost::NativeWindowOf(int id) {
  for (const auto& [control, native] : natives_) {
    if (control->id() == id) return native.hwnd;
  }
  return nullptr;
}

// Only where something changed is painted again: a clock tick repaints the face, not the window.
void WindowHost::InvalidateChanges() {
  std::vector<ControlLook> looks = form_.Looks(PixelScale(dpi_));
  if (looks == looks_) return;
  std::unordered_map<const Control*, const ControlLook*> before;
  before.reserve(looks_.size());
  for (const ControlLook& l : looks_) before.emplace(l.control, &l);
  auto invalidate = [this](const PixelRect& a) {
    RECT r{a.left, a.top, a.right, a.bottom};
    InvalidateRect(hwnd_, &r, FALSE);
  };
  for (const ControlLook& now : looks) {
    auto was = before.find(now.control);
    if (was == before.end()) {
      invalidate(now.area);
      continue;
    }
    if (!(*was->second == now)) {
      invalidate(was->second->area);
      invalidate(now.area);
    }
    before.erase(was);
  }
  for (const auto& [control, gone] : before) invalidate(gone->area);
  looks_ = std::move(looks);
  ++invalidations_;
}

void WindowHost::SyncWindow() {
  PixelRect placed = PixelScale(dpi_).Rect(form_.left, form_.top, form_.width, form_.height);
  RECT r{placed.left, placed.top, placed.right, placed.bottom};
  if (!EqualRect(&r, &applied_rect_)) {
    applied_rect_ = r;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (form_.topmost != applied_topmost_) {
    applied_topmost_ = form_.topmost;
    SetWindowPos(hwnd_, form_.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (form_.caption != applied_caption_) {
    applied_caption_ = form_.caption;
    SetWindowTextW(hwnd_, W(form_.caption));
  }
  if (form_.layered && (!applied_layered_ || form_.opacity != applied_opacity_)) {
    if (!applied_layered_) {
      SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_LAYERED);
      applied_layered_ = true;
    }
    applied_opacity_ = form_.opacity;
    // With a see-through colour alone the opacity has no effect.
    bool keyed = form_.color_key != kNoBackground;
    SetLayeredWindowAttributes(hwnd_, keyed ? form_.color_key : RGB(255, 255, 255),
                               static_cast<BYTE>(form_.opacity), keyed ? LWA_COLORKEY : LWA_ALPHA);
  }
  if (form_.visible != applied_visible_) {
    applied_visible_ = form_.visible;
    ShowWindow(hwnd_, form_.visible ? SW_SHOW : SW_HIDE);
    if (form_.visible) UpdateWindow(hwnd_);
  }
  switch (form_.TakeKeyboardRequest()) {
    case Form::KeyboardRequest::kTake:
      if (HWND owner = GetForegroundWindow(); owner != hwnd_) keyboard_owner_ = owner;
      SetForegroundWindow(hwnd_);
      break;
    case Form::KeyboardRequest::kGiveBack:
      // Only what the box took: a program that took the keyboard since keeps it.
      if (keyboard_owner_ && IsWindow(keyboard_owner_) && GetForegroundWindow() == hwnd_) {
        SetForegroundWindow(keyboard_owner_);
      }
      keyboard_owner_ = nullptr;
      break;
    case Form::KeyboardRequest::kNone:
      break;
  }
}

void WindowHost::SyncTimers() {
  const auto& timers = form_.timers();
  timer_states_.resize(timers.size());
  bool fast = false;
  for (size_t i = 0; i < timers.size(); ++i) {
    const Timer& t = *timers[i];
    TimerState& s = timer_states_[i];
    bool run = t.enabled && t.interval_ms > 0;
    if (run && (!s.running || s.interval_ms != t.interval_ms)) {
      SetTimer(hwnd_, kTimerBase + i, static_cast<UINT>(t.interval_ms), nullptr);
      if (!s.running) {
        s.started_us = NowUs();
        s.ticks = 0;
      }
    } else if (!run && s.running) {
      KillTimer(hwnd_, kTimerBase + i);
      if (timing_ && t.animates) {
        std::printf("slide %s ticks=%d ms=%.1f\n", t.name.c_str(), s.ticks,
                    static_cast<double>(NowUs() - s.started_us) / 1000.0);
        std::fflush(stdout);
      }
    }
    s.running = run;
    s.interval_ms = t.interval_ms;
    // Windows' default timer granularity (15.6 ms) would stretch a 10 ms slide to 15.6 ms a
    // tick and a 25 ms one to 31.2.
    if (run && t.animates) fast = true;
  }
  if (fast != high_resolution_) {
    high_resolution_ = fast;
    if (fast) {
      timeBeginPeriod(1);
    } else {
      timeEndPeriod(1);
    }
  }
}

// Asks for WM_MOUSELEAVE: a fast pointer leaves a window or a native control without any
// move over what lies between.
void WindowHost::TrackLeave(HWND hwnd) {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
  TrackMouseEvent(&track);
}

void WindowHost::PointerLeft() {
  POINT p;
  GetCursorPos(&p);
  // Between the window and one of its native controls the pointer has not left: the move
  // that follows says where it is.
  HWND under = WindowFromPoint(p);
  if (under == hwnd_ || IsChild(hwnd_, under)) return;
  pointer_inside_ = false;
  form_.MouseLeave();
  Sync();
}

void WindowHost::Mouse(UINT msg, WPARAM wp, int x_px, int y_px) {
  int x = Twips(x_px), y = Twips(y_px);
  Modifiers m{(wp & MK_SHIFT) != 0, (wp & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0};
  switch (msg) {
    case WM_MOUSEMOVE: {
      MouseButton held = (wp & MK_LBUTTON)   ? MouseButton::kLeft
                         : (wp & MK_RBUTTON) ? MouseButton::kRight
                                             : MouseButton::kNone;
      TrackLeave(hwnd_);
      pointer_ = {x, y};
      pointer_inside_ = true;
      form_.MouseMove(x, y, held, m);
      break;
    }
    case WM_LBUTTONDOWN:
      SendMessageW(tool_tip_, TTM_POP, 0, 0);
      SetCapture(hwnd_);
      form_.MouseDown(x, y, MouseButton::kLeft, m);
      if (form_.TakeDragRequest()) DragWindow();
      break;
    case WM_RBUTTONDOWN:
      SetCapture(hwnd_);
      form_.MouseDown(x, y, MouseButton::kRight, m);
      break;
    case WM_LBUTTONUP:
      ReleaseCapture();
      form_.MouseUp(x, y, MouseButton::kLeft, m);
      break;
    case WM_RBUTTONUP:
      ReleaseCapture();
      form_.MouseUp(x, y, MouseButton::kRight, m);
      break;
    case WM_LBUTTONDBLCLK:
      form_.DoubleClick(x, y, MouseButton::kLeft, m);
      break;
  }
  Sync();
}

// The system's own move, as if the press were on a title bar; it returns when the button is
// released, and that release ends the press in the model too.
void WindowHost::DragWindow() {
  ReleaseCapture();
  SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  RECT r;
  GetWindowRect(hwnd_, &r);
  form_.left = Twips(r.left);
  form_.top = Twips(r.top);
  PixelRect placed = PixelScale(dpi_).Rect(form_.left, form_.top, form_.width, form_.height);
  applied_rect_ = {placed.left, placed.top, placed.right, placed.bottom};
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(hwnd_, &p);
  form_.MouseUp(Twips(p.x), Twips(p.y), MouseButton::kLeft, CurrentModifiers());
}

LRESULT CALLBACK WindowHost::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    static_cast<WindowHost*>(cs->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<WindowHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WindowHost::ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<WindowHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_MOUSEMOVE) {
    TrackLeave(hwnd);
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    MapWindowPoints(hwnd, self->hwnd_, &p, 1);
    self->pointer_ = {self->Twips(p.x), self->Twips(p.y)};
    self->pointer_inside_ = true;
    self->form_.MouseMove(self->pointer_.x, self->pointer_.y, MouseButton::kNone,
                          CurrentModifiers());
    self->Sync();
  } else if (msg == WM_MOUSELEAVE) {
    self->PointerLeft();
  } else if (msg == WM_SETFOCUS) {
    if (Control* c = self->ControlOf(hwnd)) {
      self->form_.SetFocus(c);
      self->applied_focus_ = c;
      self->applied_focus_hwnd_ = hwnd;
      if (self->timing_) {
        std::printf("keyboard %s unix_ms=%.1f\n", c->name.c_str(), UnixMsNow());
        std::fflush(stdout);
      }
    }
  }
  return CallWindowProcW(self->child_procs_[hwnd], hwnd, msg, wp, lp);
}

LRESULT WindowHost::Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      std::uint64_t start = timing_ ? NowUs() : 0;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      std::uint64_t render_us = Paint(dc, ps.rcPaint);
      EndPaint(hwnd_, &ps);
      if (timing_) {
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof(pmc);
        GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
        // The first line tells the start-up time.
        std::printf("paint render_us=%llu total_us=%llu working_set_kb=%llu since_start_ms=%.1f\n",
                    static_cast<unsigned long long>(render_us),
                    static_cast<unsigned long long>(NowUs() - start),
                    static_cast<unsigned long long>(pmc.WorkingSetSize / 1024),
                    MsSinceProcessStart());
        std::fflush(stdout);
      }
      return 0;
    }
    case WM_TIMER: {
      size_t i = wp - kTimerBase;
      if (wp >= kTimerBase && i < form_.timers().size() && i < timer_states_.size()) {
        Timer& t = *form_.timers()[i];
        TimerState& state = timer_states_[i];
        // WM_TIMER comes at most once however late it is: a slide catches up on the ticks it
        // missed (a few at most), so that n ticks of 10 ms take n * 10 ms on screen.
        int due = 1;
        if (t.animates) {
          auto elapsed = static_cast<long long>((NowUs() - state.started_us) / 1000);
          due = static_cast<int>(
              std::clamp<long long>(elapsed / t.interval_ms - state.ticks, 1, kMaxCatchUpTicks));
        }
        std::uint64_t start = timing_ ? NowUs() : 0;
        std::uint64_t invalidations = invalidations_;
        for (int n = 0; n < due && t.enabled; ++n) {
          ++state.ticks;
          form_.Tick(t);
        }
        Sync();
        // A tick that changes the picture: its work and the repaint it causes.
        if (timing_ && !t.animates && invalidations_ != invalidations) {
          UpdateWindow(hwnd_);
          std::printf("tick %s us=%llu\n", t.name.c_str(),
                      static_cast<unsigned long long>(NowUs() - start));
          std::fflush(stdout);
        }
        // Show each step of a slide before the next tick.
        if (t.animates) UpdateWindow(hwnd_);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
      Mouse(msg, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_MOUSELEAVE:
      PointerLeft();
      return 0;
    case WM_COMMAND: {
      Control* c = ControlOf(reinterpret_cast<HWND>(lp));
      if (!c || mirroring_) break;
      int code = HIWORD(wp);
      Native& n = natives_[c];
      if (code == EN_CHANGE) {
        n.text = TextOf(n.hwnd);
        form_.TextEdited(*c, n.text);
        Sync();
      } else if (code == LBN_SELCHANGE) {
        n.selected = static_cast<int>(SendMessageW(n.hwnd, LB_GETCURSEL, 0, 0));
        form_.SelectionMade(*c, n.selected);
        Sync();
      } else if (code == LBN_DBLCLK) {
        if (c->on_double_click)
          c->on_double_click(MouseEvent{MouseButton::kLeft, CurrentModifiers(), 0, 0});
        Sync();
      }
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      Control* c = d->CtlType == ODT_LISTBOX ? ControlOf(d->hwndItem) : nullptr;
      if (!c) break;
      DrawListEntry(*c, *d);
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX: {
      Control* c = ControlOf(reinterpret_cast<HWND>(lp));
      if (!c) break;
      HDC dc = reinterpret_cast<HDC>(wp);
      Color back = c->back_color == kNoBackground ? Rgb(255, 255, 255) : c->back_color;
      SetTextColor(dc, c->EnabledInTree() ? c->fore_color : GetSysColor(COLOR_GRAYTEXT));
      SetBkColor(dc, back);
      return reinterpret_cast<LRESULT>(BrushFor(back));
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr->hwndFrom == tool_tip_ && hdr->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
        info->lpszText = const_cast<wchar_t*>(W(tip_text_));
        return 0;
      }
      if (hdr->hwndFrom == tool_tip_ && hdr->code == TTN_SHOW) return PlaceToolTip() ? TRUE : 0;
      break;
    }
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      // Windows' rectangle keeps the window on the monitor it went to; placing it from its twips
      // at the new dpi could put it back across the boundary, and on the old dpi again.
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      form_.left = Twips(suggested->left);
      form_.top = Twips(suggested->top);
      for (auto& [key, font] : fonts_) DeleteObject(font);
      fonts_.clear();
      for (auto& [control, native] : natives_) {
        SendMessageW(native.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control->font)),
                     TRUE);
        native.region.clear();
      }
      applied_rect_ = {};
      looks_.clear();
      InvalidateRect(hwnd_, nullptr, FALSE);
      Sync();
      return 0;
    }
    case WM_GETOBJECT:
      if (!accessible_) {
        if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT)) break;
        accessible_view_ = AccessibleViewOf(form_, PixelScale(dpi_));
        accessible_ =
            std::make_unique<AccessibleWindow>(hwnd_, static_cast<AccessibleSource&>(*this));
      }
      if (std::optional<LRESULT> answer = accessible_->Answer(wp, lp)) return *answer;
      break;
    case kAccessibleActionMessage:
      if (DoAccessibleAction(form_, static_cast<int>(wp))) {
        form_.TakeDragRequest();  // no pointer to drag with
        Sync();
      }
      return 0;
    case WM_ACTIVATE:
      form_.active = LOWORD(wp) != WA_INACTIVE;
      if (timing_) {
        std::printf("active %d unix_ms=%.1f\n", form_.active ? 1 : 0, UnixMsNow());
        std::fflush(stdout);
      }
      // The keyboard goes where the model has its focus, not to the window as the default would
      // put it.
      if (form_.active) {
        applied_focus_hwnd_ = nullptr;
        SyncFocus();
      }
      return 0;
    case WM_CLOSE:
      if (on_close_request_) on_close_request_(false);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wp && on_close_request_) on_close_request_(true);
      return 0;
    case WM_DESTROY:
      accessible_.reset();
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace velmo
