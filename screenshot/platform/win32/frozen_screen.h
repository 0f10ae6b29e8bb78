// The frozen image: one copy of the screen kept as a 32-bit top-down DIB section, so that
// painting, the colour readout and copies all read the same pixels from memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "screenshot/geometry.h"

namespace shot {

class FrozenScreen {
 public:
  // Copies `size` pixels starting at `origin` of the source device context.
  FrozenScreen(HDC source, POINT origin, SIZE size);
  ~FrozenScreen();
  FrozenScreen(const FrozenScreen&) = delete;
  FrozenScreen& operator=(const FrozenScreen&) = delete;

  // The whole virtual screen (every monitor), at the display's real pixel density.
  static RECT VirtualScreen();
  static std::unique_ptr<FrozenScreen> CaptureVirtualScreen();

  bool ok() const { return bits_ != nullptr; }
  int width() const { return size_.cx; }
  int height() const { return size_.cy; }
  POINT origin() const { return origin_; }  // virtual-screen position of pixel (0, 0)
  HDC dc() const { return dc_; }            // the image selected into a memory context
  // Colour as 0x00BBGGRR; points outside read the nearest edge pixel.
  std::uint32_t PixelAt(int x, int y) const;
  // The region (clipped to the image) as a packed 24-bit bottom-up DIB: header, then rows.
  std::vector<std::uint8_t> PackedDib(const RectI& region) const;
  // Rows of 0x00RRGGBB, top row first; marks are drawn into them.
  std::uint32_t* bits() const { return bits_; }

 private:
  POINT origin_;
  SIZE size_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// The part of `region` that lies inside a width x height image.
RectI ClipToImage(const RectI& region, int width, int height);

}  // namespace shot
