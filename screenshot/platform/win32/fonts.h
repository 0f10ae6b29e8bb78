// The fonts the capture tool draws with: the embedded icon font and the interface font.
#pragma once

#include <windows.h>

namespace shot {

// Registers the Material Icons font embedded in the program for this process.
class IconFontResource {
 public:
  IconFontResource();
  ~IconFontResource();
  IconFontResource(const IconFontResource&) = delete;
  IconFontResource& operator=(const IconFontResource&) = delete;

 private:
  HANDLE handle_ = nullptr;
};

// Glyphs of the icon font (private-use code points).
inline constexpr wchar_t kGlyphUndo = 0xE166;
inline constexpr wchar_t kGlyphCopy = 0xE14D;
inline constexpr wchar_t kGlyphSave = 0xE161;
inline constexpr wchar_t kGlyphClose = 0xE5CD;
inline constexpr wchar_t kGlyphMinimise = 0xE15B;
inline constexpr wchar_t kGlyphCamera = 0xE412;

// Fonts by pixel height (the em size); the caller deletes them.
HFONT CreateIconFont(int pixels);
HFONT CreateInterfaceFont(int pixels);  // 微软雅黑

// Draws one glyph centred in a rectangle.
void DrawGlyph(HDC dc, HFONT font, wchar_t glyph, const RECT& r, COLORREF colour);

}  // namespace shot
