// Painting and input of the capture screen's window.
#include "screenshot/platform/win32/capture_window.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "screenshot/dim.h"
#include "screenshot/platform/win32/fonts.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/platform/win32/window_kit.h"
#include "screenshot/platform/win32/window_rects.h"

namespace shot {
namespace {

constexpr wchar_t kClassName[] = L"VelmoShotCapture";
constexpr wchar_t kTitle[] = L"截屏";
constexpr COLORREF kSeparator = RGB(220, 220, 220);
constexpr COLORREF kLabelBack = RGB(255, 255, 255);
constexpr COLORREF kMagnifierText = RGB(51, 51, 51);
// The size label and the handles carry their own contrast, so that they show on any screen: a
// dark plate under the label, a white ring round each handle.
constexpr COLORREF kSizePlate = RGB(31, 41, 55);
constexpr COLORREF kHandleRing = RGB(255, 255, 255);
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

Key KeyOf(WPARAM vk) {
  switch (vk) {
    case VK_LEFT:
      return Key::kLeft;
    case VK_UP:
      return Key::kUp;
    case VK_RIGHT:
      return Key::kRight;
    case VK_DOWN:
      return Key::kDown;
    case VK_RETURN:
      return Key::kEnter;
    case 'S':
      return Key::kS;
    case 'C':
      return Key::kC;
    default:
      return Key::kOther;
  }
}

bool KeyIsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// The rectangles of an update region; its bounds when it has too many to paint one by one.
std::vector<RECT> RegionRects(HRGN region, const RECT& bounds) {
  constexpr DWORD kMostRects = 64;
  DWORD bytes = GetRegionData(region, 0, nullptr);
  std::vector<std::uint8_t> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (bytes < sizeof(RGNDATAHEADER) || GetRegionData(region, bytes, data) != bytes ||
      data->rdh.nCount == 0 || data->rdh.nCount > kMostRects) {
    return {bounds};
  }
  const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(rects, rects + data->rdh.nCount);
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
  text_clipboard_ = std::make_unique<WindowsTextClipboard>(hwnd_);
  model_ = std::make_unique<CaptureScreen>(width, height, dpi, text_clipboard_.get());
  marking_ = std::make_unique<MarkingScreen>(*model_, width, height, dpi);
  text_font_ = CreateInterfaceFont(MulDiv(12, dpi, 96));
  icon_font_ = CreateIconFont(model_->toolbar_metrics().icons[0].width());
}

void CaptureWindow::DrawMagnifier(HDC dc) {
  const CaptureScreen& m = *model_;
  const MagnifierMetrics& mm = m.magnifier_metrics();
  if (!lens_dc_) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = mm.lens;
    info.bmiHeader.biHeight = -mm.lens;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    lens_dc_ = CreateCompatibleDC(dc);
    lens_bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!lens_dc_ || !lens_bitmap_) return;
    lens_old_ = SelectObject(lens_dc_, lens_bitmap_);
    lens_bits_ = static_cast<std::uint32_t*>(bits);
  }
  if (!lens_bits_) return;
  // The pixels under the lens, marks included; those beyond the image stay out of the patch.
  const PointI at = m.pointer();
  const PixelView image = Image();
  constexpr int kHalf = kMagnifierCells / 2;
  const RectI around = Intersect({at.x - kHalf, at.y - kHalf, at.x + kHalf + 1, at.y + kHalf + 1},
                                 {0, 0, image.width, image.height});
  std::array<std::uint32_t, kMagnifierCells * kMagnifierCells> patch{};
  PixelView lens_source{patch.data(), 0, 0};
  if (around.width() > 0 && around.height() > 0) {
    RenderMarked(image, Marks(), nullptr, MarkView{patch.data(), around.width(), around});
    lens_source = {patch.data(), around.width(), around.height()};
  }
  GdiFlush();
  RenderLens(lens_source, at.x - around.left, at.y - around.top, mm, lens_bits_, mm.lens);
  const RECT box = ToRect(m.magnifier_rect());
  Fill(dc, box, kLabelBack);
  Outline(dc, box, kFrameColour);
  BitBlt(dc, box.left + 1, box.top + 1, mm.lens, mm.lens, lens_dc_, 0, 0, SRCCOPY);
  HGDIOBJ old = SelectObject(dc, text_font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kMagnifierText);
  const std::wstring lines[kMagnifierLines] = {
      Wide(RgbText(m.pointer_colour())), Wide(HexText(m.pointer_colour())), Wide(m.colour_note())};
  RECT line{box.left + MulDiv(4, mm.zoom, 8), box.top + 1 + mm.lens + MulDiv(2, mm.zoom, 8),
            box.right - 1, 0};
  for (const std::wstring& text : lines) {
    line.bottom = line.top + mm.line_height;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    line.top = line.bottom;
  }
  SelectObject(dc, old);
}

void CaptureWindow::Show(std::unique_ptr<FrozenScreen> frozen) {
  frozen_ = std::move(frozen);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(hwnd_);
  // Read once the capture screen is up, so that it is up no later for them; nothing moves
  // under it meanwhile, and it is left out itself. The pointer's first move takes them.
  windows_ = std::async(std::launch::async, [origin = frozen_->origin(), self = hwnd_] {
    return ReadWindowRects(origin, self);
  });
}

void CaptureWindow::SetWindows(std::vector<SnapRect> windows) {
  if (windows_.valid()) windows_.get();
  model_->SetWindows(std::move(windows));
}

CaptureWindow::~CaptureWindow() {
  accessible_.reset();
  if (bar_tips_) DestroyWindow(bar_tips_);
  if (lens_old_) SelectObject(lens_dc_, lens_old_);
  if (lens_bitmap_) DeleteObject(lens_bitmap_);
  if (lens_dc_) DeleteDC(lens_dc_);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
  DeleteObject(text_font_);
  DeleteObject(icon_font_);
}

void CaptureWindow::HideOverlays() {
  const Drawn before = DrawnNow();
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
  if (windows_.valid() && ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
                           (msg >= WM_KEYFIRST && msg <= WM_KEYLAST))) {
    model_->SetWindows(windows_.get());
  }
  const Drawn before = DrawnNow();
  CaptureEnd end = CaptureEnd::kNone;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) != HTCLIENT) break;
      SetCursor(LoadCursorW(nullptr, CursorName(marking_->cursor())));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      CloseTextBox();
      SetCapture(hwnd_);
      marking_->Press(ButtonOf(msg), x, y);
      break;
    case WM_LBUTTONDBLCLK:
      CloseTextBox();
      SetCapture(hwnd_);
      end = marking_->DoubleClick(x, y);
      break;
    case WM_MOUSEMOVE:
      marking_->Move(x, y, (wp & MK_LBUTTON) != 0, MarkedColour(Image(), Marks(), x, y),
                     (wp & MK_SHIFT) != 0);
      SetCursor(LoadCursorW(nullptr, CursorName(marking_->cursor())));
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if ((wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
      end = marking_->Release(ButtonOf(msg), x, y, (wp & MK_SHIFT) != 0);
      break;
    case WM_MOUSEWHEEL:
      model_->Wheel(GET_WHEEL_DELTA_WPARAM(wp) > 0 ? 1 : -1);
      break;
    case WM_CHAR:
      end = marking_->KeyPress(static_cast<int>(wp));
      break;
    case WM_KEYDOWN:
      end = wp == VK_F3 ? marking_->KeyDown(kKeyF3)
                        : model_->KeyDown(KeyOf(wp), KeyIsDown(VK_SHIFT), KeyIsDown(VK_CONTROL));
      break;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lp) != text_box_.edit()) break;
      return text_box_.Colours(reinterpret_cast<HDC>(wp));
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == text_box_.edit() && HIWORD(wp) == EN_CHANGE) {
        text_box_.Fit();
      }
      return 0;
    case kTextBoxEndedMessage:
      CloseTextBox();
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
        marking_->Press(MouseButton::kLeft, cx, cy);
        end = marking_->Release(MouseButton::kLeft, cx, cy);
      }
      break;
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
  FollowMarkup();
  Refresh(before);
  if (end != CaptureEnd::kNone && !ended_) {
    ended_ = true;
    // Typed text is part of what is copied, saved or pinned. The marks are final: they are
    // drawn into the image itself, which copies, saves and pins read.
    CloseTextBox();
    if (frozen_->ok()) {
      GdiFlush();
      const MarkView image{
          frozen_->bits(), frozen_->width(), {0, 0, frozen_->width(), frozen_->height()}};
      for (const Stroke& stroke : Marks()) Rasterise(stroke, image);
      marks_in_image_ = true;
    }
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

PixelView CaptureWindow::Image() const {
  if (!frozen_->ok()) return {};
  return {frozen_->bits(), frozen_->width(), frozen_->height()};
}

const std::vector<Stroke>& CaptureWindow::Marks() const {
  static const std::vector<Stroke> kNone;
  return marks_in_image_ ? kNone : marking_->markup().strokes();
}

CaptureWindow::Pieces CaptureWindow::PiecesNow() const {
  Pieces pieces{};
  const CaptureScreen& m = *model_;
  if (m.frame_visible()) pieces[kFramePiece] = ToRect(RoundRect(m.frame()));
  if (m.handles_visible()) {
    for (const RectF& h : m.handles()) Unite(&pieces[kHandlesPiece], ToRect(RoundRect(h)));
  }
  if (m.label_visible()) pieces[kLabelPiece] = LabelBounds();
  if (m.toolbar_visible()) pieces[kToolbarPiece] = Inflated(m.toolbar_rect(), 1);
  if (m.magnifier_visible()) pieces[kMagnifierPiece] = ToRect(m.magnifier_rect());
  if (m.snap_outline()) pieces[kSnapPiece] = ToRect(*m.snap_outline());
  if (marking_->bar_visible()) pieces[kMarkupBarPiece] = Inflated(marking_->bar_rect(), 1);
  if (const auto& stroke = marking_->markup().current()) {
    pieces[kStrokePiece] = ToRect(StrokeBounds(*stroke));
  }
  return pieces;
}

void CaptureWindow::FollowMarkup() {
  const RECT changed = ToRect(marking_->TakeMarksChanged());
  if (!IsRectEmpty(&changed)) InvalidateRect(hwnd_, &changed, FALSE);
  if (std::optional<PointI> at = marking_->TakeTextRequest()) {
    CloseTextBox();
    text_box_.Open(hwnd_, *at, marking_->text_height(), marking_->colour());
  }
}

void CaptureWindow::CloseTextBox() {
  if (!text_box_.open()) return;
  if (auto mark = text_box_.Close()) marking_->AddText(mark->first, std::move(mark->second));
  FollowMarkup();
}

// The band from `out` pixels outside r's edges to `in` pixels inside them: where an outline
// and the handles on it are drawn.
void CaptureWindow::InvalidateRing(const RECT& r, int out, int in) {
  if (IsRectEmpty(&r)) return;
  const RECT o{r.left - out, r.top - out, r.right + out, r.bottom + out};
  if (r.right - r.left <= 2 * in || r.bottom - r.top <= 2 * in) {
    InvalidateRect(hwnd_, &o, FALSE);
    return;
  }
  const RECT strips[] = {{o.left, o.top, o.right, r.top + in},
                         {o.left, r.bottom - in, o.right, o.bottom},
                         {o.left, r.top + in, r.left + in, r.bottom - in},
                         {r.right - in, r.top + in, o.right, r.bottom - in}};
  for (const RECT& strip : strips) InvalidateRect(hwnd_, &strip, FALSE);
}

CaptureWindow::Drawn CaptureWindow::DrawnNow() const {
  return {PiecesNow(), model_->clear_area().has_value(), model_->colour_readout(),
          model_->hover_box()};
}

void CaptureWindow::Refresh(const Drawn& drawn) {
  const Pieces& before = drawn.pieces;
  if (model_->clear_area().has_value() != drawn.dimmed) {
    // The dimming comes or goes over the whole screen.
    InvalidateRect(hwnd_, nullptr, FALSE);
    PlaceToolTips();
    return;
  }
  const Pieces after = PiecesNow();
  // A handle reaches 4 pixels from the outline, the snap outline is 2 pixels wide inside.
  constexpr int kHandleReach = 4;
  for (int i = 0; i < kPieceCount; ++i) {
    const bool same = EqualRect(&before[i], &after[i]) != FALSE;
    if (i == kToolbarPiece && same) {
      // In place only the colour readout and the hover boxes change.
      if (model_->hover_box() != drawn.hover_box) {
        InvalidateRect(hwnd_, &after[i], FALSE);
      } else if (model_->colour_readout() != drawn.readout && !IsRectEmpty(&after[i])) {
        RECT readout = ToRect(model_->toolbar_metrics().readout);
        OffsetRect(&readout, after[i].left + 1, after[i].top + 1);
        InvalidateRect(hwnd_, &readout, FALSE);
      }
      continue;
    }
    // Texts and strokes change in place; outlines and boxes change with their bounds.
    const bool texts =
        i == kLabelPiece || i == kMagnifierPiece || i == kMarkupBarPiece || i == kStrokePiece;
    if (same && !(texts && !IsRectEmpty(&after[i]))) continue;
    if (i == kFramePiece || i == kHandlesPiece || i == kSnapPiece) {
      const int reach = i == kSnapPiece ? 2 : kHandleReach;
      InvalidateRing(before[i], reach, reach);
      InvalidateRing(after[i], reach, reach);
      if (i == kFramePiece && !IsRectEmpty(&before[i]) && !IsRectEmpty(&after[i])) {
        // The dimming changes where one selection covers what the other does not.
        auto rect_i = [](const RECT& r) { return RectI{r.left, r.top, r.right, r.bottom}; };
        for (const DimBands& d : {BandsOutside(rect_i(before[i]), rect_i(after[i])),
                                  BandsOutside(rect_i(after[i]), rect_i(before[i]))}) {
          for (int b = 0; b < d.count; ++b) {
            const RECT band = ToRect(d.bands[b]);
            InvalidateRect(hwnd_, &band, FALSE);
          }
        }
      }
      continue;
    }
    InvalidateRect(hwnd_, &before[i], FALSE);
    InvalidateRect(hwnd_, &after[i], FALSE);
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
  PlaceBarToolTips();
}

void CaptureWindow::PlaceBarToolTips() {
  const RECT bar = marking_->bar_visible() ? ToRect(marking_->bar_rect()) : RECT{};
  if (EqualRect(&bar, &bar_tips_at_)) return;
  bar_tips_at_ = bar;
  if (!bar_tips_) {
    static_assert(kBarItemCount == 18, "one text a tool below");
    std::array<const wchar_t*, kBarItemCount> t;
    for (int i = 0; i < kBarItemCount; ++i) t[i] = W(kBarTips[i]);
    bar_tips_ = CreateToolTips(GetModuleHandleW(nullptr), hwnd_,
                               {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9], t[10],
                                t[11], t[12], t[13], t[14], t[15], t[16], t[17]});
  }
  for (int i = 0; i < kBarItemCount; ++i) {
    RECT area{};
    if (!IsRectEmpty(&bar)) {
      area = ToRect(marking_->bar_metrics().items[i]);
      OffsetRect(&area, bar.left, bar.top);
    }
    PlaceToolTip(bar_tips_, hwnd_, static_cast<UINT_PTR>(i), area);
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
  if (marking_->bar_visible()) {
    const RectI bar = marking_->bar_rect();
    for (int i = 0; i < kBarItemCount; ++i) {
      const RectI& r = marking_->bar_metrics().items[i];
      add(4 + kToolbarIconCount + i, velmo::AccessibleRole::kPushButton, kBarTips[i],
          {r.left + bar.left, r.top + bar.top, r.right + bar.left, r.bottom + bar.top});
    }
  }
  if (m.magnifier_visible()) {
    add(3 + kToolbarIconCount, velmo::AccessibleRole::kStaticText,
        RgbText(m.pointer_colour()) + u" " + HexText(m.pointer_colour()), m.magnifier_rect());
  }
  return view_;
}

void CaptureWindow::Paint() {
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  const bool region = GetUpdateRgn(hwnd_, update, FALSE) != ERROR;
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(hwnd_, &ps);
  for (const RECT& r : region ? RegionRects(update, ps.rcPaint) : std::vector<RECT>{ps.rcPaint}) {
    RECT part;
    if (!IntersectRect(&part, &r, &ps.rcPaint)) continue;
    // In bands of rows, so that repainting the whole screen never needs a second screen's
    // worth of buffer (33 MB at 3840 x 2160).
    constexpr int kBandRows = 64;
    for (int top = part.top; top < part.bottom; top += kBandRows) {
      PaintPart(screen, {part.left, top, part.right, std::min<int>(top + kBandRows, part.bottom)});
    }
  }
  DeleteObject(update);
  EndPaint(hwnd_, &ps);
}

void CaptureWindow::PaintPart(HDC screen, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const RectI part{r.left, r.top, r.right, r.bottom};
  RECT overlays{}, touched;
  for (const RECT& piece : PiecesNow()) Unite(&overlays, piece);
  const std::optional<RectI> clear = model_->clear_area();
  const std::vector<Stroke>& marks = Marks();
  const std::optional<Stroke>& drawing = marking_->markup().current();
  const bool marked =
      frozen_->ok() && (drawing || std::any_of(marks.begin(), marks.end(), [&](const Stroke& s) {
                          const RectI common = Intersect(StrokeBounds(s), part);
                          return common.width() > 0 && common.height() > 0;
                        }));
  if (!clear && !marked && !IntersectRect(&touched, &r, &overlays)) {
    // Only frozen image here (the whole first paint): one copy straight to the window.
    BitBlt(screen, r.left, r.top, w, h, frozen_->dc(), r.left, r.top, SRCCOPY);
    return;
  }
  // Drawn off-screen, then shown in one copy: the overlays never flicker.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP buffer = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  if (!buffer || !dc) {
    if (buffer) DeleteObject(buffer);
    if (dc) DeleteDC(dc);
    BitBlt(screen, r.left, r.top, w, h, frozen_->dc(), r.left, r.top, SRCCOPY);
    return;
  }
  HGDIOBJ old = SelectObject(dc, buffer);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  if (marked) {
    // The image with the marks over it, the one being drawn last, as they will be drawn into
    // the image when the capture ends.
    RenderMarked(Image(), marks, drawing ? &*drawing : nullptr, MarkView{pixels, w, part});
  } else {
    BitBlt(dc, 0, 0, w, h, frozen_->dc(), r.left, r.top, SRCCOPY);
    GdiFlush();  // the copy must be in the bits before they are darkened
  }
  if (clear) {
    const DimBands dim = BandsOutside(part, *clear);
    for (int b = 0; b < dim.count; ++b) {
      const RectI& band = dim.bands[b];
      for (int y = band.top; y < band.bottom; ++y) {
        DarkenPixels(pixels + static_cast<size_t>(y - r.top) * w + (band.left - r.left),
                     band.width());
      }
    }
  }
  SetViewportOrgEx(dc, -r.left, -r.top, nullptr);
  DrawOverlays(dc, r);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  BitBlt(screen, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(buffer);
  DeleteDC(dc);
}

void CaptureWindow::DrawOverlays(HDC dc, const RECT& part) {
  const CaptureScreen& m = *model_;
  // Drawing clips to the part anyway; the overlays with text and the lens are costly enough to
  // leave out where they do not reach (a repaint can come in many thin parts).
  const Pieces pieces = PiecesNow();
  auto reaches = [&](Piece piece) {
    RECT common;
    return IntersectRect(&common, &pieces[piece], &part) != FALSE;
  };
  if (m.snap_outline()) {
    RECT r = ToRect(*m.snap_outline());
    Outline(dc, r, kFrameColour);
    InflateRect(&r, -1, -1);
    Outline(dc, r, kFrameColour);
  }
  if (m.frame_visible()) Outline(dc, ToRect(RoundRect(m.frame())), kFrameColour);
  if (m.label_visible() && reaches(kLabelPiece)) {
    HGDIOBJ old = SelectObject(dc, text_font_);
    std::wstring text = Wide(m.label_text());
    PointF at = m.label_position();
    SIZE size;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int pad = m.toolbar_metrics().Scale(3);
    RECT box{RoundPixel(at.x), RoundPixel(at.y), RoundPixel(at.x) + size.cx + 2 * pad,
             RoundPixel(at.y) + size.cy};
    Fill(dc, box, kSizePlate);
    Outline(dc, box, kFrameColour);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kFrameColour);
    TextOutW(dc, box.left + pad, box.top, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
  }
  if (m.handles_visible()) {
    const int ring = m.toolbar_metrics().Scale(1);
    for (const RectF& handle : m.handles()) {
      RECT r = ToRect(RoundRect(handle));
      Fill(dc, r, kHandleRing);
      InflateRect(&r, -ring, -ring);
      Fill(dc, r, kHandleColour);
    }
  }
  if (m.toolbar_visible() && reaches(kToolbarPiece)) DrawToolbar(dc);
  if (marking_->bar_visible() && reaches(kMarkupBarPiece)) DrawMarkupBar(dc, *marking_, icon_font_);
  // Above everything else: it shows the pixels under the frame and the handles too.
  if (m.magnifier_visible() && reaches(kMagnifierPiece)) DrawMagnifier(dc);
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
