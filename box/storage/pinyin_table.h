// Toneless pinyin readings of hanzi, for matching what a user types in Latin letters.
#pragma once

#include <string_view>
#include <vector>

namespace velmo {

class PinyinReadings {
 public:
  virtual ~PinyinReadings() = default;
  // Each reading of `c` once, in lower-case a-z with ü written v ("xing", "hang", "lv"); none
  // for a character the table does not hold. The views live as long as the table.
  virtual std::vector<std::string_view> ReadingsOf(char16_t c) const = 0;
};

// The hanzi of GBK with every reading the Unicode Han database gives them, made at build time by
// scripts/pinyin_table.py. Empty when the build had no Unihan data.
const PinyinReadings& UnihanPinyin();

}  // namespace velmo
