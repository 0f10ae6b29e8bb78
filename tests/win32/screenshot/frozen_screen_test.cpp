// The frozen image: pixels read back exactly, and regions packed as 24-bit DIBs.
#include "screenshot/platform/win32/frozen_screen.h"

#include <gtest/gtest.h>

#include <cstring>

namespace shot {
namespace {

// A memory device context holding a 64 x 48 picture: four coloured quarters and one marked pixel.
class Pattern {
 public:
  Pattern() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    Fill({0, 0, kW / 2, kH / 2}, kRed);
    Fill({kW / 2, 0, kW, kH / 2}, kGreen);
    Fill({0, kH / 2, kW / 2, kH}, kBlue);
    Fill({kW / 2, kH / 2, kW, kH}, kWhite);
    SetPixel(dc_, 5, 7, kMark);
    GdiFlush();
  }
  ~Pattern() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

  static constexpr int kW = 64, kH = 48;
  static constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                            kWhite = RGB(255, 255, 255), kMark = RGB(1, 2, 3);

 private:
  void Fill(RECT r, COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(FrozenScreen, KeepsTheSourcePixelsExactly) {
  Pattern p;
  FrozenScreen frozen(p.dc(), {0, 0}, {Pattern::kW, Pattern::kH});
  ASSERT_TRUE(frozen.ok());
  EXPECT_EQ(frozen.width(), Pattern::kW);
  EXPECT_EQ(frozen.height(), Pattern::kH);
  for (int y = 0; y < Pattern::kH; ++y) {
    for (int x = 0; x < Pattern::kW; ++x) {
      ASSERT_EQ(frozen.PixelAt(x, y), p.At(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(frozen.PixelAt(5, 7), Pattern::kMark);
  // Outside the image the nearest edge pixel is read.
  EXPECT_EQ(frozen.PixelAt(-10, -10), Pattern::kRed);
  EXPECT_EQ(frozen.PixelAt(1000, 1000), Pattern::kWhite);
}

TEST(FrozenScreen, CopiesFromAnOffsetOrigin) {
  Pattern p;
  FrozenScreen frozen(p.dc(), {Pattern::kW / 2, Pattern::kH / 2}, {10, 10});
  EXPECT_EQ(frozen.origin().x, Pattern::kW / 2);
  EXPECT_EQ(frozen.PixelAt(0, 0), Pattern::kWhite);
  EXPECT_EQ(frozen.PixelAt(9, 9), Pattern::kWhite);
}

TEST(FrozenScreen, PacksARegionAsABottomUpDib) {
  Pattern p;
  FrozenScreen frozen(p.dc(), {0, 0}, {Pattern::kW, Pattern::kH});
  // 3 pixels wide: each row is 9 bytes padded to 12.
  const RectI region{4, 6, 7, 9};
  std::vector<std::uint8_t> dib = frozen.PackedDib(region);
  BITMAPINFOHEADER h;
  ASSERT_GE(dib.size(), sizeof h);
  std::memcpy(&h, dib.data(), sizeof h);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, 3);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
  ASSERT_EQ(dib.size(), sizeof h + 12 * 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      const std::uint8_t* px = dib.data() + sizeof h + (2 - y) * 12 + 3 * x;
      EXPECT_EQ(RGB(px[2], px[1], px[0]), p.At(region.left + x, region.top + y)) << x << "," << y;
    }
  }
}

TEST(FrozenScreen, RegionsAreClippedToTheImage) {
  struct Row {
    RectI in, out;
  };
  const Row rows[] = {
      {{-5, -5, 10, 10}, {0, 0, 10, 10}},
      {{60, 40, 100, 100}, {60, 40, 64, 48}},
      {{70, 50, 80, 60}, {64, 48, 64, 48}},
      {{10, 10, 5, 5}, {10, 10, 10, 10}},
  };
  for (const auto& r : rows) EXPECT_EQ(ClipToImage(r.in, 64, 48), r.out);
  Pattern p;
  FrozenScreen frozen(p.dc(), {0, 0}, {Pattern::kW, Pattern::kH});
  std::vector<std::uint8_t> dib = frozen.PackedDib({60, 40, 100, 100});
  BITMAPINFOHEADER h;
  std::memcpy(&h, dib.data(), sizeof h);
  EXPECT_EQ(h.biWidth, 4);
  EXPECT_EQ(h.biHeight, 8);
}

}  // namespace
}  // namespace shot
