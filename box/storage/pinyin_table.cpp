// The pinyin table generated at build time: sorted code points, a reading number or a run of them
// for each, and the syllables once each.
#include "box/storage/pinyin_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace velmo {
namespace {

#if __has_include("pinyin_table.inc")
#include "pinyin_table.inc"
#else
constexpr std::array<char16_t, 0> kHanzi{};
constexpr std::array<std::uint16_t, 0> kReadingOf{};
constexpr std::array<std::uint16_t, 0> kMoreReadings{};
constexpr std::array<std::uint16_t, 1> kSyllableStart{};
constexpr std::string_view kSyllables;
#endif

constexpr std::uint16_t kMulti = 0x8000;  // see scripts/pinyin_table.py

std::string_view Syllable(std::uint16_t n) {
  return kSyllables.substr(kSyllableStart[n], kSyllableStart[n + 1] - kSyllableStart[n]);
}

class UnihanTable final : public PinyinReadings {
 public:
  std::vector<std::string_view> ReadingsOf(char16_t c) const override {
    auto it = std::lower_bound(kHanzi.begin(), kHanzi.end(), c);
    if (it == kHanzi.end() || *it != c) return {};
    std::uint16_t reading = kReadingOf[static_cast<std::size_t>(it - kHanzi.begin())];
    if (!(reading & kMulti)) return {Syllable(reading)};
    std::vector<std::string_view> readings;
    for (std::size_t i = reading & ~kMulti;; ++i) {
      readings.push_back(Syllable(static_cast<std::uint16_t>(kMoreReadings[i] & ~kMulti)));
      if (kMoreReadings[i] & kMulti) return readings;
    }
  }
};

}  // namespace

const PinyinReadings& UnihanPinyin() {
  static const UnihanTable table;
  return table;
}

}  // namespace velmo
