// Painting and input of the capture screen's window.
#include "screenshot/platform/win32/capture_window.h"

#include <windowsx.h>

#include "screenshot/platform/win32/fonts.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/platform/win32/window_kit.h"

namespace shot {
namespace {

constexpr wchar_t kClassName[] = L"VelmoShotCapture";
constexpr wchar_t kTitle[] = L"截屏";
constexpr COLORREF kSeparator = RGB(220, 220, 220);
constexpr COLORREF kLabelBack = RGB(255, 255, 255);
constexpr wchar_t kToolbarGlyphs[kToolbarIconCount] = {kGlyphUndo, kGlyphCopy, kGlyphSave,
                                                       kGlyphClose};

RECT ToRect(const RectI& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT Inflated(const RectI& r, int by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

void Unite(RECT* into, const RECT& r) {
  if (IsRectEmpty(into)) {
    *into = r;
  } else {
    UnionRect(into, into, &r);
  }
}

void Outline(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

LPCWSTR CursorName(Cursor c) {
  switch (c) {
    case Cursor::kArrow:
      return IDC_ARROW;
    case Cursor::kCross:
      return IDC_CROSS;
    case Cursor::kSizeAll:
      return IDC_SIZEALL;
    case Cursor::kSizeNwse:
      return IDC_SIZENWSE;
    case Cursor::kSizeNs:
      return IDC_SIZENS;
    case Cursor::kSizeNesw:
      return IDC_SIZENESW;
    case Cursor::kSizeWe:
      return IDC_SIZEWE;
  }
  return IDC_ARROW;
}

MouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return MouseButton::kRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

}  // namespace

CaptureWindow::CaptureWindow(HINSTANCE instance, const RECT& screen, EndHandler on_end)
    : on_end_(std::move(on_end)) {
  RegisterWindowClass(instance, kClassName, IDC_CROSS, CS_DBLCLKS);
  const int width = screen.right - screen.left, height = screen.bottom - screen.top;
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, kTitle, WS_POPUP, screen.left, screen.top,
                          width, height, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  const int dpi = static_cast<int>(GetDpiForWindow(hwnd_));
  model_ = std::make_unique<CaptureScreen>(width, height, dpi);
  text_font_ = CreateInterfaceFont(MulDiv(12, dpi, 96));
  icon_font_ = CreateIconFont(model_->toolbar_metrics().icons[0].width());
}

void CaptureWindow::Show(std::unique_ptr<FrozenScreen> frozen) {
  frozen_ = std::move(frozen);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(hwnd_);
}

CaptureWindow::~CaptureWindow() {
  accessible_.reset();
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
  DeleteObject(text_font_);
  DeleteObject(icon_font_);
}

void CaptureWindow::HideOverlays() {
  RECT before = OverlayBounds();
  model_->HideOverlays();
  Refresh(before);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK CaptureWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<CaptureWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CaptureWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  RECT before = OverlayBounds();
  CaptureEnd end = CaptureEnd::kNone;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) != HTCLIENT) break;
      SetCursor(LoadCursorW(nullptr, CursorName(model_->cursor())));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      SetCapture(hwnd_);
      model_->Press(ButtonOf(msg), x, y);
      break;
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd_);
      end = model_->DoubleClick(x, y);
      break;
    case WM_MOUSEMOVE:
      model_->Move(x, y, (wp & MK_LBUTTON) != 0, frozen_->PixelAt(x, y));
      SetCursor(LoadCursorW(nullptr, CursorName(model_->cursor())));
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if ((wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
      end = model_->Release(ButtonOf(msg), x, y);
      break;
    case WM_CHAR:
      end = model_->KeyPress(static_cast<int>(wp));
      break;
    case WM_CLOSE:  // Alt+F4 leaves like Escape
      end = CaptureEnd::kEscape;
      break;
    case WM_GETOBJECT:
      if (!accessible_) {
        accessible_ = std::make_unique<velmo::AccessibleWindow>(
            hwnd_, static_cast<velmo::AccessibleSource&>(*this));
      }
      if (std::optional<LRESULT> answer = accessible_->Answer(wp, lp)) return *answer;
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case velmo::kAccessibleActionMessage:
      // A click in the middle of the icon, through the model.
      for (const velmo::AccessibleItem& item : AccessibleNow().items) {
        if (item.id != static_cast<int>(wp) || item.default_action.empty()) continue;
        const int cx = (item.area.left + item.area.right) / 2;
        const int cy = (item.area.top + item.area.bottom) / 2;
        model_->Press(MouseButton::kLeft, cx, cy);
        end = model_->Release(MouseButton::kLeft, cx, cy);
      }
      break;
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
  Refresh(before);
  if (end != CaptureEnd::kNone && !ended_) {
    ended_ = true;
    // The handler may destroy this window and with it on_end_: call a copy, touch nothing after.
    EndHandler handler = on_end_;
    handler(end);
  }
  return 0;
}

// Generous room for "99999x99999" in the label font.
RECT CaptureWindow::LabelBounds() const {
  PointF at = model_->label_position();
  int w = MulDiv(110, model_->toolbar_metrics().dpi, 96);
  int h = MulDiv(24, model_->toolbar_metrics().dpi, 96);
  return ToRect({RoundPixel(at.x), RoundPixel(at.y), RoundPixel(at.x) + w, RoundPixel(at.y) + h});
}

RECT CaptureWindow::OverlayBounds() const {
  RECT bounds{};
  const CaptureScreen& m = *model_;
  if (m.frame_visible()) Unite(&bounds, Inflated(RoundRect(m.frame()), 1));
  if (m.handles_visible()) {
    for (const RectF& h : m.handles()) Unite(&bounds, Inflated(RoundRect(h), 1));
  }
  if (m.label_visible()) Unite(&bounds, LabelBounds());
  if (m.toolbar_visible()) Unite(&bounds, Inflated(m.toolbar_rect(), 1));
  return bounds;
}

void CaptureWindow::Refresh(const RECT& before) {
  RECT after = OverlayBounds();
  if (!EqualRect(&before, &after) || model_->toolbar_visible()) {
    InvalidateRect(hwnd_, &before, FALSE);
    InvalidateRect(hwnd_, &after, FALSE);
  }
  PlaceToolTips();
}

void CaptureWindow::PlaceToolTips() {
  RECT bar = model_->toolbar_visible() ? ToRect(model_->toolbar_rect()) : RECT{};
  if (EqualRect(&bar, &tips_at_)) return;
  tips_at_ = bar;
  // Made with the first toolbar, so that they cost nothing before the capture screen is up.
  if (!tips_) {
    tips_ = CreateToolTips(
        GetModuleHandleW(nullptr), hwnd_,
        {W(kToolbarTips[0]), W(kToolbarTips[1]), W(kToolbarTips[2]), W(kToolbarTips[3])});
  }
  for (int i = 0; i < kToolbarIconCount; ++i) {
    RECT area{};
    if (!IsRectEmpty(&bar)) {
      area = ToRect(model_->toolbar_metrics().hover_boxes[i]);
      OffsetRect(&area, bar.left, bar.top);
    }
    PlaceToolTip(tips_, hwnd_, static_cast<UINT_PTR>(i), area);
  }
}

const velmo::AccessibleView& CaptureWindow::AccessibleNow() {
  const CaptureScreen& m = *model_;
  view_.name = reinterpret_cast<const char16_t*>(kTitle);
  view_.items.clear();
  auto add = [this](int id, velmo::AccessibleRole role, std::u16string name, const RectI& r) {
    velmo::AccessibleItem i;
    i.id = id;
    i.role = role;
    i.name = std::move(name);
    i.area = {r.left, r.top, r.right, r.bottom};
    if (role == velmo::AccessibleRole::kPushButton) i.default_action = u"按下";
    view_.items.push_back(std::move(i));
  };
  if (m.toolbar_visible()) {
    const RectI bar = m.toolbar_rect();
    auto at = [&bar](const RectI& r) {
      return RectI{r.left + bar.left, r.top + bar.top, r.right + bar.left, r.bottom + bar.top};
    };
    for (int i = 0; i < kToolbarIconCount; ++i) {
      add(1 + i, velmo::AccessibleRole::kPushButton, kToolbarTips[i],
          at(m.toolbar_metrics().hover_boxes[i]));
    }
    if (!m.colour_readout().empty()) {
      add(1 + kToolbarIconCount, velmo::AccessibleRole::kStaticText, m.colour_readout(),
          at(m.toolbar_metrics().readout));
    }
  }
  if (m.label_visible()) {
    RECT r = LabelBounds();
    add(2 + kToolbarIconCount, velmo::AccessibleRole::kStaticText, m.label_text(),
        {r.left, r.top, r.right, r.bottom});
  }
  return view_;
}

void CaptureWindow::Paint() {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(hwnd_, &ps);
  const RECT& r = ps.rcPaint;
  const int w = r.right - r.left, h = r.bottom - r.top;
  RECT overlays = OverlayBounds(), touched;
  if (!IntersectRect(&touched, &r, &overlays)) {
    // Only frozen image here (the whole first paint): one copy straight to the window.
    BitBlt(screen, r.left, r.top, w, h, frozen_->dc(), r.left, r.top, SRCCOPY);
  } else if (w > 0 && h > 0) {
    // Drawn off-screen, then shown in one copy: the overlays never flicker.
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP buffer = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, buffer);
    SetViewportOrgEx(dc, -r.left, -r.top, nullptr);
    BitBlt(dc, r.left, r.top, w, h, frozen_->dc(), r.left, r.top, SRCCOPY);
    DrawOverlays(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    BitBlt(screen, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(buffer);
    DeleteDC(dc);
  }
  EndPaint(hwnd_, &ps);
}

void CaptureWindow::DrawOverlays(HDC dc) {
  const CaptureScreen& m = *model_;
  if (m.frame_visible()) Outline(dc, ToRect(RoundRect(m.frame())), kFrameColour);
  if (m.label_visible()) {
    HGDIOBJ old = SelectObject(dc, text_font_);
    std::wstring text = Wide(m.label_text());
    PointF at = m.label_position();
    SIZE size;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT box{RoundPixel(at.x), RoundPixel(at.y), RoundPixel(at.x) + size.cx + 4,
             RoundPixel(at.y) + size.cy};
    Fill(dc, box, kLabelBack);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kFrameColour);
    TextOutW(dc, box.left + 2, box.top, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
  }
  if (m.handles_visible()) {
    for (const RectF& handle : m.handles()) Fill(dc, ToRect(RoundRect(handle)), kHandleColour);
  }
  if (m.toolbar_visible()) DrawToolbar(dc);
}

void CaptureWindow::DrawToolbar(HDC dc) {
  const CaptureScreen& m = *model_;
  const ToolbarMetrics& tm = m.toolbar_metrics();
  RECT bar = ToRect(m.toolbar_rect());
  Fill(dc, bar, RGB(255, 255, 255));
  Outline(dc, bar, kFrameColour);
  auto at = [&](const RectI& r) {
    RECT out = ToRect(r);
    OffsetRect(&out, bar.left, bar.top);
    return out;
  };

  HGDIOBJ old = SelectObject(dc, text_font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kFrameColour);
  RECT readout = at(tm.readout);
  std::wstring text = Wide(m.colour_readout());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &readout,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);

  RECT separator{bar.left + tm.separator_x, bar.top + tm.Scale(5), bar.left + tm.separator_x + 1,
                 bar.bottom - tm.Scale(5)};
  Fill(dc, separator, kSeparator);

  for (int i = 0; i < kToolbarIconCount; ++i) {
    if (m.hover_box() == i) {
      RECT box = at(tm.hover_boxes[i]);
      Fill(dc, box, kHoverFill);
      Outline(dc, box, kFrameColour);
    }
    DrawGlyph(dc, icon_font_, kToolbarGlyphs[i], at(tm.icons[i]), kFrameColour);
  }
}

}  // namespace shot
