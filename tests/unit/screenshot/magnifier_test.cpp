// The magnifier: where it goes, what it shows, when it shows, and the C key.
#include "screenshot/magnifier.h"

#include <gtest/gtest.h>

#include <vector>

#include "screenshot/capture_screen.h"

namespace shot {
namespace {

constexpr int kW = 1280;
constexpr int kH = 800;

struct PlaceCase {
  const char* where;
  int x, y;
  RectI box;  // 122 x 174 at 96 dpi, 20 pixels from the pointer
};

TEST(Magnifier, StaysOnTheScreenNearEdgesAndCorners) {
  const MagnifierMetrics m(96);
  EXPECT_EQ(m.zoom, 8);
  EXPECT_EQ(m.lens, 120);
  EXPECT_EQ(m.width, 122);
  EXPECT_EQ(m.height, 174);
  const PlaceCase cases[] = {
      {"middle", 600, 400, {620, 420, 742, 594}},
      {"top-left corner", 0, 0, {20, 20, 142, 194}},
      {"right edge", 1279, 400, {1137, 420, 1259, 594}},
      {"bottom edge", 600, 799, {620, 605, 742, 779}},
      {"bottom-right corner", 1279, 799, {1137, 605, 1259, 779}},
      {"just fits on the right", 1138, 100, {1158, 120, 1280, 294}},
      {"one pixel more flips it", 1139, 100, {997, 120, 1119, 294}},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.where);
    EXPECT_EQ(PlaceMagnifier(c.x, c.y, m, kW, kH), c.box);
  }
  // A screen smaller than the box: it keeps to the top-left corner.
  EXPECT_EQ(PlaceMagnifier(50, 50, m, 100, 100), (RectI{0, 0, 122, 174}));
  const MagnifierMetrics big(192);
  EXPECT_EQ(big.zoom, 16);
  EXPECT_EQ(big.width, 15 * 16 + 2);
}

TEST(Magnifier, ColourTexts) {
  EXPECT_EQ(RgbText(0x0000FF), u"RGB(255, 0, 0)");
  EXPECT_EQ(RgbText(0xFFFFFF), u"RGB(255, 255, 255)");
  EXPECT_EQ(RgbText(0x332211), u"RGB(17, 34, 51)");
  EXPECT_EQ(HexText(0x0000FF), u"#FF0000");
  EXPECT_EQ(HexText(0x332211), u"#112233");
  EXPECT_EQ(HexText(0x00A0B0C), u"#0C0B0A");
}

TEST(Magnifier, LensEnlargesThePixelsWithACrossHair) {
  // A 20 x 10 image whose pixel (x, y) is 0x00XX00YY, white at (3, 2).
  std::vector<std::uint32_t> image(20 * 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) image[y * 20 + x] = (x << 16) | y;
  }
  image[2 * 20 + 3] = 0xFFFFFF;
  const MagnifierMetrics m(96);
  const int stride = m.lens + 5;
  std::vector<std::uint32_t> out(stride * m.lens, 0xDEADBEEF);
  RenderLens({image.data(), 20, 10}, 3, 2, m, out.data(), stride);
  auto cell = [&](int col, int row, int dx = 3, int dy = 3) {
    return out[(row * 8 + dy) * stride + col * 8 + dx];
  };
  // Cell (col, row) shows pixel (3 - 7 + col, 2 - 7 + row).
  EXPECT_EQ(cell(0, 0), 0x202020u);                // (-4, -5): beyond the image
  EXPECT_EQ(cell(14, 14), (10u << 16) | 9u);       // (10, 9): the image's last row
  EXPECT_EQ(cell(12, 10), (8u << 16) | 5u);        // (8, 5)
  EXPECT_EQ(cell(12, 10, 7, 7), (8u << 16) | 5u);  // the whole 8 x 8 block
  EXPECT_EQ(cell(12, 7), 0x1D4C80u);               // (8, 2) on the cross-hair: half blue
  EXPECT_EQ(cell(7, 12), 0x1A4C82u);               // (3, 7) likewise
  EXPECT_EQ(cell(7, 7, 3, 3), 0xFFFFFFu);          // the centre pixel itself, untinted
  EXPECT_EQ(cell(7, 7, 0, 0), 0x000000u);          // outlined in black on white
  EXPECT_EQ(cell(7, 7, 7, 4), 0x000000u);
  EXPECT_EQ(out[m.lens], 0xDEADBEEFu);  // nothing past the lens's width
}

TEST(Magnifier, FollowsThePointerAndCopiesTheColour) {
  struct Clipboard : TextClipboard {
    bool CopyText(const std::u16string& text) override {
      texts.push_back(text);
      return works;
    }
    std::vector<std::u16string> texts;
    bool works = true;
  } clipboard;
  CaptureScreen s(kW, kH, 96, &clipboard);
  EXPECT_FALSE(s.magnifier_visible());
  s.Move(600, 400, false, 0x0000FF);
  EXPECT_TRUE(s.magnifier_visible());
  EXPECT_EQ(s.magnifier_rect(), (RectI{620, 420, 742, 594}));
  EXPECT_EQ(s.pointer(), (PointI{600, 400}));
  EXPECT_EQ(s.colour_note(), kColourCopyHint);
  s.KeyDown(Key::kC, false, false);
  EXPECT_EQ(clipboard.texts, std::vector<std::u16string>{u"#FF0000"});
  EXPECT_EQ(s.colour_note(), u"已复制 #FF0000");
  s.Move(600, 400, false, 0x0000FF);  // the same pixel: the note stays
  EXPECT_EQ(s.colour_note(), u"已复制 #FF0000");
  s.KeyDown(Key::kC, false, true);  // Ctrl+C is not the colour key
  EXPECT_EQ(clipboard.texts.size(), 1u);

  // Drawing: it follows the pointer.
  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(1279, 799, true, 0x00FF00);
  EXPECT_TRUE(s.magnifier_visible());
  EXPECT_EQ(s.magnifier_rect(), (RectI{1137, 605, 1259, 779}));
  EXPECT_EQ(s.colour_note(), kColourCopyHint);
  s.Release(MouseButton::kLeft, 1279, 799);
  // Over the finished selection it goes; outside it and over a handle it comes back.
  s.Move(500, 500, false, 0);
  EXPECT_FALSE(s.magnifier_visible());
  s.KeyDown(Key::kC, false, false);
  EXPECT_EQ(clipboard.texts.size(), 1u);  // nothing shown, nothing copied
  s.Move(50, 50, false, 0);
  EXPECT_TRUE(s.magnifier_visible());
  s.Move(100, 100, false, 0);  // the top-left handle
  EXPECT_TRUE(s.magnifier_visible());
  // Resizing: it follows; moving the selection: it goes.
  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(120, 130, true, 0);
  EXPECT_TRUE(s.magnifier_visible());
  EXPECT_EQ(s.magnifier_rect(), (RectI{140, 150, 262, 324}));
  s.Release(MouseButton::kLeft, 120, 130);
  s.Press(MouseButton::kLeft, 500, 500);
  s.Move(510, 500, true, 0);
  EXPECT_FALSE(s.magnifier_visible());
  s.Release(MouseButton::kLeft, 510, 500);
  // Over the toolbar it goes.
  const RectI bar = s.toolbar_rect();
  s.Move(bar.left + 5, bar.top + 5, false, 0);
  EXPECT_FALSE(s.magnifier_visible());
  // A clipboard another program holds: said in the note.
  clipboard.works = false;
  s.Move(5, 5, false, 0x123456);
  s.KeyDown(Key::kC, false, false);
  EXPECT_EQ(s.colour_note(), kColourCopyFailed);
  s.HideOverlays();
  EXPECT_FALSE(s.magnifier_visible());
}

}  // namespace
}  // namespace shot
