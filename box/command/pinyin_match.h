// Item names found by what a user types for any part of them: each hanzi by any non-empty
// beginning of any of its readings ("jisuanqi", "jsq", "jisq" for 计算器) or by itself, Latin
// letters and digits by themselves in either case, in order with gaps allowed ("notepd" finds
// notepad). Punctuation, blanks and symbols, in a name or typed, are passed over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "box/storage/pinyin_table.h"

namespace velmo {

inline constexpr std::size_t kMaxSuggestions = 8;

// How typed text finds a name, best first.
enum class MatchKind : std::uint8_t {
  kExact,       // the name itself, as Run finds it
  kBeginning,   // the name begins with it: each character from the first on takes its part
  kWordStarts,  // parts of it each begin at a word or a hanzi ("qq" in 腾讯QQ, "ps" in Photo
                // Studio)
  kScattered,   // its letters appear in the name in order ("notepd" in notepad)
  kNone,
};

struct Suggestion {
  std::size_t index = 0;  // of the name in the list
  MatchKind kind = MatchKind::kNone;
  bool operator==(const Suggestion&) const = default;
};

class PinyinMatcher {
 public:
  // A name's rank among those typing finds alike: higher first, ties in list order.
  using Rank = std::function<double(const std::u16string& name)>;

  explicit PinyinMatcher(const PinyinReadings& readings) : readings_(readings) {}

  // Prepares what matching needs of each name. The order of `names` is the order of ties.
  void SetNames(const std::vector<std::u16string>& names);
  // The names from `at` on lose `removed` of them and gain `inserted` there: the work is that of
  // the names changed, not of the whole list.
  void Splice(std::size_t at, std::size_t removed, std::span<const std::u16string> inserted);
  // From now on every name is ranked by `rank`, the names held now included.
  void SetRanking(Rank rank);
  // The rank of every name equal to `name` is asked again.
  void Rerank(const std::u16string& name);

  // At most `limit` names `typed` finds, best kind first, then by rank, then in list order.
  // None when `typed` holds nothing but punctuation and blanks.
  std::vector<Suggestion> Suggest(std::u16string_view typed,
                                  std::size_t limit = kMaxSuggestions) const;
  std::size_t size() const { return names_.size(); }
  const std::u16string& NameAt(std::size_t index) const { return names_[index].text; }

 private:
  // One character of a name that typing can match: itself (a folded Latin letter or digit, or a
  // hanzi), or any non-empty beginning of one of its readings, alternatives_[first, first + count).
  struct Unit {
    char16_t self = 0;
    bool word_start = false;  // a hanzi, or a letter or digit that begins a word
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::uint64_t start_keys = 0;  // KeyBit of itself and of its readings' first letters
  };
  struct Name {
    std::u16string text;
    std::uint32_t first_unit = 0;
    std::uint32_t unit_count = 0;
    std::uint64_t first_keys = 0;  // KeyBit of what the first unit can begin with
    std::uint64_t all_keys = 0;    // KeyBit of every letter of every unit
    double rank = 0;
  };
  struct Typed;

  Name Prepare(const std::u16string& text);
  MatchKind MatchName(const Name& name, const Typed& typed, MatchKind worst) const;

  const PinyinReadings& readings_;
  Rank rank_;
  std::vector<Name> names_;
  std::vector<Unit> units_;
  std::vector<std::string_view> alternatives_;
  std::size_t orphan_units_ = 0;  // units of names since removed
};

}  // namespace velmo
