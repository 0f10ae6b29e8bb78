// Painting and input of the launcher window.
#include "screenshot/platform/win32/launcher_window.h"

#include <windowsx.h>

#include "screenshot/platform/win32/fonts.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/platform/win32/window_kit.h"

namespace shot {
namespace {

constexpr wchar_t kClassName[] = L"VelmoShotLauncher";
constexpr UINT_PTR kCaptureTimer = 1;
// Time for the hidden launcher to leave the screen before the next capture copies it.
constexpr UINT kVanishMs = 150;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMenuHover = RGB(102, 178, 255);
constexpr COLORREF kCloseHover = RGB(232, 17, 35);

}  // namespace

LauncherWindow::LauncherWindow(HINSTANCE instance, CaptureHandler on_capture, CloseHandler on_close)
    : on_capture_(std::move(on_capture)), on_close_(std::move(on_close)) {
  RegisterWindowClass(instance, kClassName, IDC_ARROW, 0);
  hwnd_ = CreateWindowExW(WS_EX_APPWINDOW, kClassName, W(kLauncherTitle),
                          WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr,
                          instance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  tips_ = CreateToolTips(instance, hwnd_, {W(kCaptureButtonTip)});
  ApplyDpi(static_cast<int>(GetDpiForWindow(hwnd_)), nullptr);
}

LauncherWindow::~LauncherWindow() {
  accessible_.reset();
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
  DeleteObject(title_font_);
  DeleteObject(menu_font_);
  DeleteObject(camera_font_);
}

void LauncherWindow::Show(bool reset_hover_frame) {
  if (reset_hover_frame) model_.ResetHoverFrame();
  InvalidateRect(hwnd_, nullptr, FALSE);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
}

RECT LauncherWindow::PxRect(const TwipsRect& r, int dx, int dy) const {
  return {Px(r.left + dx), Px(r.top + dy), Px(r.left + dx + r.width), Px(r.top + dy + r.height)};
}

void LauncherWindow::ApplyDpi(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  DeleteObject(title_font_);
  DeleteObject(menu_font_);
  DeleteObject(camera_font_);
  // Two thirds of the title strip: the title reads whole and still ends before the minimise
  // button.
  title_font_ = CreateInterfaceFont(Px(model_.title_label().height) * 2 / 3);
  menu_font_ = CreateIconFont(Px(model_.menu()[0].rect.width));
  camera_font_ = CreateIconFont(Px(model_.capture_button().width) * 3 / 4);

  const int w = Px(model_.width()), h = Px(model_.height());
  if (suggested) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, w, h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    // Centred on the primary monitor's work area.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - w) / 2,
                 work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PlaceToolTip(tips_, hwnd_, 0,
               PxRect(model_.capture_button(), model_.panel().left, model_.panel().top));
  InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK LauncherWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<LauncherWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT LauncherWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = Twips(GET_X_LPARAM(lp)), y = Twips(GET_Y_LPARAM(lp));
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      model_.Move(x, y);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      model_.Leave();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      if (model_.Press(x, y) == LauncherCommand::kDrag) {
        ReleaseCapture();
        SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      } else {
        SetCapture(hwnd_);
      }
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      Apply(model_.Release(x, y));
      return 0;
    case WM_TIMER:
      if (wp != kCaptureTimer) break;
      KillTimer(hwnd_, kCaptureTimer);
      on_capture_();
      return 0;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_GETOBJECT:
      if (!accessible_) {
        accessible_ = std::make_unique<velmo::AccessibleWindow>(
            hwnd_, static_cast<velmo::AccessibleSource&>(*this));
      }
      if (std::optional<LRESULT> answer = accessible_->Answer(wp, lp)) return *answer;
      break;
    case velmo::kAccessibleActionMessage:
      // A click in the middle of the item, through the model.
      for (const velmo::AccessibleItem& item : AccessibleNow().items) {
        if (item.id != static_cast<int>(wp) || item.default_action.empty()) continue;
        const int cx = Twips((item.area.left + item.area.right) / 2);
        const int cy = Twips((item.area.top + item.area.bottom) / 2);
        model_.Press(cx, cy);
        Apply(model_.Release(cx, cy));
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_DESTROY:
      on_close_();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void LauncherWindow::Apply(LauncherCommand command) {
  switch (command) {
    case LauncherCommand::kCapture:
      ShowWindow(hwnd_, SW_HIDE);
      SetTimer(hwnd_, kCaptureTimer, kVanishMs, nullptr);
      break;
    case LauncherCommand::kClose:
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      break;
    case LauncherCommand::kMinimise:
      ShowWindow(hwnd_, SW_MINIMIZE);
      break;
    case LauncherCommand::kDrag:
    case LauncherCommand::kNone:
      break;
  }
}

const velmo::AccessibleView& LauncherWindow::AccessibleNow() {
  using velmo::AccessibleRole;
  auto item = [](int id, AccessibleRole role, const char16_t* name, const RECT& r) {
    velmo::AccessibleItem i;
    i.id = id;
    i.role = role;
    i.name = name;
    i.area = {r.left, r.top, r.right, r.bottom};
    if (role == AccessibleRole::kPushButton) i.default_action = u"按下";
    return i;
  };
  view_.name = kLauncherTitle;
  view_.items = {
      item(1, AccessibleRole::kStaticText, kLauncherTitle, PxRect(model_.title_label()))};
  for (int i = 0; i < kMenuButtonCount; ++i) {
    if (!model_.menu()[i].visible) continue;
    view_.items.push_back(item(2 + i, AccessibleRole::kPushButton, kMenuButtonNames[i],
                               PxRect(model_.menu()[i].rect)));
  }
  view_.items.push_back(
      item(2 + kMenuButtonCount, AccessibleRole::kPushButton, kCaptureButtonTip,
           PxRect(model_.capture_button(), model_.panel().left, model_.panel().top)));
  return view_;
}

void LauncherWindow::Paint() {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP buffer = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, buffer);

  Fill(dc, client, kLauncherBackColour);
  HGDIOBJ old_font = SelectObject(dc, title_font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kWhite);
  RECT title = PxRect(model_.title_label());
  DrawTextW(dc, W(kLauncherTitle), -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);

  for (int i = 0; i < kMenuButtonCount; ++i) {
    const MenuButton& b = model_.menu()[i];
    if (!b.visible) continue;
    RECT r = PxRect(b.rect);
    const bool hover = b.picture % 2 == 0;  // pictures 2i + 1 normal, 2i + 2 hover
    if (hover) Fill(dc, r, i == 0 ? kCloseHover : kMenuHover);
    DrawGlyph(dc, menu_font_, i == 0 ? kGlyphClose : kGlyphMinimise, r, kWhite);
  }

  const TwipsRect panel = model_.panel();
  Fill(dc, PxRect(panel), kWhite);
  RECT button = PxRect(model_.capture_button(), panel.left, panel.top);
  if (model_.hover_solid()) Fill(dc, button, kLauncherHoverFill);
  DrawGlyph(dc, camera_font_, kGlyphCamera, button, kLauncherBackColour);

  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(buffer);
  DeleteDC(dc);
  EndPaint(hwnd_, &ps);
}

}  // namespace shot
