// Icon font registration and font creation.
#include "screenshot/platform/win32/fonts.h"

#include "screenshot/platform/win32/resource_ids.h"

namespace shot {

IconFontResource::IconFontResource() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(SHOT_ICON_FONT), RT_RCDATA);
  if (!res) return;
  HGLOBAL data = LoadResource(module, res);
  DWORD fonts = 0;
  handle_ = AddFontMemResourceEx(LockResource(data), SizeofResource(module, res), nullptr, &fonts);
}

IconFontResource::~IconFontResource() {
  if (handle_) RemoveFontMemResourceEx(handle_);
}

namespace {

HFONT MakeFont(int pixels, const wchar_t* face) {
  LOGFONTW lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

HFONT CreateIconFont(int pixels) { return MakeFont(pixels, L"Material Icons"); }

HFONT CreateInterfaceFont(int pixels) { return MakeFont(pixels, L"微软雅黑"); }

void DrawGlyph(HDC dc, HFONT font, wchar_t glyph, const RECT& r, COLORREF colour) {
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  RECT box = r;
  DrawTextW(dc, &glyph, 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
}

}  // namespace shot
