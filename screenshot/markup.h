// Marks drawn on the frozen screen: the stroke list with undo and redo, and how strokes are
// rasterised into 32-bit pixels. Marks are kept in image coordinates, so they stay where they
// are on the image whatever the selection does afterwards. The frozen image itself stays as it
// was captured until the capture ends: whatever shows it draws the marks over the part it shows,
// so that undo needs no pixels kept, however large the marks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "screenshot/geometry.h"

namespace shot {

enum class Tool { kNone, kRectangle, kEllipse, kArrow, kPen, kText, kMosaic };

// A text mark's picture: one coverage byte (0 transparent .. 255 opaque) a pixel, row by row.
struct TextMask {
  std::u16string text;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;
};

struct Stroke {
  Tool tool = Tool::kNone;
  std::uint32_t colour = 0;  // 0x00BBGGRR
  int width = 1;             // line width in pixels; a mosaic's cells are kMosaicCell x wider
  // Rectangle, ellipse, mosaic: two opposite corners, both inside the shape. Arrow: tail, then
  // head. Pen: the path. Text: the top-left corner of the mask.
  std::vector<PointI> points;
  TextMask text;
};

inline constexpr int kMosaicCell = 4;

// Where a stroke of `tool` from `from` ends when the pointer is at `to` with Shift held: a
// rectangle, an ellipse or a mosaic is a square as large as the longer side, an arrow lies
// along the nearest multiple of 45 degrees; the pen and the text are left alone.
PointI Constrained(Tool tool, PointI from, PointI to);

// The pixels a stroke can change, conservatively; empty for a stroke that draws nothing.
RectI StrokeBounds(const Stroke& stroke);

// The union of two rectangles; an empty one adds nothing.
RectI Union(const RectI& a, const RectI& b);

// 32-bit pixels 0x00RRGGBB (a DIB's order) covering `area` of the image: pixel (x, y) of the
// image is at pixels[(y - area.top) * stride + (x - area.left)].
struct MarkView {
  std::uint32_t* pixels = nullptr;
  int stride = 0;
  RectI area;
  std::uint32_t& at(int x, int y) const {
    return pixels[static_cast<std::ptrdiff_t>(y - area.top) * stride + (x - area.left)];
  }
};

// Draws the stroke over the view's pixels (a mosaic reads what is already there).
void Rasterise(const Stroke& stroke, const MarkView& view);

// The image with `strokes` drawn over it, then `extra` (a stroke being drawn; may be null), for
// out.area, which lies inside the image. A part drawn alone has the pixels it has in the whole
// picture: a mosaic's cells at the part's edge read the pixels round it as the strokes before
// the mosaic left them.
void RenderMarked(const PixelView& image, const std::vector<Stroke>& strokes, const Stroke* extra,
                  const MarkView& out);

// The marked image's colour at (x, y) as 0x00BBGGRR; points outside read the nearest edge pixel.
std::uint32_t MarkedColour(const PixelView& image, const std::vector<Stroke>& strokes, int x,
                           int y);

// The strokes of one capture. A stroke being drawn is `current` until it is committed; undo and
// redo move whole committed strokes.
class Markup {
 public:
  void Begin(Tool tool, std::uint32_t colour, int width, PointI at);
  // Shapes, arrow and mosaic: the second point follows the pointer; the pen adds a point. With
  // `constrained` (Shift held) the second point is Constrained.
  void Extend(PointI at, bool constrained = false);
  // Keeps the current stroke when it draws something; a new stroke clears what could be redone.
  // True when a stroke was kept.
  bool Commit();
  void Cancel() { current_.reset(); }
  // A finished stroke (a text) goes straight to the list.
  void Add(Stroke stroke);
  bool Undo();
  bool Redo();

  const std::vector<Stroke>& strokes() const { return done_; }
  const std::optional<Stroke>& current() const { return current_; }
  bool can_undo() const { return !done_.empty(); }
  bool can_redo() const { return !undone_.empty(); }
  // The pixels whose marked look changed since the last call (strokes committed, undone or
  // redone); empty when none did.
  RectI TakeChanged();

 private:
  std::vector<Stroke> done_;
  std::vector<Stroke> undone_;
  std::optional<Stroke> current_;
  RectI changed_;
};

}  // namespace shot
