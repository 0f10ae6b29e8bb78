// Capturing the screen into memory and reading it back.
#include "screenshot/platform/win32/frozen_screen.h"

#include <algorithm>
#include <cstring>

namespace shot {

FrozenScreen::FrozenScreen(HDC source, POINT origin, SIZE size) : origin_(origin), size_(size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down: row y starts at bits + y * width
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(source);
  bitmap_ = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc_ || !bitmap_) return;
  old_bitmap_ = SelectObject(dc_, bitmap_);
  BitBlt(dc_, 0, 0, size.cx, size.cy, source, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  bits_ = static_cast<std::uint32_t*>(bits);
}

FrozenScreen::~FrozenScreen() {
  if (old_bitmap_) SelectObject(dc_, old_bitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

RECT FrozenScreen::VirtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::unique_ptr<FrozenScreen> FrozenScreen::CaptureVirtualScreen() {
  const RECT screen = VirtualScreen();
  const POINT origin{screen.left, screen.top};
  const SIZE size{screen.right - screen.left, screen.bottom - screen.top};
  HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  auto frozen = std::make_unique<FrozenScreen>(display, origin, size);
  DeleteDC(display);
  return frozen;
}

std::uint32_t FrozenScreen::PixelAt(int x, int y) const {
  if (!bits_) return 0;
  x = std::clamp(x, 0, static_cast<int>(size_.cx) - 1);
  y = std::clamp(y, 0, static_cast<int>(size_.cy) - 1);
  std::uint32_t bgrx = bits_[static_cast<size_t>(y) * size_.cx + x];
  // DIB pixels are 0x00RRGGBB; the readout wants 0x00BBGGRR.
  return ((bgrx & 0xFF) << 16) | (bgrx & 0xFF00) | ((bgrx >> 16) & 0xFF);
}

std::vector<std::uint8_t> FrozenScreen::PackedDib(const RectI& wanted) const {
  RectI r = ClipToImage(wanted, size_.cx, size_.cy);
  const int stride = (r.width() * 3 + 3) & ~3;
  std::vector<std::uint8_t> dib(sizeof(BITMAPINFOHEADER) +
                                static_cast<size_t>(stride) * r.height());
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = r.width();
  header.biHeight = r.height();  // bottom-up, as every reader of CF_DIB expects
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride) * r.height();
  std::memcpy(dib.data(), &header, sizeof header);
  std::uint8_t* rows = dib.data() + sizeof header;
  for (int y = 0; y < r.height() && bits_; ++y) {
    const std::uint32_t* src = bits_ + static_cast<size_t>(r.top + y) * size_.cx + r.left;
    std::uint8_t* dst = rows + static_cast<size_t>(r.height() - 1 - y) * stride;
    for (int x = 0; x < r.width(); ++x) {
      dst[3 * x] = src[x] & 0xFF;
      dst[3 * x + 1] = (src[x] >> 8) & 0xFF;
      dst[3 * x + 2] = (src[x] >> 16) & 0xFF;
    }
  }
  return dib;
}

RectI ClipToImage(const RectI& region, int width, int height) {
  RectI r{std::clamp(region.left, 0, width), std::clamp(region.top, 0, height),
          std::clamp(region.right, 0, width), std::clamp(region.bottom, 0, height)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace shot
