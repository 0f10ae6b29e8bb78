// Win32 host of a window model (see window_host.h).
#include "box/platform/win32/window_host.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <psapi.h>
#include <richedit.h>
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

// EM_REPLACESEL stops at the limit, which is some 32,000 characters when none is set: no limit
// is the largest there is.
void LimitText(HWND edit, ControlKind kind, std::size_t max_length) {
  if (kind == ControlKind::kRichText) {
    SendMessageW(edit, EM_EXLIMITTEXT, 0, max_length ? max_length : 0x7FFFFFFE);
  } else {
    SendMessageW(edit, EM_LIMITTEXT, max_length, 0);  // 0: the most an EDIT takes
  }
}

bool Opaque(const Control& c) {
  return c.kind == ControlKind::kPanel && c.back_color != kNoBackground;
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
  SendMessageW(tool_tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 400);
  // The move that brought the pointer here came before the tip window: it starts its delay.
  MSG move{hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(Px(pointer_.x), Px(pointer_.y)), 0, {}};
  SendMessageW(tool_tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
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

void WindowHost::CollectNatives(Control& c, std::vector<Control*>& out) {
  if (c.IsNative()) out.push_back(&c);
  for (auto& child : c.children()) CollectNatives(*child, out);
}

void WindowHost::SyncNatives() {
  std::vector<Control*> natives;
  CollectNatives(form_.root(), natives);
  mirroring_ = true;
  for (Control* c : natives) SyncNative(*c);
  mirroring_ = false;
}

namespace {
// Paint-order walk that collects the rectangles of opaque panels drawn after
// `target` that are not its containers: those cover the native control.
struct CoverWalk {
  const Control* target;
  bool after = false;
  std::vector<RECT> covers;
  std::function<int(int)> px;

  void Walk(const Control& c, int x, int y, bool ancestor_of_target) {
    if (!c.visible) return;
    if (&c == target) {
      after = true;
      return;  // its own children never cover it
    }
    int cx = x + px(c.left), cy = y + px(c.top);
    if (c.parent() && after && !ancestor_of_target && Opaque(c)) {
      covers.push_back({cx, cy, cx + px(c.width), cy + px(c.height)});
      return;
    }
    for (auto& child : c.children()) {
      bool anc = false;
      for (const Control* p = target->parent(); p; p = p->parent()) anc |= (p == child.get());
      Walk(*child, c.parent() ? cx : 0, c.parent() ? cy : 0, anc);
    }
  }
};
}  // namespace

void WindowHost::SyncNative(Control& c) {
  Native& n = natives_[&c];
  if (!n.hwnd) {
    // A box is made when it is first shown: the boxes of hidden pages cost nothing at start-up.
    if (!c.ShownInTree()) return;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    const wchar_t* cls = L"EDIT";
    if (c.kind == ControlKind::kListBox) {
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    } else {
      if (c.kind == ControlKind::kRichText) {
        static const bool loaded = LoadLibraryW(L"Msftedit.dll") != nullptr;  // only when needed
        (void)loaded;
        cls = MSFTEDIT_CLASS;
      }
      style |= ES_AUTOHSCROLL;
      if (c.multi_line) style = (style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL;
      // A read-only text shows no scroll bar unless it asks; an editable one gets one for long
      // notes.
      if (c.multi_line && (!c.read_only || c.scroll_bar)) style |= WS_VSCROLL;
      if (c.read_only) style |= ES_READONLY;
    }
    n.hwnd = CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!n.hwnd) return;
    SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    if (c.kind == ControlKind::kRichText) {
      SendMessageW(n.hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
    }
    SetWindowLongPtrW(n.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    child_procs_[n.hwnd] = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        n.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowHost::ChildProc)));
    if (c.kind != ControlKind::kListBox) LimitText(n.hwnd, c.kind, c.max_length);
    n.max_length = c.max_length;
    n.text.clear();
    n.selected = -1;
  }
  if (c.kind == ControlKind::kListBox) {
    if (c.items != n.items) {
      // Only the entries between what stayed at the start and at the end change: an add to a
      // list of thousands costs the window one entry, not a refill.
      const std::size_t old_size = n.items.size(), new_size = c.items.size();
      std::size_t head = 0;
      while (head < old_size && head < new_size && n.items[head] == c.items[head]) ++head;
      std::size_t tail = 0;
      while (tail < old_size - head && tail < new_size - head &&
             n.items[old_size - 1 - tail] == c.items[new_size - 1 - tail]) {
        ++tail;
      }
      // Redraw switched back on would show a hidden list: only a shown one is held still.
      const bool shown = IsWindowVisible(n.hwnd) != FALSE;
      if (shown) SendMessageW(n.hwnd, WM_SETREDRAW, FALSE, 0);

      for (std::size_t i = old_size - tail; i > head; --i) {
        SendMessageW(n.hwnd, LB_DELETESTRING, i - 1, 0);
      }
      for (std::size_t i = head; i < new_size - tail; ++i) {
        SendMessageW(n.hwnd, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(W(c.items[i])));
      }
      if (shown) {
        SendMessageW(n.hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(n.hwnd, nullptr, TRUE);
      }
      auto first = n.items.begin() + static_cast<std::ptrdiff_t>(head);
      first = n.items.erase(first, n.items.end() - static_cast<std::ptrdiff_t>(tail));
      n.items.insert(first, c.items.begin() + static_cast<std::ptrdiff_t>(head),
                     c.items.end() - static_cast<std::ptrdiff_t>(tail));
      n.selected = -1;
    }
    if (c.selected != n.selected) {
      SendMessageW(n.hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
      n.selected = c.selected;
    }
  } else {
    if (c.max_length != n.max_length) {
      n.max_length = c.max_length;
      LimitText(n.hwnd, c.kind, c.max_length);
    }
    if (c.text != n.text) {
      // A pane that lines are added to takes only the new ones: setting the whole text again
      // grows slow with tens of thousands of lines, and leaves the view at the top.
      bool appended = !n.text.empty() && c.text.size() > n.text.size() &&
                      std::u16string_view(c.text).starts_with(n.text) &&
                      (c.max_length == 0 || c.text.size() <= c.max_length);
      if (appended) {
        int end = GetWindowTextLengthW(n.hwnd);  // never short of the end; past it is the end
        SendMessageW(n.hwnd, EM_SETSEL, end, end);
        SendMessageW(n.hwnd, EM_REPLACESEL, FALSE,
                     reinterpret_cast<LPARAM>(W(c.text) + n.text.size()));
        SendMessageW(n.hwnd, EM_SCROLLCARET, 0, 0);
      } else {
        SetWindowTextW(n.hwnd, W(c.text));
      }
      n.text = c.text;
    }
    if (c.select_all) {
      c.select_all = false;
      SendMessageW(n.hwnd, EM_SETSEL, 0, -1);
    }
    if (c.caret_to_end) {
      c.caret_to_end = false;
      int end = GetWindowTextLengthW(n.hwnd);
      SendMessageW(n.hwnd, EM_SETSEL, end, end);
      SendMessageW(n.hwnd, EM_SCROLLCARET, 0, 0);
    }
  }
  if (c.kind == ControlKind::kRichText && c.back_color != kNoBackground && c.back_color != n.back) {
    SendMessageW(n.hwnd, EM_SETBKGNDCOLOR, 0, c.back_color);
  }
  n.fore = c.fore_color;
  n.back = c.back_color;
  if (bool enabled = c.EnabledInTree(); enabled != n.enabled) {
    n.enabled = enabled;
    EnableWindow(n.hwnd, enabled);
  }

  // Where it stands, and what of it is visible inside its containers and above
  // other layers.
  int x = Px(c.ClientLeft()), y = Px(c.ClientTop());
  int w = Px(c.width), h = Px(c.height);
  RECT visible{x, y, x + w, y + h};
  for (const Control* p = c.parent(); p && p->parent(); p = p->parent()) {
    RECT pr{Px(p->ClientLeft()), Px(p->ClientTop()), Px(p->ClientLeft()) + Px(p->width),
            Px(p->ClientTop()) + Px(p->height)};
    IntersectRect(&visible, &visible, &pr);
  }
  CoverWalk walk{&c, false, {}, [this](int t) { return Px(t); }};
  walk.Walk(form_.root(), 0, 0, true);
  std::vector<RECT> region{visible};
  region.insert(region.end(), walk.covers.begin(), walk.covers.end());
  bool shown = c.ShownInTree() && !IsRectEmpty(&visible);
  // Only changes reach the window: the 100 ms timers sync every control while the box idles.
  RECT placed{x, y, x + w, y + h};
  if (!EqualRect(&placed, &n.placed)) {
    n.placed = placed;
    SetWindowPos(n.hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bool region_changed = region.size() != n.region.size() ||
                        !std::equal(region.begin(), region.end(), n.region.begin(),
                                    [](const RECT& a, const RECT& b) { return EqualRect(&a, &b); });
  if (region_changed) {
    n.region = region;
    HRGN rgn =
        CreateRectRgn(visible.left - x, visible.top - y, visible.right - x, visible.bottom - y);
    for (const RECT& cover : walk.covers) {
      HRGN cut = CreateRectRgn(cover.left - x, cover.top - y, cover.right - x, cover.bottom - y);
      CombineRgn(rgn, rgn, cut, RGN_DIFF);
      DeleteObject(cut);
    }
    SetWindowRgn(n.hwnd, rgn, TRUE);  // the window owns rgn now
  }
  if (shown != n.shown) {
    n.shown = shown;
    ShowWindow(n.hwnd, shown ? SW_SHOWNA : SW_HIDE);
  }
}

void WindowHost::SyncFocus() {
  // A hidden window never takes the keyboard; shown again, it takes it back where it was.
  if (!form_.visible) {
    applied_focus_hwnd_ = nullptr;
    return;
  }
  Control* focus = form_.focus();
  auto it = focus ? natives_.find(focus) : natives_.end();
  HWND target = it != natives_.end() && it->second.hwnd ? it->second.hwnd : hwnd_;
  // A box given the focus before it was first shown takes it once it has been made.
  if (focus == applied_focus_ && target == applied_focus_hwnd_) return;
  applied_focus_ = focus;
  applied_focus_hwnd_ = target;
  SetFocus(target);
}

Control* WindowHost::ControlOf(HWND child) {
  for (auto& [control, native] : natives_) {
    if (native.hwnd == child) return const_cast<Control*>(control);
  }
  return nullptr;
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
