// The dimmed surround: the bands outside the selection and the darkened pixels.
#include "screenshot/dim.h"

#include <gtest/gtest.h>

#include <vector>

#include "screenshot/capture_screen.h"

namespace shot {
namespace {

struct BandCase {
  const char* what;
  RectI area, clear;
  std::vector<RectI> bands;
};

TEST(Dim, BandsCoverTheAreaOutsideTheSelectionOnce) {
  const RectI area{0, 0, 100, 80};
  const BandCase cases[] = {
      {"selection inside",
       area,
       {20, 10, 60, 50},
       {{0, 0, 100, 10}, {0, 50, 100, 80}, {0, 10, 20, 50}, {60, 10, 100, 50}}},
      {"selection covers the area", area, {-5, -5, 200, 200}, {}},
      {"selection elsewhere", area, {300, 300, 400, 400}, {{0, 0, 100, 80}}},
      {"selection over the left edge",
       area,
       {-10, 20, 30, 40},
       {{0, 0, 100, 20}, {0, 40, 100, 80}, {30, 20, 100, 40}}},
      {"empty selection", area, {50, 40, 50, 40}, {{0, 0, 100, 40}, {0, 40, 100, 80}}},
      {"a part of the window",
       {200, 100, 300, 150},
       {250, 0, 260, 1000},
       {{200, 100, 250, 150}, {260, 100, 300, 150}}},
  };
  for (const BandCase& c : cases) {
    SCOPED_TRACE(c.what);
    DimBands dim = BandsOutside(c.area, c.clear);
    ASSERT_EQ(dim.count, static_cast<int>(c.bands.size()));
    for (int i = 0; i < dim.count; ++i) EXPECT_EQ(dim.bands[i], c.bands[i]);
  }
}

TEST(Dim, DarkensEachChannelToAboutSixtyPercent) {
  std::vector<std::uint32_t> pixels = {0x00FFFFFF, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                       0x00000000, 0x00808080, 0x00010203};
  DarkenPixels(pixels.data(), static_cast<int>(pixels.size()) - 1);
  EXPECT_EQ(pixels[0], 0x00999999u);  // 255 * 154 / 256 = 153.4
  EXPECT_EQ(pixels[1], 0x00990000u);
  EXPECT_EQ(pixels[2], 0x00009900u);
  EXPECT_EQ(pixels[3], 0x00000099u);
  EXPECT_EQ(pixels[4], 0x00000000u);
  EXPECT_EQ(pixels[5], 0x004D4D4Du);
  EXPECT_EQ(pixels[6], 0x00010203u);  // past the count: untouched
}

TEST(Dim, TheSelectionIsClearWhileItIsShown) {
  CaptureScreen s(1280, 800);
  EXPECT_FALSE(s.clear_area());
  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(160, 140, true, 0);
  EXPECT_EQ(s.clear_area(), (RectI{100, 100, 160, 140}));
  s.Release(MouseButton::kLeft, 160, 140);
  EXPECT_EQ(s.clear_area(), (RectI{100, 100, 160, 140}));
  s.HideOverlays();  // before a copy: the copy never sees the dimming anyway
  EXPECT_FALSE(s.clear_area());
}

}  // namespace
}  // namespace shot
