// The pin's window: painting at its zoom, dragging, the wheel and its keys.
#include "screenshot/platform/win32/pin_window.h"

#include <windowsx.h>

#include "screenshot/capture_screen.h"
#include "screenshot/platform/win32/clipboard.h"
#include "screenshot/platform/win32/save_dialog.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/platform/win32/window_kit.h"
#include "screenshot/save_choice.h"

namespace shot {
namespace {

constexpr wchar_t kClassName[] = L"VelmoShotPin";
constexpr wchar_t kTitle[] = L"贴图";
constexpr int kBorder = 1;  // a frame round the picture tells the pin from the screen

}  // namespace

PinWindow::PinWindow(HINSTANCE instance, std::unique_ptr<FrozenScreen> picture, POINT at,
                     std::function<void()> on_closed)
    : picture_(std::move(picture)),
      model_(picture_->width(), picture_->height(), at.x, at.y),
      on_closed_(std::move(on_closed)) {
  RegisterWindowClass(instance, kClassName, IDC_SIZEALL, CS_DBLCLKS);
  const RectI r = model_.rect();
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, kTitle, WS_POPUP,
                          r.left - kBorder, r.top - kBorder, r.width() + 2 * kBorder,
                          r.height() + 2 * kBorder, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

PinWindow::~PinWindow() {
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

LRESULT CALLBACK PinWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<PinWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT PinWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
      ClientToScreen(hwnd_, &screen);
      SetCapture(hwnd_);
      model_.Press(screen.x, screen.y);
      return 0;
    case WM_MOUSEMOVE:
      if (!model_.dragging()) return 0;
      ClientToScreen(hwnd_, &screen);
      model_.Move(screen.x, screen.y);
      Place();
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (msg == WM_LBUTTONUP) ReleaseCapture();
      model_.Release();
      return 0;
    case WM_MOUSEWHEEL:  // the point is in screen coordinates already
      if (model_.Wheel(GET_WHEEL_DELTA_WPARAM(wp), screen.x, screen.y)) Place();
      return 0;
    case WM_LBUTTONDBLCLK:
      Close();
      return 0;
    case WM_CHAR:
      switch (Pin::KeyPress(static_cast<int>(wp))) {
        case PinAction::kCopy:
          Copy();
          break;
        case PinAction::kSave:
          Save();
          break;
        case PinAction::kClose:
          Close();
          break;
        case PinAction::kNone:
          break;
      }
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void PinWindow::Place() {
  const RectI r = model_.rect();
  SetWindowPos(hwnd_, nullptr, r.left - kBorder, r.top - kBorder, r.width() + 2 * kBorder,
               r.height() + 2 * kBorder, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void PinWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  SetDCBrushColor(dc, kFrameColour);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  const RectI r = model_.rect();
  // Shrunk, pixels are averaged; enlarged, each stays a sharp square.
  SetStretchBltMode(dc, model_.zoom() < 100 ? HALFTONE : COLORONCOLOR);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, kBorder, kBorder, r.width(), r.height(), picture_->dc(), 0, 0, picture_->width(),
             picture_->height(), SRCCOPY);
  EndPaint(hwnd_, &ps);
}

void PinWindow::Copy() {
  if (!ScrnCap(*picture_, {0, 0, picture_->width(), picture_->height()})) {
    MessageBoxW(hwnd_, W(kCopyFailedText), W(kCopyFailedTitle), MB_OK | MB_ICONWARNING);
  }
}

void PinWindow::Save() {
  const auto picture = picture_->PackedDib({0, 0, picture_->width(), picture_->height()});
  if (CutdSave(hwnd_, picture) == SaveResult::kFailed) {
    MessageBoxW(hwnd_, W(kSaveFailedText), W(kSaveFailedTitle), MB_OK | MB_ICONWARNING);
  }
}

void PinWindow::Close() {
  HWND hwnd = hwnd_;
  hwnd_ = nullptr;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
  picture_.reset();  // the picture's memory goes with the window
  // May destroy this object: a copy is called, nothing touched after.
  std::function<void()> closed = on_closed_;
  closed();
}

}  // namespace shot
