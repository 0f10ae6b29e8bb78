// One clock face drawn anti-aliased: a 250-pixel circle with a 2-pixel border and three 2-pixel
// hands of about 120 pixels from its centre, into a 300 x 300 BGRX buffer. Budget: well under a
// millisecond, so that a face repainted every second costs nothing.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "box/platform/raster.h"

namespace velmo {
namespace {

void BM_ClockFace(benchmark::State& state) {
  constexpr int kSize = 300;
  std::vector<std::uint32_t> pixels(kSize * kSize, 0x00FFFFFF);
  const Raster raster(pixels.data(), kSize, kSize, kSize, {0, 0, kSize, kSize});
  const PointF centre{150, 150};
  const float angles[] = {0.3f, 2.2f, 4.4f};
  const float lengths[] = {120, 120, 120};
  for (auto _ : state) {
    raster.Ellipse({25, 25, 275, 275}, 2, 0x00333333, std::nullopt);
    for (int i = 0; i < 3; ++i) {
      const PointF tip{centre.x + lengths[i] * std::sin(angles[i]),
                       centre.y - lengths[i] * std::cos(angles[i])};
      raster.Segment(centre, tip, 2, 0x00202020);
    }
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClockFace)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
