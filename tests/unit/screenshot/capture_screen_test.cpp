// The capture screen's selection: drawing, moving, handles, toolbar and the ways a capture ends.
#include "screenshot/capture_screen.h"

#include <gtest/gtest.h>

namespace shot {
namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 800;
constexpr std::uint32_t kWhite = 0xFFFFFF;

void Drag(CaptureScreen& s, int x0, int y0, int x1, int y1) {
  s.Press(MouseButton::kLeft, x0, y0);
  s.Move(x1, y1, true, kWhite);
  s.Release(MouseButton::kLeft, x1, y1);
}

// A capture screen with the selection (100, 100)-(160, 140) drawn.
CaptureScreen Selected() {
  CaptureScreen s(kScreenW, kScreenH);
  Drag(s, 100, 100, 160, 140);
  return s;
}

PointF HandleCentre(const CaptureScreen& s, int i) {
  RectF h = s.handles()[i];
  return {h.left + h.width / 2, h.top + h.height / 2};
}

TEST(CaptureScreen, StartsIdleWithEverythingHidden) {
  CaptureScreen s(kScreenW, kScreenH);
  EXPECT_EQ(s.mode(), Mode::kDraw);
  EXPECT_EQ(s.resize_flag(), ResizeFlag::kEmpty);
  EXPECT_FALSE(s.frame_visible());
  EXPECT_FALSE(s.label_visible());
  EXPECT_FALSE(s.handles_visible());
  EXPECT_FALSE(s.toolbar_visible());
  EXPECT_EQ(s.toolbar_position().y, -26);  // parked above the top edge
  EXPECT_EQ(s.cursor(), Cursor::kCross);
}

struct DrawCase {
  const char* direction;
  int x, y;
  RectF frame;
};

TEST(CaptureScreen, DrawsTheSameRectangleInAllFourDirections) {
  const DrawCase cases[] = {
      {"down-right", 150, 130, {100, 100, 50, 30}},
      {"down-left", 60, 130, {60, 100, 40, 30}},
      {"up-right", 150, 70, {100, 70, 50, 30}},
      {"up-left", 60, 70, {60, 70, 40, 30}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.direction);
    CaptureScreen s(kScreenW, kScreenH);
    s.Press(MouseButton::kLeft, 100, 100);
    EXPECT_TRUE(s.frame_visible());
    EXPECT_EQ(s.anchor(), (PointF{100, 100}));
    s.Move(c.x, c.y, true, kWhite);
    EXPECT_EQ(s.frame(), c.frame);
    EXPECT_TRUE(s.frame_visible());
    EXPECT_TRUE(s.label_visible());
    EXPECT_TRUE(s.handles_visible());
    EXPECT_FALSE(s.toolbar_visible());
    EXPECT_EQ(s.label_position(), (PointF{c.frame.left + 2, c.frame.top + 2}));
    s.Release(MouseButton::kLeft, c.x, c.y);
    EXPECT_EQ(s.mode(), Mode::kMove);
    EXPECT_EQ(s.anchor(), (PointF{c.frame.left, c.frame.top}));
    EXPECT_TRUE(s.toolbar_visible());
  }
}

TEST(CaptureScreen, SizeLabelShowsWidthByHeight) {
  CaptureScreen s(kScreenW, kScreenH);
  s.Press(MouseButton::kLeft, 10, 20);
  s.Move(330, 220, true, kWhite);
  EXPECT_EQ(s.label_text(), u"320x200");
  EXPECT_EQ(SizeLabelText(2.5f, 40), u"2.5x40");
}

TEST(CaptureScreen, PointerOnTheAnchorsLineLeavesTheFrame) {
  CaptureScreen s(kScreenW, kScreenH);
  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(150, 130, true, kWhite);
  s.Move(100, 160, true, kWhite);  // x equals the anchor's x
  EXPECT_EQ(s.frame(), (RectF{100, 100, 50, 30}));
  s.Move(170, 100, true, kWhite);  // y equals the anchor's y
  EXPECT_EQ(s.frame(), (RectF{100, 100, 50, 30}));
}

TEST(CaptureScreen, ClickWithoutDragGivesAnEmptySelectionWithItsToolbar) {
  CaptureScreen s(kScreenW, kScreenH);
  s.Press(MouseButton::kLeft, 300, 200);
  s.Release(MouseButton::kLeft, 300, 200);
  EXPECT_EQ(s.mode(), Mode::kMove);
  EXPECT_EQ(s.frame(), (RectF{300, 200, 0, 0}));
  EXPECT_TRUE(s.toolbar_visible());
  EXPECT_EQ(s.toolbar_rect(), (RectI{95, 204, 300, 230}));  // right edge at the press point
}

TEST(CaptureScreen, OnlyTheLeftButtonFinishesADrawing) {
  CaptureScreen s(kScreenW, kScreenH);
  s.Press(MouseButton::kRight, 100, 100);
  s.Move(150, 130, false, kWhite);
  s.Release(MouseButton::kRight, 150, 130);
  EXPECT_EQ(s.mode(), Mode::kDraw);
  EXPECT_FALSE(s.toolbar_visible());
}

TEST(CaptureScreen, HandlesSitOnTheOutlineWithTheirCursors) {
  CaptureScreen s = Selected();
  struct Row {
    PointF centre;
    Cursor cursor;
  };
  const Row rows[kHandleCount] = {
      {{100, 100}, Cursor::kSizeNwse}, {{130, 100}, Cursor::kSizeNs},
      {{0, 100}, Cursor::kSizeNesw},   {{100, 120}, Cursor::kSizeWe},
      {{100, 140}, Cursor::kSizeNesw}, {{130, 140}, Cursor::kSizeNs},
      {{160, 140}, Cursor::kSizeNwse}, {{160, 120}, Cursor::kSizeWe},
  };
  ASSERT_TRUE(s.handles_visible());
  for (int i = 0; i < kHandleCount; ++i) {
    SCOPED_TRACE(i);
    RectF h = s.handles()[i];
    EXPECT_EQ(h.width, 8);
    EXPECT_EQ(h.height, 8);
    EXPECT_EQ(h.top, rows[i].centre.y - 4);
    if (i == 2) {
      EXPECT_FLOAT_EQ(h.left, 160 - 16.0f / 3);  // two-thirds of its width left of the edge
    } else {
      EXPECT_EQ(h.left, rows[i].centre.x - 4);
    }
    EXPECT_EQ(HandleCursor(i), rows[i].cursor);
    PointF c = HandleCentre(s, i);
    s.Move(RoundPixel(c.x), RoundPixel(c.y), false, kWhite);
    EXPECT_EQ(s.cursor(), rows[i].cursor);
  }
}

struct ResizeCase {
  int handle;
  int x, y;  // where the pointer goes
  RectF frame;
};

TEST(CaptureScreen, HandlesResizeFromTheSavedEdges) {
  // Saved edges 100, 100, 160, 140; handles are 8 x 8 at 96 dpi, so w/2 = h/2 = 4.
  const ResizeCase cases[] = {
      {0, 90, 80, {94, 84, 70, 60}},     {1, 130, 80, {100, 84, 60, 60}},
      {2, 180, 80, {100, 84, 84, 60}},   {3, 90, 120, {94, 100, 70, 40}},
      {4, 90, 150, {94, 100, 70, 50}},   {5, 130, 150, {100, 100, 60, 50}},
      {6, 180, 150, {100, 100, 80, 50}}, {7, 180, 120, {100, 100, 80, 40}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.handle);
    CaptureScreen s = Selected();
    PointF centre = HandleCentre(s, c.handle);
    s.Press(MouseButton::kLeft, RoundPixel(centre.x), RoundPixel(centre.y));
    EXPECT_EQ(s.resize_flag(), ResizeFlag::kStart);
    EXPECT_EQ(s.saved_edges(), (EdgesF{100, 100, 160, 140}));
    EXPECT_FALSE(s.toolbar_visible());
    s.Move(c.x, c.y, true, kWhite);
    EXPECT_EQ(s.frame(), c.frame);
    EXPECT_EQ(s.anchor(), (PointF{c.frame.left, c.frame.top}));
    EXPECT_EQ(s.label_text(), SizeLabelText(c.frame.width, c.frame.height));
    EXPECT_EQ(s.label_position(), (PointF{c.frame.left + 2, c.frame.top + 2}));
    EXPECT_EQ(s.handles()[5].top, c.frame.bottom() - 4);  // handles follow the frame
    s.Release(MouseButton::kLeft, c.x, c.y);
    EXPECT_EQ(s.resize_flag(), ResizeFlag::kStop);
    EXPECT_TRUE(s.toolbar_visible());
    EXPECT_EQ(s.toolbar_position().y, c.frame.bottom() + 4);
  }
}

TEST(CaptureScreen, DragPastTheOppositeEdgeKeepsTheLastValidBounds) {
  CaptureScreen s = Selected();
  PointF c = HandleCentre(s, 6);
  s.Press(MouseButton::kLeft, RoundPixel(c.x), RoundPixel(c.y));
  s.Move(130, 130, true, kWhite);
  EXPECT_EQ(s.frame(), (RectF{100, 100, 30, 30}));
  s.Move(90, 130, true, kWhite);  // left of the saved left edge
  EXPECT_EQ(s.frame(), (RectF{100, 100, 30, 30}));
  s.Move(120, 150, true, kWhite);  // the drag goes on
  EXPECT_EQ(s.frame(), (RectF{100, 100, 20, 50}));
}

TEST(CaptureScreen, HandlesCanBeCaughtJustOutsideTheirSquare) {
  // Handle 6 covers (156, 136)-(164, 144); three more pixels round it still catch it.
  struct Row {
    int x, y;
    bool caught;
  };
  const Row rows[] = {{166, 143, true}, {153, 133, true}, {168, 140, false}, {152, 140, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
    CaptureScreen s = Selected();
    EXPECT_EQ(s.HandleAt(r.x, r.y).has_value(), r.caught);
    s.Press(MouseButton::kLeft, r.x, r.y);
    EXPECT_EQ(s.resize_flag() == ResizeFlag::kStart, r.caught);
  }
}

TEST(CaptureScreen, HandleDoesNotResizeWithoutAPressOnIt) {
  CaptureScreen s = Selected();
  PointF c = HandleCentre(s, 6);
  s.Move(RoundPixel(c.x), RoundPixel(c.y), false, kWhite);
  EXPECT_EQ(s.frame(), (RectF{100, 100, 60, 40}));
  EXPECT_EQ(s.resize_flag(), ResizeFlag::kEmpty);
}

TEST(CaptureScreen, PressOnAHandleWhileDrawingDoesNothing) {
  CaptureScreen s(kScreenW, kScreenH);
  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(160, 140, true, kWhite);
  s.Press(MouseButton::kRight, 160, 140);  // on handle 6 of the frame being drawn
  EXPECT_EQ(s.resize_flag(), ResizeFlag::kEmpty);
  s.Release(MouseButton::kRight, 160, 140);
  EXPECT_EQ(s.mode(), Mode::kDraw);
}

struct MoveCase {
  const char* name;
  int x, y;  // pointer after pressing at (120, 120)
  PointF left_top;
};

TEST(CaptureScreen, MovingIsClampedToTheScreen) {
  const MoveCase cases[] = {
      {"free", 50, 60, {30, 40}},
      {"top-left corner", 0, 0, {0, 0}},
      {"bottom-right corner", 1270, 790, {1220, 760}},
      {"left edge only", 10, 300, {0, 280}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CaptureScreen s = Selected();
    s.Press(MouseButton::kLeft, 120, 120);
    EXPECT_EQ(s.press_point(), (PointF{120, 120}));
    EXPECT_EQ(s.selection(), (RectI{100, 100, 160, 140}));
    s.Move(c.x, c.y, true, kWhite);
    EXPECT_EQ(s.cursor(), Cursor::kSizeAll);
    EXPECT_EQ(s.frame(), (RectF{c.left_top.x, c.left_top.y, 60, 40}));
    EXPECT_EQ(s.label_position(), (PointF{c.left_top.x + 2, c.left_top.y + 2}));
    EXPECT_EQ(s.anchor(), (PointF{100, 100}));  // saved only on release
    s.Release(MouseButton::kLeft, c.x, c.y);
    EXPECT_EQ(s.anchor(), c.left_top);
  }
}

struct ToolbarCase {
  const char* name;
  int x0, y0, x1, y1;  // the drawn selection
  RectI toolbar;
};

TEST(CaptureScreen, ToolbarGoesBelowOrInsideTheSelection) {
  const ToolbarCase cases[] = {
      {"below", 100, 100, 400, 300, {195, 304, 400, 330}},
      {"exactly fits below", 100, 600, 400, 770, {195, 774, 400, 800}},
      {"inside near the bottom", 100, 600, 400, 780, {195, 750, 400, 776}},
      {"flush with the bottom", 100, 600, 400, 800, {195, 770, 400, 796}},
      {"narrow near the left edge", 10, 100, 60, 150, {0, 154, 205, 180}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CaptureScreen s(kScreenW, kScreenH);
    Drag(s, c.x0, c.y0, c.x1, c.y1);
    EXPECT_TRUE(s.toolbar_visible());
    EXPECT_EQ(s.toolbar_rect(), c.toolbar);
  }
}

TEST(CaptureScreen, ToolbarAndHandlesGrowWithTheDisplayDensity) {
  ToolbarMetrics normal(96), doubled(192);
  EXPECT_EQ(normal.width, 205);
  EXPECT_EQ(normal.height, 26);
  EXPECT_EQ(doubled.width, 410);
  EXPECT_EQ(doubled.height, 52);
  for (int i = 0; i < kToolbarIconCount; ++i) {
    EXPECT_EQ(normal.icons[i].width(), 16);
    EXPECT_EQ(normal.hover_boxes[i].width(), 20);
    EXPECT_EQ(doubled.icons[i].width(), 32);
    EXPECT_LE(normal.hover_boxes[i].right, normal.width);
  }
  CaptureScreen s(kScreenW, kScreenH, 192);
  Drag(s, 500, 100, 900, 300);
  EXPECT_EQ(s.toolbar_rect(), (RectI{490, 304, 900, 356}));
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    CaptureScreen at(kScreenW, kScreenH, dpi);
    Drag(at, 100, 100, 300, 300);
    EXPECT_GE(at.handle_size(), 7.0f * static_cast<float>(dpi) / 96);
    EXPECT_EQ(at.handles()[6].width, at.handle_size());
    EXPECT_EQ(HandleCentre(at, 6), (PointF{300, 300}));  // centred on its corner at any size
  }
}

TEST(CaptureScreen, PressOutsideStartsANewSelection) {
  CaptureScreen s = Selected();
  s.Press(MouseButton::kLeft, 400, 300);
  EXPECT_EQ(s.mode(), Mode::kDraw);
  EXPECT_EQ(s.anchor(), (PointF{400, 300}));
  EXPECT_EQ(s.frame(), (RectF{400, 300, 0, 0}));
  EXPECT_FALSE(s.frame_visible());
  EXPECT_FALSE(s.label_visible());
  EXPECT_FALSE(s.handles_visible());
  EXPECT_FALSE(s.toolbar_visible());
  EXPECT_EQ(s.cursor(), Cursor::kArrow);
  s.Move(450, 350, true, kWhite);
  EXPECT_EQ(s.frame(), (RectF{400, 300, 50, 50}));
}

TEST(CaptureScreen, InsideTestIncludesLeftAndTopEdgesOnly) {
  struct Row {
    int x, y;
    Mode mode_after;
  };
  const Row rows[] = {{100, 100, Mode::kMove},
                      {159, 139, Mode::kMove},
                      {160, 110, Mode::kDraw},
                      {120, 140, Mode::kDraw},
                      {99, 110, Mode::kDraw}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
    CaptureScreen s = Selected();
    s.Press(MouseButton::kLeft, r.x, r.y);
    EXPECT_EQ(s.mode(), r.mode_after);
  }
}

TEST(CaptureScreen, StateTableTransitions) {
  struct Row {
    const char* state;
    Mode mode;
    ResizeFlag flag;
    bool frame, handles, toolbar;
  };
  CaptureScreen s(kScreenW, kScreenH);
  auto expect = [&](const Row& r) {
    SCOPED_TRACE(r.state);
    EXPECT_EQ(s.mode(), r.mode);
    EXPECT_EQ(s.resize_flag(), r.flag);
    EXPECT_EQ(s.frame_visible(), r.frame);
    EXPECT_EQ(s.handles_visible(), r.handles);
    EXPECT_EQ(s.toolbar_visible(), r.toolbar);
  };
  expect({"idle", Mode::kDraw, ResizeFlag::kEmpty, false, false, false});
  s.Press(MouseButton::kLeft, 100, 100);
  s.Move(200, 200, true, kWhite);
  expect({"drawing", Mode::kDraw, ResizeFlag::kEmpty, true, true, false});
  s.Release(MouseButton::kLeft, 200, 200);
  expect({"selected", Mode::kMove, ResizeFlag::kEmpty, true, true, true});
  s.Press(MouseButton::kLeft, 150, 150);
  s.Move(160, 160, true, kWhite);
  expect({"moving", Mode::kMove, ResizeFlag::kEmpty, true, true, false});
  EXPECT_EQ(s.frame(), (RectF{110, 110, 100, 100}));
  s.Release(MouseButton::kLeft, 160, 160);
  expect({"selected after move", Mode::kMove, ResizeFlag::kEmpty, true, true, true});
  s.Press(MouseButton::kLeft, 210, 210);  // handle 6
  expect({"resizing", Mode::kMove, ResizeFlag::kStart, true, true, false});
  s.Move(230, 240, true, kWhite);
  s.Release(MouseButton::kLeft, 230, 240);
  expect({"selected after resize", Mode::kMove, ResizeFlag::kStop, true, true, true});
  EXPECT_EQ(s.frame(), (RectF{110, 110, 120, 130}));
  s.Press(MouseButton::kLeft, 500, 500);
  s.Move(520, 530, true, kWhite);
  expect({"drawing again", Mode::kDraw, ResizeFlag::kStop, true, true, false});
}

TEST(CaptureScreen, DoubleClickInsideCopiesAndElsewhereDoesNothing) {
  CaptureScreen inside = Selected();
  inside.Press(MouseButton::kLeft, 130, 120);
  inside.Release(MouseButton::kLeft, 130, 120);
  EXPECT_EQ(inside.DoubleClick(130, 120), CaptureEnd::kDoubleClickCopy);
  EXPECT_EQ(inside.Region(), (RectI{100, 100, 160, 140}));

  CaptureScreen outside = Selected();
  outside.Press(MouseButton::kLeft, 130, 120);
  outside.Release(MouseButton::kLeft, 130, 120);
  outside.Press(MouseButton::kLeft, 300, 300);
  outside.Release(MouseButton::kLeft, 300, 300);
  EXPECT_EQ(outside.DoubleClick(300, 300), CaptureEnd::kNone);

  CaptureScreen fresh(kScreenW, kScreenH);
  fresh.Press(MouseButton::kLeft, 10, 10);
  fresh.Release(MouseButton::kLeft, 10, 10);
  EXPECT_EQ(fresh.DoubleClick(10, 10), CaptureEnd::kNone);
}

TEST(CaptureScreen, EscapeEndsTheCaptureAndOtherKeysDoNot) {
  CaptureScreen s = Selected();
  EXPECT_EQ(s.KeyPress(kKeyEscape), CaptureEnd::kEscape);
  EXPECT_EQ(s.KeyPress('a'), CaptureEnd::kNone);
  EXPECT_EQ(s.KeyPress(13), CaptureEnd::kNone);
}

TEST(CaptureScreen, ToolbarIconsHoverAndEndTheCapture) {
  const CaptureEnd ends[kToolbarIconCount] = {CaptureEnd::kUndo, CaptureEnd::kCopy,
                                              CaptureEnd::kSave, CaptureEnd::kExit};
  for (int i = 0; i < kToolbarIconCount; ++i) {
    SCOPED_TRACE(i);
    CaptureScreen s = Selected();
    RectI bar = s.toolbar_rect();
    RectI icon = s.toolbar_metrics().icons[i];
    int x = bar.left + icon.left + 8, y = bar.top + icon.top + 8;
    s.Move(x, y, false, kWhite);
    EXPECT_EQ(s.hover_box(), i);
    EXPECT_EQ(s.cursor(), Cursor::kArrow);
    EXPECT_EQ(s.ToolbarIconAt(x, y), i);
    s.Press(MouseButton::kLeft, x, y);
    EXPECT_TRUE(s.toolbar_visible());  // a press on the toolbar is not a press on the window
    EXPECT_EQ(s.Release(MouseButton::kLeft, x, y), ends[i]);
  }
}

TEST(CaptureScreen, ToolbarBackgroundAndLeavingHideTheHoverBoxes) {
  CaptureScreen s = Selected();
  RectI bar = s.toolbar_rect();
  RectI icon = s.toolbar_metrics().icons[1];
  s.Move(bar.left + icon.left + 1, bar.top + icon.top + 1, false, kWhite);
  ASSERT_EQ(s.hover_box(), 1);
  s.Move(bar.left + 2, bar.top + 2, false, kWhite);  // the readout's end of the toolbar
  EXPECT_FALSE(s.hover_box().has_value());
  s.Move(bar.left + icon.left + 1, bar.top + icon.top + 1, false, kWhite);
  s.Move(bar.right + 20, bar.top + 5, false, kWhite);
  EXPECT_FALSE(s.hover_box().has_value());
  EXPECT_EQ(s.cursor(), Cursor::kCross);
}

TEST(CaptureScreen, ToolbarClickNeedsALeftPressAndReleaseOnTheSameIcon) {
  CaptureScreen s = Selected();
  RectI bar = s.toolbar_rect();
  const auto& icons = s.toolbar_metrics().icons;
  int y = bar.top + icons[0].top + 8;
  s.Press(MouseButton::kLeft, bar.left + icons[0].left + 8, y);
  EXPECT_EQ(s.Release(MouseButton::kLeft, bar.left + icons[3].left + 8, y), CaptureEnd::kNone);
  s.Press(MouseButton::kRight, bar.left + icons[3].left + 8, y);
  EXPECT_EQ(s.Release(MouseButton::kRight, bar.left + icons[3].left + 8, y), CaptureEnd::kNone);
  // Two quick clicks on an icon: the second press arrives as a double-click.
  s.Press(MouseButton::kLeft, bar.left + icons[1].left + 8, y);
  s.Release(MouseButton::kLeft, bar.left + icons[3].left + 8, y);
  EXPECT_EQ(s.DoubleClick(bar.left + icons[1].left + 8, y), CaptureEnd::kNone);
  EXPECT_EQ(s.Release(MouseButton::kLeft, bar.left + icons[1].left + 8, y), CaptureEnd::kCopy);
}

TEST(CaptureScreen, ColourReadoutShowsRedGreenBlue) {
  struct Row {
    std::uint32_t colour;
    const char16_t* text;
  };
  const Row rows[] = {{0xFFFFFF, u"(255,255,255)"},
                      {0x0000FF, u"(255,0,0)"},
                      {0x030201, u"(1,2,3)"},
                      {0x000000, u"(0,0,0)"}};
  for (const auto& r : rows) {
    EXPECT_EQ(ColourReadout(r.colour), r.text);
    CaptureScreen s(kScreenW, kScreenH);
    s.Move(5, 5, false, r.colour);
    EXPECT_EQ(s.colour_readout(), r.text);
  }
}

TEST(CaptureScreen, HideOverlaysBeforeACopy) {
  CaptureScreen s = Selected();
  s.HideOverlays();
  EXPECT_FALSE(s.toolbar_visible());
  EXPECT_FALSE(s.frame_visible());
  EXPECT_FALSE(s.label_visible());
  EXPECT_FALSE(s.handles_visible());
  EXPECT_EQ(s.Region(), (RectI{100, 100, 160, 140}));
}

TEST(CaptureScreen, RegionFollowsTheResizedFrame) {
  CaptureScreen s = Selected();
  PointF c = HandleCentre(s, 2);
  s.Press(MouseButton::kLeft, RoundPixel(c.x), RoundPixel(c.y));
  s.Move(171, 90, true, kWhite);
  EXPECT_EQ(s.frame(), (RectF{100, 94, 75, 50}));
  EXPECT_EQ(s.Region(), (RectI{100, 94, 175, 144}));
}

}  // namespace
}  // namespace shot
