// Painting of the Win32 host (see window_host.h): the model drawn into a back buffer, GDI for
// text, images and rectangles, our own rasteriser for lines and round shapes.
#include <algorithm>
#include <optional>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/window_host.h"
#include "box/ui/text_wrap.h"

namespace velmo {

HFONT WindowHost::FontFor(const Font& f) {
  std::u16string key = f.face + u"|" + std::u16string(1, static_cast<char16_t>(f.size_tenths)) +
                       (f.bold ? u"b" : u"n") + std::u16string(1, static_cast<char16_t>(dpi_));
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(f.size_tenths, dpi_, 720);
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, W(f.face), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  fonts_[key] = font;
  return font;
}

HFONT WindowHost::GlyphFont(int twips) {
  Font f{u"Material Icons", MulDiv(twips, 720, 1440), false};
  return FontFor(f);
}

HBRUSH WindowHost::BrushFor(Color c) {
  auto it = brushes_.find(c);
  if (it != brushes_.end()) return it->second;
  HBRUSH b = CreateSolidBrush(c);
  brushes_[c] = b;
  return b;
}

std::uint64_t WindowHost::Paint(HDC dc, RECT area) {
  RECT client;
  GetClientRect(hwnd_, &client);
  SIZE size{client.right, client.bottom};
  if (!back_buffer_ || size.cx != back_size_.cx || size.cy != back_size_.cy) {
    area = client;  // a new buffer holds nothing yet
    if (back_buffer_) DeleteObject(back_buffer_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    back_buffer_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    back_pixels_ = static_cast<std::uint32_t*>(bits);
    back_size_ = size;
  }
  if (!back_buffer_) return 0;  // an empty client area
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, back_buffer_);
  // The rest of the buffer still holds the last picture.
  IntersectClipRect(mem, area.left, area.top, area.right, area.bottom);
  FillRect(mem, &area, BrushFor(form_.back_color));
  SetBkMode(mem, TRANSPARENT);
  std::uint64_t start = NowUs();
  for (auto& child : form_.root().children()) PaintControl(mem, *child, 0, 0);
  std::uint64_t render_us = NowUs() - start;
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, area.left,
         area.top, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return render_us;
}

Raster WindowHost::RasterFor(HDC dc) {
  GdiFlush();  // GDI may still hold drawing into these pixels in its batch
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) clip = {};
  return Raster(back_pixels_, back_size_.cx, back_size_.cy, back_size_.cx,
                {clip.left, clip.top, clip.right, clip.bottom});
}

void WindowHost::PaintLine(HDC dc, const Control& c, int ox, int oy) {
  if (c.border_color == kNoBackground) return;
  const int width = std::max(1, MulDiv(c.border_width, dpi_, 96));
  // A point in twips names a pixel, as in GDI: a line of odd width runs through pixel centres,
  // one of even width along pixel edges, so that a level or upright line at whole pixels
  // covers whole rows or columns.
  const float shift = width % 2 ? 0.5f : 0.0f;
  const float scale = static_cast<float>(dpi_) / 1440.0f;
  auto at = [&](int origin, int twips) {
    return static_cast<float>(origin) + static_cast<float>(twips) * scale + shift;
  };
  RasterFor(dc).Segment({at(ox, c.left), at(oy, c.top)},
                        {at(ox, c.left + c.width), at(oy, c.top + c.height)},
                        static_cast<float>(width), c.border_color);
}

// The border lies inside the box, as GDI's inside-frame pen drew it; a fill alone fills the box.
void WindowHost::PaintEllipse(HDC dc, const Control& c, const RECT& box) {
  auto colour = [](Color color) {
    return color == kNoBackground ? std::nullopt : std::optional<std::uint32_t>(color);
  };
  RasterFor(dc).Ellipse({static_cast<float>(box.left), static_cast<float>(box.top),
                         static_cast<float>(box.right), static_cast<float>(box.bottom)},
                        static_cast<float>(std::max(1, MulDiv(c.border_width, dpi_, 96))),
                        colour(c.border_color), colour(c.fill_color));
}

void WindowHost::PaintControl(HDC dc, const Control& c, int ox, int oy) {
  if (!c.visible) return;
  if (c.kind == ControlKind::kLine) {
    PaintLine(dc, c, ox, oy);
    return;
  }
  RECT r{ox + Px(c.left), oy + Px(c.top), 0, 0};
  r.right = r.left + Px(c.width);
  r.bottom = r.top + Px(c.height);
  if (c.IsNative()) return;
  RECT clip;
  if (GetClipBox(dc, &clip) != NULLREGION && !IntersectRect(&clip, &clip, &r)) return;
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);

  if (c.back_color != kNoBackground) FillRect(dc, &r, BrushFor(c.back_color));
  if (c.kind == ControlKind::kShape) {
    RECT s = r;
    if (c.shape == ShapeKind::kSquare || c.shape == ShapeKind::kCircle) {
      int side = std::min(s.right - s.left, s.bottom - s.top);
      s.left += (r.right - r.left - side) / 2;
      s.top += (r.bottom - r.top - side) / 2;
      s.right = s.left + side;
      s.bottom = s.top + side;
    }
    if (c.shape == ShapeKind::kOval || c.shape == ShapeKind::kCircle) {
      PaintEllipse(dc, c, s);
    } else {
      int bw = std::max(1, MulDiv(c.border_width, dpi_, 96));
      HPEN pen = c.border_color == kNoBackground ? static_cast<HPEN>(GetStockObject(NULL_PEN))
                                                 : CreatePen(PS_INSIDEFRAME, bw, c.border_color);
      HGDIOBJ old_pen = SelectObject(dc, pen);
      HGDIOBJ old_brush = SelectObject(
          dc, c.fill_color == kNoBackground ? GetStockObject(NULL_BRUSH) : BrushFor(c.fill_color));
      // A null pen leaves the right and bottom edges out; widen by one to keep
      // the size.
      int extra = c.border_color == kNoBackground ? 1 : 0;
      if (c.shape == ShapeKind::kRoundedRectangle) {
        RoundRect(dc, s.left, s.top, s.right + extra, s.bottom + extra, Px(240), Px(240));
      } else {
        Rectangle(dc, s.left, s.top, s.right + extra, s.bottom + extra);
      }
      SelectObject(dc, old_brush);
      SelectObject(dc, old_pen);
      if (c.border_color != kNoBackground) DeleteObject(pen);
    }
  } else if (c.border_color != kNoBackground) {  // a panel or label with a frame
    FrameRect(dc, &r, BrushFor(c.border_color));
  }

  RECT text_rect = r;
  if (c.kind == ControlKind::kPicture && c.icon) {
    BlendIcon(dc, *c.icon, r.left, r.top, std::min(r.right - r.left, r.bottom - r.top));
  } else if (c.kind == ControlKind::kPicture && c.image_list) {
    if (const ImageEntry* e = c.image_list->At(c.image)) {
      RECT box = r;
      if (!c.text.empty() && c.caption_below) {
        box.bottom = r.bottom - (r.bottom - r.top) / 3;  // the lowest third holds the caption
      } else if (!c.text.empty()) {
        box.right = box.left + (r.bottom - r.top);
      }
      if (e->background != kNoBackground) FillRect(dc, &r, BrushFor(e->background));
      HGDIOBJ old = SelectObject(dc, GlyphFont(c.image_list->glyph_twips));
      SetTextColor(dc, e->color);
      wchar_t glyph[2] = {static_cast<wchar_t>(e->glyph), 0};
      DrawTextW(dc, glyph, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
      if (!c.text.empty() && c.caption_below) {
        text_rect.top = box.bottom;
      } else if (!c.text.empty()) {
        text_rect.left = box.right;
      }
    }
  }
  if (!c.text.empty() && c.kind != ControlKind::kShape && c.kind != ControlKind::kPanel) {
    HGDIOBJ old = SelectObject(dc, FontFor(c.font));
    SetTextColor(dc, c.fore_color);
    UINT format = DT_NOPREFIX;
    format |= c.align == TextAlign::kCenter  ? DT_CENTER
              : c.align == TextAlign::kRight ? DT_RIGHT
                                             : DT_LEFT;
    if (c.word_wrap || c.text.find(u'\n') != std::u16string::npos) {
      // Our own breaking: DrawText breaks only at blanks under Wine, never inside Chinese text.
      std::vector<std::u16string> lines =
          WrapText(c.text, text_rect.right - text_rect.left, [dc](char16_t ch) {
            SIZE size{};
            GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(&ch), 1, &size);
            return static_cast<int>(size.cx);
          });
      std::u16string wrapped = lines.front();
      for (std::size_t i = 1; i < lines.size(); ++i) wrapped += u"\n" + lines[i];
      DrawTextW(dc, W(wrapped), static_cast<int>(wrapped.size()), &text_rect, format);
    } else {
      format |= DT_SINGLELINE | DT_VCENTER;
      DrawTextW(dc, W(c.text), static_cast<int>(c.text.size()), &text_rect, format);
    }
    SelectObject(dc, old);
  }
  for (auto& child : c.children()) PaintControl(dc, *child, r.left, r.top);
  RestoreDC(dc, saved);
}

// At the screen's size a picture is copied pixel for pixel; one of another dpi is scaled until its
// own size arrives.
void WindowHost::BlendIcon(HDC dc, const IconPixels& icon, int x, int y, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(bi.bmiHeader), icon.size, -icon.size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) {
    std::copy(icon.pixels.begin(), icon.pixels.end(), static_cast<std::uint32_t*>(bits));
    HGDIOBJ old = SelectObject(mem, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, size, size, mem, 0, 0, icon.size, icon.size, blend);
    SelectObject(mem, old);
    DeleteObject(bitmap);
  }
  DeleteDC(mem);
}

}  // namespace velmo
