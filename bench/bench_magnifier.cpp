// The portable part of a magnifier move, at 1920 x 1080 and 3840 x 2160: the lens drawn for the
// new pointer and the two places it leaves and reaches drawn again from the frozen image,
// dimmed. The whole move through the real window is timed under Wine by
// bench/magnifier_wine.sh. Budget per move: 8 ms at 1920 x 1080, 16 ms at 3840 x 2160.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "screenshot/dim.h"
#include "screenshot/magnifier.h"

namespace {

void BM_MagnifierMove(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<std::uint32_t> image(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint32_t>(i * 2654435761u);
  const shot::MagnifierMetrics m(96);
  std::vector<std::uint32_t> lens(static_cast<size_t>(m.lens) * m.lens);
  std::vector<std::uint32_t> part(static_cast<size_t>(m.width) * m.height);
  int x = 0, y = 0;
  shot::RectI before = shot::PlaceMagnifier(x, y, m, w, h);
  for (auto _ : state) {
    x = (x + 7) % w;
    y = (y + 3) % h;
    const shot::RectI after = shot::PlaceMagnifier(x, y, m, w, h);
    for (const shot::RectI& r : {before, after}) {
      for (int row = r.top; row < r.bottom; ++row) {
        std::copy_n(image.data() + static_cast<size_t>(row) * w + r.left, r.width(),
                    part.data() + static_cast<size_t>(row - r.top) * r.width());
      }
      shot::DarkenPixels(part.data(), r.width() * r.height());
    }
    shot::RenderLens({image.data(), w, h}, x, y, m, lens.data(), m.lens);
    benchmark::DoNotOptimize(lens.data());
    benchmark::DoNotOptimize(part.data());
    before = after;
  }
  state.SetLabel(w == 1920 ? "budget 8 ms" : "budget 16 ms");
}
BENCHMARK(BM_MagnifierMove)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
