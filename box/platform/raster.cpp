// Coverage is estimated from the signed distance of a pixel's centre to the shape's edge: a
// pixel whose centre lies on the edge is half covered, one half a pixel inside or more is fully.
#include "box/platform/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmo {
namespace {

// 0x00BBGGRR to a BGRX pixel (0x00RRGGBB).
std::uint32_t Pixel(std::uint32_t color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// Coverage in 256ths.
int Weight(float coverage) {
  return static_cast<int>(std::clamp(coverage, 0.0f, 1.0f) * 256.0f + 0.5f);
}

// `dst` keeps what `a` and `b` (in 256ths) leave of it. Red and blue are blended side by side,
// 16 bits apart: no sum reaches the other's bits.
std::uint32_t Blend(std::uint32_t dst, std::uint32_t a, int wa, std::uint32_t b, int wb) {
  const auto keep = static_cast<std::uint32_t>(256 - wa - wb);
  const auto ua = static_cast<std::uint32_t>(wa), ub = static_cast<std::uint32_t>(wb);
  const std::uint32_t red_blue =
      (dst & 0xFF00FF) * keep + (a & 0xFF00FF) * ua + (b & 0xFF00FF) * ub + 0x800080;
  const std::uint32_t green =
      (dst & 0xFF00) * keep + (a & 0xFF00) * ua + (b & 0xFF00) * ub + 0x8000;
  return ((red_blue >> 8) & 0xFF00FF) | ((green >> 8) & 0xFF00);
}

// The edge of an ellipse of radii rx, ry, for the coverage of pixels by what lies inside it.
class EllipseEdge {
 public:
  EllipseEdge(float rx, float ry)
      : empty_(!(rx > 0 && ry > 0)),
        circle_(rx == ry),
        radius_(rx),
        inv_x_(empty_ ? 0 : 1 / rx),
        inv_y_(empty_ ? 0 : 1 / ry) {}

  // The pixel whose centre is at (x, y) from the ellipse's centre, `r` away from it. A circle's
  // distance is exact; an ellipse's is a first-order estimate, close near the edge, which is
  // where it counts.
  float Coverage(float x, float y, float r) const {
    if (empty_) return 0;
    if (circle_) return 0.5f - (r - radius_);
    const float ux = x * inv_x_, uy = y * inv_y_;
    const float k0 = std::sqrt(ux * ux + uy * uy);
    const float vx = ux * inv_x_, vy = uy * inv_y_;
    const float k1 = std::sqrt(vx * vx + vy * vy);
    if (k1 == 0) return 1;  // the centre
    return 0.5f - k0 * (k0 - 1) / k1;
  }

 private:
  bool empty_, circle_;
  float radius_, inv_x_, inv_y_;
};

// Half the width of an ellipse of radii rx, ry at height y from its centre; 0 outside it.
float HalfChord(float y, float rx, float ry) {
  if (rx <= 0 || ry <= 0 || std::abs(y) >= ry) return 0;
  const float v = y / ry;
  return rx * std::sqrt(1 - v * v);
}

// [first, last) of the pixels whose centres lie in [lo, hi], within [min, max).
std::pair<int, int> Centres(float lo, float hi, int min, int max) {
  float first = std::clamp(std::ceil(lo - 0.5f), static_cast<float>(min), static_cast<float>(max));
  float last =
      std::clamp(std::floor(hi - 0.5f) + 1, static_cast<float>(min), static_cast<float>(max));
  return {static_cast<int>(first), std::max(static_cast<int>(first), static_cast<int>(last))};
}

}  // namespace

Raster::Raster(std::uint32_t* pixels, int width, int height, int stride, PixelRect clip)
    : pixels_(pixels), stride_(stride) {
  clip_.left = std::clamp(clip.left, 0, width);
  clip_.top = std::clamp(clip.top, 0, height);
  clip_.right = std::clamp(clip.right, clip_.left, width);
  clip_.bottom = std::clamp(clip.bottom, clip_.top, height);
}

void Raster::Segment(PointF a, PointF b, float width, std::uint32_t color) const {
  if (!(width > 0)) return;
  const std::uint32_t pixel = Pixel(color);
  // Coverage falls to nothing half a pixel beyond the stroke's edge.
  const float reach = width / 2 + 0.5f;
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length_sq = dx * dx + dy * dy;
  const float length = std::sqrt(length_sq);
  const float inv_length_sq = length_sq > 0 ? 1 / length_sq : 0;
  const float left = std::min(a.x, b.x) - reach, right = std::max(a.x, b.x) + reach;
  auto [y0, y1] =
      Centres(std::min(a.y, b.y) - reach, std::max(a.y, b.y) + reach, clip_.top, clip_.bottom);
  for (int y = y0; y < y1; ++y) {
    const float py = static_cast<float>(y) + 0.5f;
    float lo = left, hi = right;
    // Within the band of the line through a and b, as wide as the reach.
    if (std::abs(dy) > 1e-6f) {
      const float cx = a.x + (py - a.y) * dx / dy;
      const float half = reach * length / std::abs(dy);
      lo = std::max(lo, cx - half);
      hi = std::min(hi, cx + half);
    }
    auto [x0, x1] = Centres(lo, hi, clip_.left, clip_.right);
    std::uint32_t* row = Row(y);
    for (int x = x0; x < x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f;
      const float t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) * inv_length_sq, 0.0f, 1.0f);
      const float ex = px - (a.x + t * dx), ey = py - (a.y + t * dy);
      const int w = Weight(reach - std::sqrt(ex * ex + ey * ey));
      if (w > 0) row[x] = Blend(row[x], pixel, w, 0, 0);
    }
  }
}

void Raster::Ellipse(BoxF box, float border_width, std::optional<std::uint32_t> border,
                     std::optional<std::uint32_t> fill) const {
  const float rx = (box.right - box.left) / 2, ry = (box.bottom - box.top) / 2;
  if (!(rx > 0 && ry > 0) || (!border && !fill)) return;
  const float cx = box.left + rx, cy = box.top + ry;
  const bool ring = border && border_width > 0;
  // The inner edge of the border, or the edge of the fill alone.
  const float inner_rx = ring ? rx - border_width : rx, inner_ry = ring ? ry - border_width : ry;
  const EllipseEdge outer_edge(rx, ry), inner_edge(inner_rx, inner_ry);
  const std::uint32_t border_pixel = Pixel(border.value_or(0));
  const std::uint32_t fill_pixel = Pixel(fill.value_or(0));

  // Coverage is partial within half a pixel of an edge; an ellipse's estimate of the distance
  // needs a wider margin than a circle's exact one.
  const float margin = rx == ry ? 0.5f : 1.0f;
  auto [y0, y1] = Centres(cy - ry - margin, cy + ry + margin, clip_.top, clip_.bottom);
  for (int y = y0; y < y1; ++y) {
    const float py = static_cast<float>(y) + 0.5f - cy;
    // Every pixel the edge touches.
    const float reach = HalfChord(py, rx + margin, ry + margin);
    auto [x0, x1] = Centres(cx - reach, cx + reach, clip_.left, clip_.right);
    // A pixel well inside the inner edge is wholly the fill, or untouched without one.
    const float solid = HalfChord(py, inner_rx - margin, inner_ry - margin);
    auto [s0, s1] = solid > 0 ? Centres(cx - solid, cx + solid, x0, x1) : std::pair{x1, x1};
    std::uint32_t* row = Row(y);
    auto edge = [&](int from, int to) {
      for (int x = from; x < to; ++x) {
        const float px = static_cast<float>(x) + 0.5f - cx;
        const float r = std::sqrt(px * px + py * py);
        // Whole 256ths, so that the fill and the border never take more than the pixel.
        const int wo = Weight(outer_edge.Coverage(px, py, r));
        if (wo == 0) continue;
        const int wi = ring ? std::min(wo, Weight(inner_edge.Coverage(px, py, r))) : wo;
        const int wf = fill ? wi : 0;
        const int wb = wo - wi;
        if (wf + wb > 0) row[x] = Blend(row[x], fill_pixel, wf, border_pixel, wb);
      }
    };
    edge(x0, s0);
    if (fill) std::fill(row + s0, row + s1, fill_pixel);
    edge(s1, x1);
  }
}

}  // namespace velmo
