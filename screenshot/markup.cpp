// The stroke list and the rasteriser of the marks.
#include "screenshot/markup.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "screenshot/snap.h"

namespace shot {
namespace {

bool Empty(const RectI& r) { return r.right <= r.left || r.bottom <= r.top; }

// Two corners as inclusive pixel bounds, returned as a RectI with exclusive right and bottom.
RectI Corners(const Stroke& s) {
  const PointI a = s.points[0], b = s.points[1];
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

RectI Inflate(const RectI& r, int by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

RectI PointsBounds(const std::vector<PointI>& points) {
  RectI r{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
  for (const PointI& p : points) r = Union(r, {p.x, p.y, p.x + 1, p.y + 1});
  return r;
}

std::uint32_t DibColour(std::uint32_t bgr) {
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

void Blend(std::uint32_t& dst, std::uint32_t src, int coverage) {
  if (coverage <= 0) return;
  if (coverage >= 255) {
    dst = src;
    return;
  }
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int d = static_cast<int>((dst >> shift) & 0xFF);
    const int s = static_cast<int>((src >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(d + ((s - d) * coverage + 127) / 255) << shift;
  }
  dst = out;
}

int Coverage(float c) { return static_cast<int>(std::clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f); }

// Per-pixel coverage of one stroke over an area, taken as the maximum of its parts so that
// overlapping parts (the pen's segments, the arrow's head) never darken twice.
class CoverageMap {
 public:
  explicit CoverageMap(const RectI& area)
      : area_(area), cover_(static_cast<std::size_t>(area.width()) * area.height(), 0) {}
  template <typename F>
  void Add(const RectI& part, F coverage_at_centre) {
    const RectI r = Intersect(part, area_);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        std::uint8_t& c =
            cover_[static_cast<std::size_t>(y - area_.top) * area_.width() + (x - area_.left)];
        c = std::max<std::uint8_t>(
            c, static_cast<std::uint8_t>(Coverage(coverage_at_centre(x + 0.5f, y + 0.5f))));
      }
    }
  }
  void Paint(const MarkView& view, std::uint32_t colour) const {
    for (int y = area_.top; y < area_.bottom; ++y) {
      for (int x = area_.left; x < area_.right; ++x) {
        Blend(view.at(x, y), colour,
              cover_[static_cast<std::size_t>(y - area_.top) * area_.width() + (x - area_.left)]);
      }
    }
  }

 private:
  RectI area_;
  std::vector<std::uint8_t> cover_;
};

struct Vec {
  float x, y;
};

float DistanceToSegment(Vec p, Vec a, Vec b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0f, 1.0f);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

Vec Centre(PointI p) { return {p.x + 0.5f, p.y + 0.5f}; }

// A line of the stroke's width with round ends between two pixel centres.
void AddSegment(CoverageMap& map, Vec a, Vec b, float width) {
  const int reach = static_cast<int>(std::ceil(width / 2)) + 1;
  const RectI box = Inflate({static_cast<int>(std::floor(std::min(a.x, b.x))),
                             static_cast<int>(std::floor(std::min(a.y, b.y))),
                             static_cast<int>(std::floor(std::max(a.x, b.x))) + 1,
                             static_cast<int>(std::floor(std::max(a.y, b.y))) + 1},
                            reach);
  map.Add(box, [=](float x, float y) {
    return width / 2 + 0.5f - DistanceToSegment({x, y}, a, b);
  });
}

// The arrow's head: its length and half its width grow with the line.
float HeadLength(int width) { return 8.0f + 3.0f * static_cast<float>(width); }

void AddArrow(CoverageMap& map, const Stroke& s) {
  const Vec tail = Centre(s.points[0]), tip = Centre(s.points[1]);
  const float len = std::hypot(tip.x - tail.x, tip.y - tail.y);
  if (len == 0) return;
  const Vec dir{(tip.x - tail.x) / len, (tip.y - tail.y) / len};
  const float head = std::min(HeadLength(s.width), len);
  const float half = head * 0.5f;
  const Vec base{tip.x - dir.x * head, tip.y - dir.y * head};
  const Vec c1{base.x - dir.y * half, base.y + dir.x * half};
  const Vec c2{base.x + dir.y * half, base.y - dir.x * half};
  const Vec shaft_end{tip.x - dir.x * head * 0.5f, tip.y - dir.y * head * 0.5f};
  AddSegment(map, tail, shaft_end, static_cast<float>(s.width));
  const Vec tri[3] = {tip, c1, c2};
  // Signed distance to each edge, positive inside, whichever way the corners turn.
  const float turn = (c1.x - tip.x) * (c2.y - tip.y) - (c1.y - tip.y) * (c2.x - tip.x);
  const float sign = turn >= 0 ? 1.0f : -1.0f;
  const int reach = 2;
  const RectI box = Inflate({static_cast<int>(std::floor(std::min({tip.x, c1.x, c2.x}))),
                             static_cast<int>(std::floor(std::min({tip.y, c1.y, c2.y}))),
                             static_cast<int>(std::ceil(std::max({tip.x, c1.x, c2.x}))),
                             static_cast<int>(std::ceil(std::max({tip.y, c1.y, c2.y})))},
                            reach);
  map.Add(box, [&](float x, float y) {
    float inside = 1e9f;
    for (int i = 0; i < 3; ++i) {
      const Vec a = tri[i], b = tri[(i + 1) % 3];
      const float ex = b.x - a.x, ey = b.y - a.y;
      const float el = std::hypot(ex, ey);
      if (el == 0) continue;
      inside = std::min(inside, sign * ((x - a.x) * ey - (y - a.y) * ex) / -el);
    }
    return inside + 0.5f;
  });
}

void AddEllipse(CoverageMap& map, const RectI& box, int width) {
  const float cx = (box.left + box.right) / 2.0f, cy = (box.top + box.bottom) / 2.0f;
  const float w = static_cast<float>(width);
  const float a = std::max(box.width() / 2.0f - w / 2, 0.5f);
  const float b = std::max(box.height() / 2.0f - w / 2, 0.5f);
  map.Add(box, [=](float x, float y) {
    const float dx = x - cx, dy = y - cy;
    const float f = (dx * dx) / (a * a) + (dy * dy) / (b * b);
    const float gx = 2 * dx / (a * a), gy = 2 * dy / (b * b);
    const float grad = std::hypot(gx, gy);
    // Distance to the centre line, to first order; the middle is as far as the shorter axis.
    const float d = grad > 1e-6f ? std::abs(f - 1) / grad : std::min(a, b);
    return w / 2 + 0.5f - d;
  });
}

void PaintRectangle(const MarkView& view, const RectI& box, int width, std::uint32_t colour) {
  const RectI r = Intersect(box, view.area);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (x < box.left + width || x >= box.right - width || y < box.top + width ||
          y >= box.bottom - width) {
        view.at(x, y) = colour;
      }
    }
  }
}

void PaintMosaic(const MarkView& view, const RectI& box, int cell) {
  for (int top = box.top; top < box.bottom; top += cell) {
    for (int left = box.left; left < box.right; left += cell) {
      const RectI c =
          Intersect({left, top, std::min(left + cell, box.right), std::min(top + cell, box.bottom)},
                    view.area);
      if (Empty(c)) continue;
      std::uint64_t sum[3] = {0, 0, 0};
      for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) {
          const std::uint32_t p = view.at(x, y);
          for (int k = 0; k < 3; ++k) sum[k] += (p >> (8 * k)) & 0xFF;
        }
      }
      const std::uint64_t n = static_cast<std::uint64_t>(c.width()) * c.height();
      std::uint32_t mean = 0;
      for (int k = 0; k < 3; ++k)
        mean |= static_cast<std::uint32_t>((sum[k] + n / 2) / n) << (8 * k);
      for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) view.at(x, y) = mean;
      }
    }
  }
}

void PaintText(const MarkView& view, const Stroke& s, std::uint32_t colour) {
  const PointI at = s.points[0];
  const RectI r = Intersect(StrokeBounds(s), view.area);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      Blend(view.at(x, y), colour,
            s.text.coverage[static_cast<std::size_t>(y - at.y) * s.text.width + (x - at.x)]);
    }
  }
}

}  // namespace

RectI Union(const RectI& a, const RectI& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

RectI StrokeBounds(const Stroke& s) {
  if (s.points.empty()) return {};
  switch (s.tool) {
    case Tool::kNone:
      return {};
    case Tool::kRectangle:
    case Tool::kEllipse:
    case Tool::kMosaic:
      return s.points.size() < 2 ? RectI{} : Corners(s);
    case Tool::kArrow:
      if (s.points.size() < 2) return {};
      return Inflate(PointsBounds(s.points),
                     static_cast<int>(std::ceil(HeadLength(s.width))) + s.width + 2);
    case Tool::kPen:
      return Inflate(PointsBounds(s.points), s.width / 2 + 2);
    case Tool::kText: {
      const PointI at = s.points[0];
      if (s.text.width <= 0 || s.text.height <= 0) return {};
      return {at.x, at.y, at.x + s.text.width, at.y + s.text.height};
    }
  }
  return {};
}

void Rasterise(const Stroke& s, const MarkView& view) {
  const RectI bounds = Intersect(StrokeBounds(s), view.area);
  if (Empty(bounds)) return;
  const std::uint32_t colour = DibColour(s.colour);
  switch (s.tool) {
    case Tool::kNone:
      return;
    case Tool::kRectangle:
      PaintRectangle(view, Corners(s), s.width, colour);
      return;
    case Tool::kMosaic:
      PaintMosaic(view, Corners(s), kMosaicCell * s.width);
      return;
    case Tool::kText:
      PaintText(view, s, colour);
      return;
    case Tool::kEllipse:
    case Tool::kArrow:
    case Tool::kPen:
      break;
  }
  CoverageMap map(bounds);
  if (s.tool == Tool::kEllipse) {
    AddEllipse(map, Corners(s), s.width);
  } else if (s.tool == Tool::kArrow) {
    AddArrow(map, s);
  } else {
    for (std::size_t i = 0; i < s.points.size(); ++i) {
      AddSegment(map, Centre(s.points[i == 0 ? 0 : i - 1]), Centre(s.points[i]),
                 static_cast<float>(s.width));
    }
  }
  map.Paint(view, colour);
}

void Markup::Begin(Tool tool, std::uint32_t colour, int width, PointI at) {
  current_ = Stroke{tool, colour, width, {at}, {}};
  if (tool != Tool::kPen) current_->points.push_back(at);
}

PointI Constrained(Tool tool, PointI from, PointI to) {
  const int dx = to.x - from.x, dy = to.y - from.y;
  const int ax = std::abs(dx), ay = std::abs(dy);
  auto towards = [](int d, int length) { return d < 0 ? -length : length; };
  switch (tool) {
    case Tool::kRectangle:
    case Tool::kEllipse:
    case Tool::kMosaic: {
      const int side = std::max(ax, ay);
      return {from.x + towards(dx, side), from.y + towards(dy, side)};
    }
    case Tool::kArrow: {
      // tan 22.5 degrees is 0.4142: within it of an axis the arrow lies along the axis.
      if (ay * 10000 <= ax * 4142) return {to.x, from.y};
      if (ax * 10000 <= ay * 4142) return {from.x, to.y};
      const int side = std::max(ax, ay);
      return {from.x + towards(dx, side), from.y + towards(dy, side)};
    }
    case Tool::kNone:
    case Tool::kPen:
    case Tool::kText:
      break;
  }
  return to;
}

void Markup::Extend(PointI at, bool constrained) {
  if (!current_) return;
  std::vector<PointI>& points = current_->points;
  if (current_->tool == Tool::kPen) {
    if (points.back() != at) points.push_back(at);
  } else {
    points.back() = constrained ? Constrained(current_->tool, points.front(), at) : at;
  }
}

bool Markup::Commit() {
  if (!current_) return false;
  Stroke stroke = std::move(*current_);
  current_.reset();
  // A click draws nothing: a shape needs two different corners, a path a second point.
  const bool drawn = stroke.tool == Tool::kPen ? stroke.points.size() >= 2
                                               : stroke.points.front() != stroke.points.back();
  if (!drawn) return false;
  Add(std::move(stroke));
  return true;
}

void Markup::Add(Stroke stroke) {
  changed_ = Union(changed_, StrokeBounds(stroke));
  done_.push_back(std::move(stroke));
  undone_.clear();
}

bool Markup::Undo() {
  if (done_.empty()) return false;
  changed_ = Union(changed_, StrokeBounds(done_.back()));
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return true;
}

bool Markup::Redo() {
  if (undone_.empty()) return false;
  changed_ = Union(changed_, StrokeBounds(undone_.back()));
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return true;
}

RectI Markup::TakeChanged() {
  const RectI changed = changed_;
  changed_ = {};
  return changed;
}

void RenderMarked(const PixelView& image, const std::vector<Stroke>& strokes, const Stroke* extra,
                  const MarkView& out) {
  const std::size_t count = strokes.size() + (extra ? 1 : 0);
  auto stroke = [&](std::size_t i) -> const Stroke& {
    return i < strokes.size() ? strokes[i] : *extra;
  };
  // What the last stroke reads, then what the one before reads to give that, and so on: only
  // a mosaic reads beyond the pixels it draws, at most one cell beyond.
  const RectI whole{0, 0, image.width, image.height};
  RectI source = out.area;
  for (std::size_t i = count; i-- > 0;) {
    const Stroke& s = stroke(i);
    if (s.tool == Tool::kMosaic && !Empty(Intersect(StrokeBounds(s), source))) {
      source = Intersect(Inflate(source, kMosaicCell * s.width), whole);
    }
  }
  std::vector<std::uint32_t> wider;
  MarkView view = out;
  if (source != out.area) {
    wider.resize(static_cast<std::size_t>(source.width()) * source.height());
    view = MarkView{wider.data(), source.width(), source};
  }
  for (int y = source.top; y < source.bottom; ++y) {
    std::copy_n(image.bits + static_cast<std::ptrdiff_t>(y) * image.width + source.left,
                source.width(), &view.at(source.left, y));
  }
  for (std::size_t i = 0; i < count; ++i) Rasterise(stroke(i), view);
  if (view.pixels == out.pixels) return;
  for (int y = out.area.top; y < out.area.bottom; ++y) {
    std::copy_n(&view.at(out.area.left, y), out.area.width(), &out.at(out.area.left, y));
  }
}

std::uint32_t MarkedColour(const PixelView& image, const std::vector<Stroke>& strokes, int x,
                           int y) {
  if (image.width <= 0 || image.height <= 0) return 0;
  x = std::clamp(x, 0, image.width - 1);
  y = std::clamp(y, 0, image.height - 1);
  std::uint32_t pixel = 0;
  RenderMarked(image, strokes, nullptr, MarkView{&pixel, 1, {x, y, x + 1, y + 1}});
  return DibColour(pixel);
}

}  // namespace shot
