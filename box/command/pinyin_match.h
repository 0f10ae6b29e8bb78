// Item names found by what a user types for them in Latin letters: each hanzi by any non-empty
// beginning of any of its readings ("jisuanqi", "jsq", "jisq" for 计算器), Latin letters and
// digits by themselves in either case. Punctuation, blanks and symbols in a name are passed over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "box/storage/pinyin_table.h"

namespace velmo {

inline constexpr std::size_t kMaxSuggestions = 5;

class PinyinMatcher {
 public:
  explicit PinyinMatcher(const PinyinReadings& readings) : readings_(readings) {}

  // Prepares what matching needs of each name. The order of `names` is the order of the
  // suggestions.
  void SetNames(const std::vector<std::u16string>& names);
  // The names from `at` on lose `removed` of them and gain `inserted` there: the work is that of
  // the names changed, not of the whole list.
  void Splice(std::size_t at, std::size_t removed, std::span<const std::u16string> inserted);
  // At most kMaxSuggestions names: first those `typed` matches in full (every character of the
  // name), then those it matches a beginning of, each group in the order of the names. None when
  // `typed` is empty or holds anything but Latin letters and digits (half or full width).
  std::vector<std::u16string> Suggest(std::u16string_view typed) const;

 private:
  enum class Match : std::uint8_t { kNone, kPrefix, kFull };
  // One character of a name that typing has to match: the texts that each of its non-empty
  // beginnings match, alternatives_[first, first + count). None: nothing typed matches it.
  struct Unit {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
  };
  struct Name {
    std::u16string text;
    std::uint32_t first_unit = 0;
    std::uint32_t unit_count = 0;
    std::uint64_t first_keys = 0;  // bit KeyOf(c) for each letter or digit the name can start with
  };
  struct Search;

  Match MatchName(const Name& name, std::string_view typed, std::vector<std::uint8_t>& memo) const;
  Name Prepare(const std::u16string& text);

  const PinyinReadings& readings_;
  std::vector<Name> names_;
  std::vector<Unit> units_;
  std::vector<std::string_view> alternatives_;
  std::size_t orphan_units_ = 0;  // units of names since removed
};

}  // namespace velmo
