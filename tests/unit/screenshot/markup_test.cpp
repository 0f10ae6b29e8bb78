// Marks on the capture screen: the stroke list with undo and redo, the marked picture, the
// mark-up row's routing of input, and marks staying on the image when the selection moves.
#include "screenshot/markup.h"

#include <gtest/gtest.h>

#include <vector>

#include "screenshot/marking_screen.h"

namespace shot {
namespace {

constexpr std::uint32_t kGrey = 0x808080;    // DIB pixel 0x00RRGGBB
constexpr std::uint32_t kRed = 0x0000FF;     // 0x00BBGGRR
constexpr std::uint32_t kRedDib = 0xFF0000;  // the same red as a DIB pixel

struct Image {
  Image(int w, int h, std::uint32_t fill = kGrey)
      : pixels(static_cast<std::size_t>(w) * h, fill), view{pixels.data(), w, {0, 0, w, h}} {}
  std::uint32_t at(int x, int y) const { return view.at(x, y); }
  std::vector<std::uint32_t> pixels;
  MarkView view;
};

// Pixels that differ from their neighbours, the same each time.
Image Noise(int w, int h) {
  Image img(w, h);
  for (std::size_t i = 0; i < img.pixels.size(); ++i) {
    img.pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  }
  return img;  // the pixels move with it, so its view stays right
}

Stroke Shape(Tool tool, PointI a, PointI b, int width = 2, std::uint32_t colour = kRed) {
  return Stroke{tool, colour, width, {a, b}, {}};
}

TEST(Markup, UndoAndRedoMoveWholeStrokes) {
  enum Op { kDraw, kClick, kUndo, kRedo };
  struct Step {
    Op op;
    bool result;  // what the call says
    int done, undone;
  };
  const Step steps[] = {
      {kUndo, false, 0, 0},  // nothing to undo yet
      {kDraw, true, 1, 0},
      {kDraw, true, 2, 0},
      {kUndo, true, 1, 1},
      {kUndo, true, 0, 2},
      {kUndo, false, 0, 2},
      {kRedo, true, 1, 1},
      {kClick, false, 1, 1},  // a click without a drag
                              // draws nothing and keeps
                              // the redo
      {kDraw, true, 2, 0},    // a new stroke ends what could be redone
      {kRedo, false, 2, 0},
  };
  Markup m;
  int x = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(&s - steps);
    bool result = false;
    switch (s.op) {
      case kDraw:
      case kClick:
        m.Begin(Tool::kRectangle, kRed, 2, {x, x});
        if (s.op == kDraw) m.Extend({x + 10, x + 5});
        EXPECT_TRUE(m.current());
        result = m.Commit();
        EXPECT_FALSE(m.current());
        x += 20;
        break;
      case kUndo:
        result = m.Undo();
        break;
      case kRedo:
        result = m.Redo();
        break;
    }
    EXPECT_EQ(result, s.result);
    EXPECT_EQ(static_cast<int>(m.strokes().size()), s.done);
    EXPECT_EQ(m.can_undo(), s.done > 0);
    EXPECT_EQ(m.can_redo(), s.undone > 0);
  }
  // Redone strokes come back in the order they were drawn.
  Markup n;
  for (int i = 0; i < 3; ++i) n.Add(Shape(Tool::kRectangle, {i, 0}, {i + 5, 5}));
  n.Undo();
  n.Undo();
  n.Redo();
  ASSERT_EQ(n.strokes().size(), 2u);
  EXPECT_EQ(n.strokes()[1].points[0], (PointI{1, 0}));
}

TEST(Markup, PenKeepsItsPathAndAClickDrawsNothing) {
  Markup m;
  m.Begin(Tool::kPen, kRed, 2, {5, 5});
  m.Extend({5, 5});
  EXPECT_FALSE(m.Commit());
  m.Begin(Tool::kPen, kRed, 2, {5, 5});
  for (PointI p : {PointI{6, 5}, PointI{6, 5}, PointI{8, 7}, PointI{5, 5}}) m.Extend(p);
  EXPECT_TRUE(m.Commit());  // back to where it began is still a path
  EXPECT_EQ(m.strokes()[0].points, (std::vector<PointI>{{5, 5}, {6, 5}, {8, 7}, {5, 5}}));
}

TEST(Markup, StrokesDrawWhereTheyWereDrawn) {
  // A rectangle lies inside the dragged corners, its line growing inwards.
  Image img(60, 40);
  Rasterise(Shape(Tool::kRectangle, {30, 25}, {10, 5}, 3), img.view);
  EXPECT_EQ(img.at(10, 5), kRedDib);
  EXPECT_EQ(img.at(30, 25), kRedDib);
  EXPECT_EQ(img.at(12, 15), kRedDib);
  EXPECT_EQ(img.at(13, 15), kGrey);  // inside the line
  EXPECT_EQ(img.at(9, 5), kGrey);    // outside the corners
  EXPECT_EQ(img.at(31, 25), kGrey);
  EXPECT_EQ(img.at(20, 15), kGrey);

  // An ellipse touches the middle of each side of its box and leaves the corners.
  Image e(41, 21);
  Rasterise(Shape(Tool::kEllipse, {0, 0}, {40, 20}, 2), e.view);
  EXPECT_EQ(e.at(20, 0), kRedDib);
  EXPECT_EQ(e.at(0, 10), kRedDib);
  EXPECT_EQ(e.at(20, 10), kGrey);
  EXPECT_EQ(e.at(0, 0), kGrey);

  // An arrow's head is at the second point, wider than its shaft.
  Image a(80, 40);
  Rasterise(Shape(Tool::kArrow, {5, 20}, {70, 20}, 2), a.view);
  EXPECT_EQ(a.at(20, 20), kRedDib);
  EXPECT_EQ(a.at(20, 24), kGrey);
  EXPECT_EQ(a.at(62, 22), kRedDib);  // the head spreads round the line
  EXPECT_EQ(a.at(75, 20), kGrey);

  // A mosaic fills each cell with its mean; cells start at the first corner.
  Image mo(16, 8);
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 8; ++y) mo.view.at(x, y) = x % 2 ? 0x000000 : 0x646464;
  }
  Rasterise(Shape(Tool::kMosaic, {0, 0}, {15, 7}, 2), mo.view);  // 8 x 8 cells
  EXPECT_EQ(mo.at(0, 0), 0x323232u);
  EXPECT_EQ(mo.at(15, 7), 0x323232u);

  // A text blends its colour by the mask's coverage.
  Image t(10, 10);
  Stroke text{Tool::kText, kRed, 1, {{4, 3}}, {u"字", 2, 1, {255, 0}}};
  Rasterise(text, t.view);
  EXPECT_EQ(t.at(4, 3), kRedDib);
  EXPECT_EQ(t.at(5, 3), kGrey);

  // A view of part of the image draws only there, at the same image pixels.
  std::vector<std::uint32_t> part(10 * 10, kGrey);
  MarkView view{part.data(), 10, {5, 0, 15, 10}};
  Rasterise(Shape(Tool::kRectangle, {0, 0}, {9, 9}, 2), view);
  EXPECT_EQ(view.at(9, 5), kRedDib);
  EXPECT_EQ(view.at(7, 5), kGrey);
}

TEST(Markup, ShiftSquaresShapesAndTurnsArrowsByFortyFiveDegrees) {
  const PointI from{100, 100};
  const struct {
    Tool tool;
    PointI to;
    PointI end;
  } cases[] = {
      {Tool::kRectangle, {130, 110}, {130, 130}}, {Tool::kEllipse, {90, 60}, {60, 60}},
      {Tool::kMosaic, {105, 140}, {140, 140}},    {Tool::kArrow, {200, 141}, {200, 100}},
      {Tool::kArrow, {200, 142}, {200, 200}},     {Tool::kArrow, {95, 20}, {100, 20}},
      {Tool::kArrow, {40, 170}, {30, 170}},       {Tool::kPen, {130, 110}, {130, 110}},
      {Tool::kText, {130, 110}, {130, 110}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Constrained(c.tool, from, c.to), c.end) << static_cast<int>(c.tool);
  }
  // Held while drawing, it shapes the stroke that is kept; let go, the pointer leads again.
  Markup m;
  m.Begin(Tool::kRectangle, kRed, 2, from);
  m.Extend({130, 110}, true);
  EXPECT_EQ(m.current()->points.back(), (PointI{130, 130}));
  m.Extend({130, 110});
  EXPECT_EQ(m.current()->points.back(), (PointI{130, 110}));
  m.Extend({150, 120}, true);
  ASSERT_TRUE(m.Commit());
  EXPECT_EQ(m.strokes()[0].points, (std::vector<PointI>{from, {150, 150}}));
}

TEST(Markup, MarkedPartsAreThePartsOfTheWholeMarkedImage) {
  // Mosaics over mosaics of other cell sizes, shapes under and over them, strokes off the edge.
  const Image original = Noise(300, 200);
  const std::vector<Stroke> strokes{
      Shape(Tool::kRectangle, {10, 10}, {200, 150}, 3),
      Shape(Tool::kMosaic, {5, 7}, {150, 120}, 3),
      Stroke{Tool::kPen, kRed, 8, {{20, 190}, {140, 30}, {290, 170}}, {}},
      Shape(Tool::kMosaic, {60, 40}, {290, 190}, 1),
      Shape(Tool::kEllipse, {100, 50}, {330, 230}, 4, 0x00FF00),
      Shape(Tool::kMosaic, {-20, 90}, {170, 260}, 2),
      Shape(Tool::kArrow, {250, 20}, {30, 180}, 2),
  };
  // The whole picture: each stroke drawn into the image in turn.
  Image whole = Noise(300, 200);
  for (const Stroke& s : strokes) Rasterise(s, whole.view);
  ASSERT_NE(whole.pixels, original.pixels);

  // Any part drawn alone, as the window paints it in bands and rectangles, matches the whole.
  const PixelView image{original.pixels.data(), 300, 200};
  const RectI parts[] = {{0, 0, 300, 200}, {0, 0, 300, 1},     {0, 128, 300, 200},
                         {57, 61, 58, 62}, {149, 95, 151, 97}, {290, 190, 300, 200},
                         {3, 3, 97, 41},   {120, 0, 121, 200}};
  for (const RectI& part : parts) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(part.width()) * part.height());
    const MarkView view{out.data(), part.width(), part};
    RenderMarked(image, strokes, nullptr, view);
    for (int y = part.top; y < part.bottom; ++y) {
      for (int x = part.left; x < part.right; ++x) {
        ASSERT_EQ(view.at(x, y), whole.at(x, y))
            << x << "," << y << " of part at " << part.left << "," << part.top;
      }
    }
  }
  // A stroke being drawn goes over the rest; the image itself is never written.
  const std::vector<Stroke> first_two(strokes.begin(), strokes.begin() + 2);
  std::vector<std::uint32_t> band(300 * 10);
  RenderMarked(image, {strokes[0]}, &strokes[1], MarkView{band.data(), 300, {0, 60, 300, 70}});
  Image two = Noise(300, 200);
  for (const Stroke& s : first_two) Rasterise(s, two.view);
  EXPECT_TRUE(std::equal(band.begin(), band.end(), two.pixels.begin() + 60 * 300));
  EXPECT_EQ(original.pixels, Noise(300, 200).pixels);

  // The readout's colour: the marks' (as 0x00BBGGRR), the nearest edge pixel off the image.
  EXPECT_EQ(MarkedColour(image, {Shape(Tool::kRectangle, {0, 0}, {9, 9}, 2)}, -5, 4), kRed);
  const std::uint32_t corner = original.at(299, 199);
  EXPECT_EQ(MarkedColour(image, {}, 400, 300),
            (corner & 0xFF00) | ((corner >> 16) & 0xFF) | ((corner & 0xFF) << 16));
}

// A capture screen with the selection (100, 100)-(300, 200) and its mark-up.
struct Marking {
  Marking() : marking(screen, 1280, 800) { Drag(100, 100, 300, 200); }
  void Drag(int x0, int y0, int x1, int y1) {
    marking.Press(MouseButton::kLeft, x0, y0);
    marking.Move((x0 + x1) / 2, (y0 + y1) / 2, true, 0);
    marking.Move(x1, y1, true, 0);
    end = marking.Release(MouseButton::kLeft, x1, y1);
  }
  CaptureEnd Click(int item) {
    const RectI bar = marking.bar_rect();
    const RectI r = marking.bar_metrics().items[item];
    const int x = bar.left + (r.left + r.right) / 2, y = bar.top + (r.top + r.bottom) / 2;
    marking.Move(x, y, false, 0);
    marking.Press(MouseButton::kLeft, x, y);
    return marking.Release(MouseButton::kLeft, x, y);
  }
  CaptureScreen screen{1280, 800};
  MarkingScreen marking;
  CaptureEnd end = CaptureEnd::kNone;
};

TEST(MarkingScreen, RowShowsWithTheToolbarAndChoosesToolColourAndWidth) {
  CaptureScreen idle(1280, 800);
  MarkingScreen none(idle, 1280, 800);
  EXPECT_FALSE(none.bar_visible());

  Marking m;
  ASSERT_TRUE(m.marking.bar_visible());
  // Wider than this selection, the row stops at the screen's left edge.
  EXPECT_EQ(m.marking.bar_rect().left, 0);
  m.Drag(600, 300, 900, 400);
  const RectI bar = m.marking.bar_rect(), tools = m.screen.toolbar_rect();
  EXPECT_EQ(bar.right, tools.right);
  EXPECT_EQ(bar.top, tools.bottom + 2);
  EXPECT_EQ(m.marking.tool(), Tool::kNone);

  EXPECT_EQ(m.Click(kFirstTool + 3), CaptureEnd::kNone);
  EXPECT_EQ(m.marking.tool(), Tool::kPen);
  EXPECT_EQ(m.marking.cursor(), Cursor::kArrow);  // over the row
  m.Click(kFirstColour + 3);
  m.Click(kFirstWidth + 2);
  EXPECT_EQ(m.marking.colour(), kMarkColours[3]);
  EXPECT_EQ(m.marking.text_height(), 30);
  m.Click(kFirstTool + 3);  // the same tool again puts it away
  EXPECT_EQ(m.marking.tool(), Tool::kNone);

  // Near the screen's bottom the row goes above the toolbar.
  Marking low;
  low.Drag(500, 700, 600, 770);
  EXPECT_EQ(low.marking.bar_rect().bottom, low.screen.toolbar_rect().top - 2);
}

TEST(MarkingScreen, ToolDrawsInsideTheSelectionAndTheSelectionMovesWithoutTheMarks) {
  Marking m;
  m.Click(kFirstTool);  // rectangle
  m.Drag(120, 110, 160, 140);
  EXPECT_EQ(m.screen.Region(), (RectI{100, 100, 300, 200}));  // not moved
  ASSERT_EQ(m.marking.markup().strokes().size(), 1u);
  EXPECT_EQ(m.marking.TakeMarksChanged(), (RectI{120, 110, 161, 141}));
  EXPECT_EQ(m.marking.TakeMarksChanged(), RectI{});
  const Stroke drawn = m.marking.markup().strokes()[0];
  EXPECT_EQ(drawn.points, (std::vector<PointI>{{120, 110}, {160, 140}}));
  EXPECT_EQ(drawn.width, 2);
  EXPECT_EQ(drawn.colour, kRed);

  // Ctrl+Z and Ctrl+Y undo and redo it.
  m.marking.KeyPress(kKeyCtrlZ);
  EXPECT_TRUE(m.marking.markup().strokes().empty());
  EXPECT_EQ(m.marking.TakeMarksChanged(), (RectI{120, 110, 161, 141}));
  m.marking.KeyPress(kKeyCtrlY);
  EXPECT_EQ(m.marking.TakeMarksChanged(), (RectI{120, 110, 161, 141}));
  EXPECT_EQ(m.marking.markup().strokes().size(), 1u);

  // With the tool put away a drag moves the selection; the mark stays on the image, and so
  // does a resize.
  m.Click(kFirstTool);
  m.Drag(200, 150, 250, 170);
  EXPECT_EQ(m.screen.Region(), (RectI{150, 120, 350, 220}));
  EXPECT_EQ(m.marking.markup().strokes()[0].points, drawn.points);
  EXPECT_EQ(m.marking.TakeMarksChanged(), RectI{});

  Image screen(1280, 800);
  for (const Stroke& s : m.marking.markup().strokes()) Rasterise(s, screen.view);
  EXPECT_EQ(screen.at(120, 110), kRedDib);  // now outside the selection, still marked
  EXPECT_EQ(screen.at(160, 140), kRedDib);  // inside it, where it was drawn

  // Outside the selection a press with a tool starts a new selection as before.
  m.Click(kFirstTool + 1);
  m.Drag(600, 500, 700, 560);
  EXPECT_EQ(m.screen.Region(), (RectI{600, 500, 700, 560}));
  EXPECT_EQ(m.marking.markup().strokes().size(), 1u);
}

TEST(MarkingScreen, TextPinDoubleClickAndTheDocumentedKeys) {
  Marking m;
  EXPECT_EQ(m.marking.KeyDown(kKeyF3), CaptureEnd::kPin);
  EXPECT_EQ(m.Click(kPinItem), CaptureEnd::kPin);
  EXPECT_EQ(m.marking.KeyPress(27), CaptureEnd::kEscape);

  m.Click(kFirstTool + 4);  // text
  m.marking.Press(MouseButton::kLeft, 150, 150);
  EXPECT_EQ(m.marking.Release(MouseButton::kLeft, 150, 150), CaptureEnd::kNone);
  EXPECT_EQ(m.marking.TakeTextRequest(), (PointI{150, 150}));
  EXPECT_FALSE(m.marking.TakeTextRequest());
  m.marking.AddText({150, 150}, {u"", 0, 0, {}});  // nothing typed, nothing kept
  EXPECT_EQ(m.marking.TakeMarksChanged(), RectI{});
  m.marking.AddText({150, 150}, {u"好", 1, 1, {255}});
  EXPECT_EQ(m.marking.TakeMarksChanged(), (RectI{150, 150, 151, 151}));
  EXPECT_EQ(m.marking.markup().strokes()[0].tool, Tool::kText);

  // A double-click inside the selection still copies while a tool is chosen.
  m.marking.Press(MouseButton::kLeft, 200, 150);
  m.marking.Release(MouseButton::kLeft, 200, 150);
  EXPECT_EQ(m.marking.DoubleClick(200, 150), CaptureEnd::kDoubleClickCopy);

  // An empty selection has nothing to pin.
  Marking empty;
  empty.Drag(400, 400, 400, 400);
  EXPECT_EQ(empty.marking.KeyDown(kKeyF3), CaptureEnd::kNone);
}

}  // namespace
}  // namespace shot
