// Marks drawn on the frozen screen: the stroke list with undo and redo, and how strokes are
// rasterised into 32-bit pixels. Marks are kept in image coordinates, so they stay where they
// are on the image whatever the selection does afterwards.
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

// The strokes of one capture. A stroke being drawn is `current` until it is committed; undo and
// redo move whole committed strokes.
class Markup {
 public:
  void Begin(Tool tool, std::uint32_t colour, int width, PointI at);
  // Shapes, arrow and mosaic: the second point follows the pointer; the pen adds a point.
  void Extend(PointI at);
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

 private:
  std::vector<Stroke> done_;
  std::vector<Stroke> undone_;
  std::optional<Stroke> current_;
};

// The committed strokes drawn into the image itself, so that whatever reads the image (the
// display, a copy, a save, a pin) reads the marks. The original pixels under the marks are kept
// aside, in tiles of 64 x 64 and only the tiles a stroke can change (a rectangle's outline keeps
// its sides, not its inside): a redraw puts them back and draws the strokes again.
class MarkedImage {
 public:
  explicit MarkedImage(MarkView image);
  // Draws `strokes` in place of what was drawn before; returns the pixels that may have changed.
  RectI Redraw(const std::vector<Stroke>& strokes);
  std::size_t kept_pixels() const { return kept_pixels_; }

 private:
  static constexpr int kTile = 64;
  RectI TileRect(int column, int row) const;
  static bool Touches(const Stroke& stroke, const RectI& tile);

  MarkView image_;
  int columns_;
  int rows_;
  std::vector<std::vector<std::uint32_t>> tiles_;  // original pixels, row by row; empty: not kept
  RectI kept_;                                     // every kept tile lies inside
  std::size_t kept_pixels_ = 0;
};

}  // namespace shot
