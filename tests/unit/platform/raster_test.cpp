// Anti-aliased strokes and ellipses: coverage, the pixel format, clipping.
#include "box/platform/raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace velmo {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kBlack = 0;
constexpr std::uint32_t kGuard = 0x5A5A5A5A;

// A white image with two guard pixels at the end of every row and a guard row below, which no
// drawing may touch.
struct Canvas {
  Canvas(int width, int height)
      : width(width), height(height), pixels(static_cast<std::size_t>((width + 2) * (height + 1))) {
    for (int y = 0; y <= height; ++y) {
      for (int x = 0; x < width + 2; ++x) Ref(x, y) = x < width && y < height ? kWhite : kGuard;
    }
  }
  Raster Clipped(PixelRect clip) { return Raster(pixels.data(), width, height, width + 2, clip); }
  Raster Whole() { return Clipped({0, 0, width, height}); }
  std::uint32_t& Ref(int x, int y) { return pixels[static_cast<std::size_t>(y * (width + 2) + x)]; }
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * (width + 2) + x)];
  }
  // How much of a pixel black drawn on white covers, from its green byte.
  double Ink(int x, int y) const { return (255 - ((At(x, y) >> 8) & 0xFF)) / 255.0; }
  double TotalInk() const {
    double sum = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) sum += Ink(x, y);
    }
    return sum;
  }
  bool GuardsIntact() const {
    for (int y = 0; y <= height; ++y) {
      for (int x = y < height ? width : 0; x < width + 2; ++x) {
        if (At(x, y) != kGuard) return false;
      }
    }
    return true;
  }

  int width, height;
  std::vector<std::uint32_t> pixels;
};

struct Probe {
  int x, y;
  double ink;
};

TEST(RasterSegmentTest, CoverageAcrossAndAlongTheStroke) {
  const struct {
    const char* name;
    PointF a, b;
    float width;
    std::vector<Probe> probes;
  } cases[] = {
      // The host puts a 1-pixel line through pixel centres: one row, every pixel of it whole.
      {"1 px on pixel centres",
       {2.5f, 10.5f},
       {17.5f, 10.5f},
       1,
       {{2, 10, 1}, {10, 10, 1}, {17, 10, 1}, {10, 9, 0}, {10, 11, 0}, {1, 10, 0}, {18, 10, 0}}},
      // ... and a 2-pixel one along pixel edges: two rows, whole; the round end blends.
      {"2 px on pixel edges",
       {2, 10},
       {18, 10},
       2,
       {{10, 9, 1}, {10, 10, 1}, {10, 8, 0}, {10, 11, 0}, {1, 10, 0.793}, {0, 10, 0}}},
      {"1 px a quarter pixel up",
       {2.5f, 10.25f},
       {17.5f, 10.25f},
       1,
       {{10, 9, 0.25}, {10, 10, 0.75}, {10, 11, 0}, {10, 8, 0}}},
      // A clock hand at 45 degrees: whole on its centre line, fading across it, nothing away
      // from it or past its round ends.
      {"2 px diagonal",
       {20, 20},
       {35, 35},
       2,
       {{25, 25, 1},
        {26, 25, 0.793},
        {27, 25, 0.086},
        {28, 25, 0},
        {30, 5, 0},
        {19, 19, 0.793},
        {18, 18, 0},
        {34, 34, 1},
        {36, 36, 0}}},
      {"1 px steep",
       {10, 2},
       {12, 38},
       1,
       {{9, 20, 0}, {10, 20, 0.473}, {11, 20, 0.529}, {12, 20, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(40, 40);
    canvas.Whole().Segment(c.a, c.b, c.width, kBlack);
    for (const Probe& p : c.probes) {
      EXPECT_NEAR(canvas.Ink(p.x, p.y), p.ink, 0.01) << p.x << "," << p.y;
    }
    // As much ink as the stroke's area, round ends included.
    const double length = std::hypot(c.b.x - c.a.x, c.b.y - c.a.y);
    const double area = length * c.width + std::numbers::pi * c.width * c.width / 4;
    EXPECT_NEAR(canvas.TotalInk(), area, area * 0.03);
  }
}

TEST(RasterSegmentTest, ClipAndPixelFormat) {
  Canvas canvas(30, 20);
  // 0x00BBGGRR in, BGRX out; half coverage halfway to the background.
  const std::uint32_t color = 0x003264C8;  // red 200, green 100, blue 50
  canvas.Clipped({5, 0, 20, 20}).Segment({-50, 10.5f}, {80, 10.5f}, 1, color);
  canvas.Clipped({5, 0, 20, 20}).Segment({-50, 3}, {80, 3}, 1, color);
  // A clip past the image stops at the image: this stroke would reach into the guard columns.
  canvas.Clipped({-10, -10, 100, 100}).Segment({29.5f, -5}, {29.5f, 25}, 3, color);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      std::uint32_t expected = kWhite;
      if (x == 28 || x == 29) {
        expected = 0x00C86432;
      } else if (x >= 5 && x < 20 && y == 10) {
        expected = 0x00C86432;
      } else if (x >= 5 && x < 20 && (y == 2 || y == 3)) {
        expected = 0x00E4B299;  // (255 + 200) / 2, (255 + 100) / 2, (255 + 50) / 2, halves up
      }
      EXPECT_EQ(canvas.At(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(RasterEllipseTest, RingsAndDiscs) {
  const struct {
    const char* name;
    BoxF box;
    float border_width;
    bool border, fill;
    double area;
    std::vector<Probe> probes;
  } cases[] = {
      // Radius 20, border 3 inside it: the middle stays as it was.
      {"circle ring",
       {10, 10, 50, 50},
       3,
       true,
       false,
       std::numbers::pi * (20 * 20 - 17 * 17),
       {{30, 30, 0}, {11, 29, 1}, {9, 29, 0}, {12, 12, 0}, {14, 29, 0}, {29, 48, 1}}},
      {"disc",
       {10, 10, 50, 50},
       0,
       false,
       true,
       std::numbers::pi * 20 * 20,
       {{30, 30, 1}, {11, 29, 1}, {9, 29, 0}, {12, 12, 0}, {40, 40, 1}}},
      {"oval ring",
       {6, 14, 54, 46},
       3,
       true,
       false,
       std::numbers::pi * (24 * 16 - 21 * 13),
       {{30, 30, 0}, {7, 29, 1}, {8, 29, 1}, {5, 29, 0}, {29, 15, 1}, {29, 13, 0}, {10, 29, 0}}},
      {"filled ring",
       {10, 10, 50, 50},
       3,
       true,
       true,
       std::numbers::pi * 20 * 20,
       {{30, 30, 1}, {11, 29, 1}, {14, 29, 1}, {9, 29, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(60, 60);
    canvas.Whole().Ellipse(c.box, c.border_width, c.border ? std::optional(kBlack) : std::nullopt,
                           c.fill ? std::optional(kBlack) : std::nullopt);
    for (const Probe& p : c.probes) {
      EXPECT_NEAR(canvas.Ink(p.x, p.y), p.ink, 0.01) << p.x << "," << p.y;
    }
    EXPECT_NEAR(canvas.TotalInk(), c.area, c.area * 0.01);
    // Every box is centred on (30, 30): mirrored pixels are alike, and transposed ones too for a
    // circle.
    const bool circle = c.box.right - c.box.left == c.box.bottom - c.box.top;
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 60; ++x) {
        ASSERT_EQ(canvas.At(x, y), canvas.At(59 - x, y)) << x << "," << y;
        ASSERT_EQ(canvas.At(x, y), canvas.At(x, 59 - y)) << x << "," << y;
        if (circle) {
          ASSERT_EQ(canvas.At(x, y), canvas.At(y, x)) << x << "," << y;
        }
      }
    }
  }
}

TEST(RasterEllipseTest, BorderMeetsFillWithoutSeamAndClips) {
  const std::uint32_t blue = 0x00FF0000;  // 0x00BBGGRR
  Canvas plain(60, 60), bordered(60, 60), clipped(60, 60), two(60, 60);
  const BoxF box{10.5f, 8, 47, 52.25f};
  plain.Whole().Ellipse(box, 0, std::nullopt, blue);
  // A border in the fill's own colour leaves no trace of the background where they meet.
  bordered.Whole().Ellipse(box, 2.5f, blue, blue);
  clipped.Clipped({0, 0, 28, 60}).Ellipse(box, 2.5f, blue, blue);
  two.Whole().Ellipse(box, 2.5f, kBlack, blue);
  EXPECT_EQ(plain.At(28, 30), 0x000000FFu);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 60; ++x) {
      ASSERT_EQ(bordered.At(x, y), plain.At(x, y)) << x << "," << y;
      ASSERT_EQ(clipped.At(x, y), x < 28 ? plain.At(x, y) : kWhite) << x << "," << y;
      // A fill and a border of other colours: no white between them, only at the outer edge.
      const std::uint32_t p = two.At(x, y);
      const double white = ((p >> 8) & 0xFF) / 255.0;
      EXPECT_NEAR(white, 1 - plain.Ink(x, y), 0.01) << x << "," << y;
    }
  }
  EXPECT_TRUE(plain.GuardsIntact() && bordered.GuardsIntact() && clipped.GuardsIntact());
}

}  // namespace
}  // namespace velmo
