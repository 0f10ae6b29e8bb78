// Copying a region to the clipboard, and emptying it after a save.
#include "screenshot/platform/win32/clipboard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace shot {
namespace {

// A 40 x 30 frozen image with a gradient, so every pixel differs from its neighbours.
std::unique_ptr<FrozenScreen> Gradient() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) SetPixel(dc, x, y, RGB(x * 6, y * 8, 200));
  }
  auto frozen = std::make_unique<FrozenScreen>(dc, POINT{0, 0}, SIZE{40, 30});
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return frozen;
}

// The clipboard's device-independent bitmap as a packed DIB; empty when there is none.
std::vector<std::uint8_t> ClipboardDib() {
  if (!OpenClipboard(nullptr)) return {};
  std::vector<std::uint8_t> dib;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(data));
    if (bytes) dib.assign(bytes, bytes + GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return dib;
}

// Pixel (x, y) of a packed DIB of 24 or 32 bits a pixel as COLORREF; CLR_INVALID for another
// kind or a point outside it.
COLORREF DibPixel(const std::vector<std::uint8_t>& dib, int x, int y) {
  BITMAPINFOHEADER h;
  if (dib.size() < sizeof h) return CLR_INVALID;
  std::memcpy(&h, dib.data(), sizeof h);
  if ((h.biBitCount != 24 && h.biBitCount != 32) || x < 0 || y < 0 || x >= h.biWidth ||
      y >= std::abs(h.biHeight)) {
    return CLR_INVALID;
  }
  const std::size_t masks = h.biCompression == BI_BITFIELDS ? 12 : 0;
  const std::size_t stride = (static_cast<std::size_t>(h.biWidth) * h.biBitCount / 8 + 3) & ~3u;
  const std::size_t row = h.biHeight > 0 ? h.biHeight - 1 - y : y;  // bottom-up unless negative
  const std::size_t at =
      h.biSize + masks + row * stride + static_cast<std::size_t>(x) * h.biBitCount / 8;
  if (at + 3 > dib.size()) return CLR_INVALID;
  return RGB(dib[at + 2], dib[at + 1], dib[at]);
}

TEST(Clipboard, ScrnCapPutsABitmapThatProgramsAlsoReadAsADib) {
  auto frozen = Gradient();
  const RectI region{10, 5, 30, 25};
  ASSERT_TRUE(ScrnCap(*frozen, region));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info{};
  ASSERT_TRUE(GetObjectW(bitmap, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 20);
  EXPECT_EQ(info.bmHeight, 20);
  // The device bitmap holds the region's pixels too.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), frozen->PixelAt(10, 5));
  EXPECT_EQ(GetPixel(dc, 19, 19), frozen->PixelAt(29, 24));
  SelectObject(dc, old);
  DeleteDC(dc);
  CloseClipboard();

  // A program asking for a device-independent bitmap gets one made from it, pixel for pixel.
  const std::vector<std::uint8_t> dib = ClipboardDib();
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(DibPixel(dib, x, y), frozen->PixelAt(10 + x, 5 + y)) << x << "," << y;
    }
  }
}

TEST(Clipboard, ColourTextReplacesThePictureAndFailsWhileAnotherWindowHoldsIt) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  auto frozen = Gradient();
  ASSERT_TRUE(ScrnCap(*frozen, {0, 0, 4, 4}));
  WindowsTextClipboard clipboard(owner);
  ASSERT_TRUE(clipboard.CopyText(u"#1A2B3C"));
  EXPECT_TRUE(ClipboardDib().empty());
  ASSERT_TRUE(OpenClipboard(other));
  auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, L"#1A2B3C");
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  // Still open by the other window: the copy fails and the text stays.
  EXPECT_FALSE(clipboard.CopyText(u"#000000"));
  CloseClipboard();
  ASSERT_TRUE(OpenClipboard(other));
  text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  EXPECT_STREQ(text, L"#1A2B3C");
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  CloseClipboard();
  DestroyWindow(other);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace shot
