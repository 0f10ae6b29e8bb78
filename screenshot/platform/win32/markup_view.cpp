// Drawing the mark-up row and the stroke in progress; the text box of the text tool.
#include "screenshot/platform/win32/markup_view.h"

#include <algorithm>
#include <string>
#include <vector>

#include "screenshot/platform/win32/fonts.h"
#include "screenshot/platform/win32/window_kit.h"

namespace shot {
namespace {

// Glyphs of the icon font for the tools, then undo, redo and pin.
constexpr wchar_t kToolGlyphs[kToolCount] = {
    0xE835,  // check_box_outline_blank: rectangle
    0xE836,  // radio_button_unchecked: ellipse
    0xF1E1,  // north_east: arrow
    0xE3C9,  // edit (a pencil): free pen
    0xE262,  // text_fields: text
    0xE3EC,  // grid_on: mosaic
};
constexpr wchar_t kGlyphRedo = 0xE15A;
constexpr wchar_t kGlyphPin = 0xF10D;  // push_pin
constexpr COLORREF kDisabled = RGB(190, 190, 190);
constexpr COLORREF kSwatchBorder = RGB(160, 160, 160);
constexpr COLORREF kSeparatorColour = RGB(220, 220, 220);

COLORREF Ref(std::uint32_t bgr) { return static_cast<COLORREF>(bgr); }

void Frame(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Dot(HDC dc, const RECT& box, int diameter, COLORREF colour) {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, colour);
  Ellipse(dc, cx - diameter / 2, cy - diameter / 2, cx - diameter / 2 + diameter + 1,
          cy - diameter / 2 + diameter + 1);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

// A 32-bit top-down DIB section selected into a memory context.
struct Dib {
  Dib(HDC like, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(like);
    bitmap = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc && bitmap) old = SelectObject(dc, bitmap);
  }
  ~Dib() {
    if (old) SelectObject(dc, old);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;
  bool ok() const { return old != nullptr && bits != nullptr; }
  std::uint32_t* pixels() const { return static_cast<std::uint32_t*>(bits); }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;
};

}  // namespace

void DrawMarkupBar(HDC dc, const MarkingScreen& marking, HFONT icon_font) {
  const MarkupBarMetrics& m = marking.bar_metrics();
  const RectI b = marking.bar_rect();
  const RECT bar{b.left, b.top, b.right, b.bottom};
  Fill(dc, bar, RGB(255, 255, 255));
  Frame(dc, bar, kFrameColour);
  auto at = [&](int item) {
    const RectI& r = m.items[item];
    return RECT{b.left + r.left, b.top + r.top, b.left + r.right, b.top + r.bottom};
  };
  auto box = [&](int item, bool chosen) {
    if (chosen || marking.bar_hover() == item) {
      Fill(dc, at(item), kHoverFill);
      Frame(dc, at(item), kFrameColour);
    }
  };
  for (int x : m.separators) {
    Fill(dc,
         {b.left + x, b.top + m.items[0].top + 2, b.left + x + 1, b.top + m.items[0].bottom - 2},
         kSeparatorColour);
  }
  const int inset = (m.items[0].right - m.items[0].left) / 10;
  for (int i = 0; i < kToolCount; ++i) {
    box(kFirstTool + i, marking.tool() == kTools[i]);
    RECT r = at(kFirstTool + i);
    InflateRect(&r, -inset, -inset);
    DrawGlyph(dc, icon_font, kToolGlyphs[i], r, kFrameColour);
  }
  for (int i = 0; i < kWidthCount; ++i) {
    box(kFirstWidth + i, marking.width_index() == i);
    const int unit = (m.items[0].right - m.items[0].left) / 20;
    Dot(dc, at(kFirstWidth + i), std::max(2, unit * (3 + 4 * i)), kFrameColour);
  }
  for (int i = 0; i < kColourCount; ++i) {
    box(kFirstColour + i, marking.colour_index() == i);
    RECT swatch = at(kFirstColour + i);
    InflateRect(&swatch, -3 * inset, -3 * inset);
    Fill(dc, swatch, Ref(kMarkColours[i]));
    Frame(dc, swatch, kSwatchBorder);
  }
  const bool undo = marking.markup().can_undo(), redo = marking.markup().can_redo();
  box(kUndoItem, false);
  box(kRedoItem, false);
  box(kPinItem, false);
  RECT r = at(kUndoItem);
  InflateRect(&r, -inset, -inset);
  DrawGlyph(dc, icon_font, kGlyphUndo, r, undo ? kFrameColour : kDisabled);
  r = at(kRedoItem);
  InflateRect(&r, -inset, -inset);
  DrawGlyph(dc, icon_font, kGlyphRedo, r, redo ? kFrameColour : kDisabled);
  r = at(kPinItem);
  InflateRect(&r, -inset, -inset);
  DrawGlyph(dc, icon_font, kGlyphPin, r, kFrameColour);
}

TextBox::~TextBox() {
  if (edit_) DestroyWindow(edit_);
  if (font_) DeleteObject(font_);
  if (back_) DeleteObject(back_);
}

void TextBox::Open(HWND owner, PointI at, int text_height, std::uint32_t colour) {
  owner_ = owner;
  ending_ = Ending::kNone;
  text_colour_ = Ref(colour);
  // A light box for dark text, a dark one for white text.
  back_colour_ = colour == 0xFFFFFF ? RGB(64, 64, 64) : RGB(255, 255, 255);
  back_ = CreateSolidBrush(back_colour_);
  font_ = CreateInterfaceFont(text_height);
  edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, at.x,
                          at.y, text_height * 2, text_height + text_height / 3, owner, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (!edit_) {  // no box, no text: the click is lost, nothing else
    DeleteObject(font_);
    font_ = nullptr;
    DeleteObject(back_);
    back_ = nullptr;
    return;
  }
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  edit_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
  SetFocus(edit_);
}

LRESULT CALLBACK TextBox::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TextBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_GETDLGCODE)
    return DLGC_WANTALLKEYS | CallWindowProcW(self->edit_proc_, hwnd, msg, wp, lp);
  if (msg == WM_KEYDOWN && (wp == VK_RETURN || wp == VK_ESCAPE)) {
    self->ending_ = wp == VK_RETURN ? Ending::kKeep : Ending::kDrop;
    PostMessageW(self->owner_, kTextBoxEndedMessage, 0, 0);
    return 0;
  }
  // Their characters would beep or reach the owner as Escape.
  if (msg == WM_CHAR && (wp == '\r' || wp == 27)) return 0;
  return CallWindowProcW(self->edit_proc_, hwnd, msg, wp, lp);
}

LRESULT TextBox::Colours(HDC dc) {
  SetTextColor(dc, text_colour_);
  SetBkColor(dc, back_colour_);
  return reinterpret_cast<LRESULT>(back_);
}

void TextBox::Fit() {
  const int length = GetWindowTextLengthW(edit_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(edit_, text.data(), length + 1);
  HDC dc = GetDC(edit_);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), length, &size);
  SelectObject(dc, old);
  ReleaseDC(edit_, dc);
  RECT r;
  GetWindowRect(edit_, &r);
  const int height = r.bottom - r.top;
  SetWindowPos(edit_, nullptr, 0, 0, std::max<int>(size.cx + height, 2 * height), height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The box scrolled while it was too narrow; now that all fits, back to the first character.
  DWORD from = 0, to = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  SendMessageW(edit_, EM_SETSEL, 0, 0);
  SendMessageW(edit_, EM_SETSEL, from, to);
}

std::optional<std::pair<PointI, TextMask>> TextBox::Close() {
  if (!edit_) return std::nullopt;
  const int length = GetWindowTextLengthW(edit_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(edit_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  // The mark goes where the box showed the text: its formatting rectangle's corner.
  RECT format{};
  SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  POINT corner{format.left, format.top};
  MapWindowPoints(edit_, owner_, &corner, 1);
  const bool keep = ending_ != Ending::kDrop && !text.empty();

  std::optional<std::pair<PointI, TextMask>> mark;
  if (keep) {
    // Drawn white on black in grey-scale smoothing: the green channel is the coverage.
    LOGFONTW lf{};
    GetObjectW(font_, sizeof lf, &lf);
    lf.lfQuality = ANTIALIASED_QUALITY;
    HFONT smooth = CreateFontIndirectW(&lf);
    HDC screen = GetDC(owner_);
    HGDIOBJ old_font = SelectObject(screen, smooth);
    SIZE size{};
    GetTextExtentPoint32W(screen, text.c_str(), length, &size);
    SelectObject(screen, old_font);
    Dib dib(screen, std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1));
    ReleaseDC(owner_, screen);
    if (dib.ok()) {
      old_font = SelectObject(dib.dc, smooth);
      SetTextColor(dib.dc, RGB(255, 255, 255));
      SetBkMode(dib.dc, TRANSPARENT);
      TextOutW(dib.dc, 0, 0, text.c_str(), length);
      SelectObject(dib.dc, old_font);
      GdiFlush();
      TextMask mask{std::u16string(text.begin(), text.end()),
                    static_cast<int>(size.cx),
                    static_cast<int>(size.cy),
                    {}};
      mask.coverage.resize(static_cast<std::size_t>(mask.width) * mask.height);
      for (std::size_t i = 0; i < mask.coverage.size(); ++i) {
        mask.coverage[i] = static_cast<std::uint8_t>((dib.pixels()[i] >> 8) & 0xFF);
      }
      mark.emplace(PointI{corner.x, corner.y}, std::move(mask));
    }
    DeleteObject(smooth);
  }
  HWND edit = edit_;
  edit_ = nullptr;
  DestroyWindow(edit);
  DeleteObject(font_);
  font_ = nullptr;
  DeleteObject(back_);
  back_ = nullptr;
  SetFocus(owner_);
  return mark;
}

}  // namespace shot
