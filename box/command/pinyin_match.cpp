// Matching typed text against item names, prepared once per name when the list changes. Each
// match runs over the name's characters once, carrying the set of typed positions reached as the
// bits of one word: a hanzi's reading extends them a letter at a time, many splits at once.
#include "box/command/pinyin_match.h"

#include <algorithm>
#include <array>
#include <utility>

namespace velmo {

namespace {

constexpr std::size_t kLatinKeys = 36;     // a-z, 0-9
constexpr std::size_t kMaxTypedKeys = 63;  // positions 0..63 in one word

// Where the lower-case ASCII letter or digit `c` is among the Latin keys, or npos.
std::size_t KeyOf(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - u'a';
  if (c >= u'0' && c <= u'9') return 26 + (c - u'0');
  return std::u16string_view::npos;
}

// One bit for each Latin key, the others shared by every other character alike: a name that
// lacks a key's bit cannot hold that key.
std::uint64_t KeyBit(char16_t c) {
  std::size_t key = KeyOf(c);
  if (key == std::u16string_view::npos) key = kLatinKeys + c % (64 - kLatinKeys);
  return std::uint64_t{1} << key;
}

// A Latin letter or digit, half or full width, in lower case; other characters as they are.
char16_t FoldLatin(char16_t c) {
  if (c >= u'Ａ' && c <= u'Ｚ') c = static_cast<char16_t>(c - u'Ａ' + u'A');
  if (c >= u'ａ' && c <= u'ｚ') c = static_cast<char16_t>(c - u'ａ' + u'a');
  if (c >= u'０' && c <= u'９') c = static_cast<char16_t>(c - u'０' + u'0');
  if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return c;
}

bool IsUpper(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'Ａ' && c <= u'Ｚ'); }

// Punctuation, blanks and symbols: ASCII and Latin-1 ones, the general punctuation, symbol and
// shape blocks, the CJK ones (、。《》【】 and the ideographic space), and the full-width forms.
bool IsPassedOver(char16_t c) {
  return c < 0x80 || (c >= 0x80 && c <= 0xBF) || c == 0xD7 || c == 0xF7 ||
         (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
         (c >= 0xFE10 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF65) ||
         (c >= 0xFFE0 && c <= 0xFFEF);
}

}  // namespace

// The typed text as matching reads it: bit p of At(c) is set where the key at position p is c.
struct PinyinMatcher::Typed {
  std::u16string_view raw;
  std::u16string keys;
  bool exact_only = false;  // too long for one word of positions: only the name itself
  std::uint64_t need = 0;   // KeyBit of every key
  std::array<std::uint64_t, kLatinKeys> latin{};
  std::vector<std::pair<char16_t, std::uint64_t>> others;

  explicit Typed(std::u16string_view text) : raw(text) {
    for (char16_t c : text) {
      c = FoldLatin(c);
      if (KeyOf(c) == std::u16string_view::npos && IsPassedOver(c)) continue;
      keys += c;
    }
    if (keys.size() > kMaxTypedKeys) {
      exact_only = true;
      return;
    }
    for (std::size_t p = 0; p < keys.size(); ++p) {
      const std::uint64_t bit = std::uint64_t{1} << p;
      need |= KeyBit(keys[p]);
      if (std::size_t key = KeyOf(keys[p]); key != std::u16string_view::npos) {
        latin[key] |= bit;
        continue;
      }
      auto it = std::find_if(others.begin(), others.end(),
                             [&](const auto& other) { return other.first == keys[p]; });
      if (it == others.end()) {
        others.emplace_back(keys[p], bit);
      } else {
        it->second |= bit;
      }
    }
  }

  std::uint64_t At(char16_t c) const {
    if (std::size_t key = KeyOf(c); key != std::u16string_view::npos) return latin[key];
    for (const auto& [other, bits] : others) {
      if (other == c) return bits;
    }
    return 0;
  }
};

void PinyinMatcher::SetNames(const std::vector<std::u16string>& names) {
  orphan_units_ = 0;
  names_.clear();
  units_.clear();
  alternatives_.clear();
  names_.reserve(names.size());
  for (const std::u16string& text : names) names_.push_back(Prepare(text));
}

void PinyinMatcher::Splice(std::size_t at, std::size_t removed,
                           std::span<const std::u16string> inserted) {
  auto first = names_.begin() + static_cast<std::ptrdiff_t>(at);
  for (auto it = first; it != first + static_cast<std::ptrdiff_t>(removed); ++it) {
    orphan_units_ += it->unit_count;
  }
  first = names_.erase(first, first + static_cast<std::ptrdiff_t>(removed));
  std::vector<Name> prepared;
  prepared.reserve(inserted.size());
  for (const std::u16string& text : inserted) prepared.push_back(Prepare(text));
  names_.insert(first, std::make_move_iterator(prepared.begin()),
                std::make_move_iterator(prepared.end()));
  // The units of removed names stay behind until they are half of all.
  if (orphan_units_ > units_.size() / 2) {
    std::vector<std::u16string> texts;
    texts.reserve(names_.size());
    for (const Name& name : names_) texts.push_back(name.text);
    SetNames(texts);
  }
}

void PinyinMatcher::SetRanking(Rank rank) {
  rank_ = std::move(rank);
  for (Name& name : names_) name.rank = rank_ ? rank_(name.text) : 0;
}

void PinyinMatcher::Rerank(const std::u16string& text) {
  if (!rank_) return;
  const double rank = rank_(text);
  for (Name& name : names_) {
    if (name.text == text) name.rank = rank;
  }
}

PinyinMatcher::Name PinyinMatcher::Prepare(const std::u16string& text) {
  Name name{text, static_cast<std::uint32_t>(units_.size())};
  name.rank = rank_ ? rank_(text) : 0;
  // What the character before was: a word starts after anything but a letter or digit, at a
  // capital after a small letter, and where letters and digits meet.
  enum class Before { kOther, kSmall, kCapital, kDigit } before = Before::kOther;
  for (char16_t raw : text) {
    const char16_t c = FoldLatin(raw);
    Unit unit{c, true, static_cast<std::uint32_t>(alternatives_.size()), 0, KeyBit(c)};
    std::uint64_t keys = KeyBit(c);
    if (KeyOf(c) != std::u16string_view::npos) {
      const Before now = c <= u'9'      ? Before::kDigit
                         : IsUpper(raw) ? Before::kCapital
                                        : Before::kSmall;
      const bool letter = now != Before::kDigit,
                 letter_before = before == Before::kSmall || before == Before::kCapital;
      unit.word_start = before == Before::kOther || letter != letter_before ||
                        (now == Before::kCapital && before == Before::kSmall);
      before = now;
    } else if (IsPassedOver(c)) {
      before = Before::kOther;
      continue;
    } else {
      before = Before::kOther;
      for (std::string_view reading : readings_.ReadingsOf(c)) {
        // Matching reads a reading's letters as keys: a table with anything else is not trusted.
        if (reading.empty() || !std::all_of(reading.begin(), reading.end(), [](char letter) {
              return KeyOf(static_cast<char16_t>(letter)) != std::u16string_view::npos;
            })) {
          continue;
        }
        alternatives_.push_back(reading);
        for (char letter : reading) keys |= KeyBit(static_cast<char16_t>(letter));
        unit.start_keys |= KeyBit(static_cast<char16_t>(reading[0]));
      }
    }
    unit.count = static_cast<std::uint32_t>(alternatives_.size()) - unit.first;
    if (name.unit_count == 0) name.first_keys = unit.start_keys;
    name.all_keys |= keys;
    units_.push_back(unit);
    ++name.unit_count;
  }
  return name;
}

MatchKind PinyinMatcher::MatchName(const Name& name, const Typed& typed, MatchKind worst) const {
  if (name.text == typed.raw) return MatchKind::kExact;
  if (worst == MatchKind::kExact || typed.exact_only ||
      (name.all_keys & typed.need) != typed.need) {
    return MatchKind::kNone;
  }
  // The typed positions reached from each of `from` when the unit takes its part: itself, or a
  // beginning of a reading. All three at once: most readings fail at their first letter.
  auto extend = [&](const Unit& unit, const std::uint64_t(&from)[3], std::uint64_t(&to)[3]) {
    const std::uint64_t self = typed.At(unit.self);
    for (int k = 0; k < 3; ++k) to[k] = (from[k] & self) << 1;
    for (std::uint32_t i = unit.first; i < unit.first + unit.count; ++i) {
      const std::string_view reading = alternatives_[i];
      std::uint64_t letter = typed.latin[KeyOf(static_cast<char16_t>(reading[0]))];
      std::uint64_t at[3] = {from[0] & letter, from[1] & letter, from[2] & letter};
      for (std::size_t length = 1; at[0] | at[1] | at[2]; ++length) {
        for (int k = 0; k < 3; ++k) to[k] |= at[k] << length;
        if (length == reading.size()) break;
        letter = typed.latin[KeyOf(static_cast<char16_t>(reading[length]))] >> length;
        for (int k = 0; k < 3; ++k) at[k] &= letter;
      }
    }
  };
  const std::uint64_t all_typed = std::uint64_t{1} << typed.keys.size();
  // Reached with every unit so far taking a part; with the last unit taking one and with any
  // unit, where a part begins only at a word start; with any unit taking any part.
  std::uint64_t begun = (name.first_keys & KeyBit(typed.keys[0])) ? 1 : 0;
  std::uint64_t after_word = 0, by_words = 1, anywhere = 1;
  bool words = worst >= MatchKind::kWordStarts, scattered = worst >= MatchKind::kScattered;
  MatchKind found = MatchKind::kNone;
  for (std::uint32_t u = 0; u < name.unit_count && (begun || words || scattered); ++u) {
    const Unit& unit = units_[name.first_unit + u];
    // Nothing typed can take this unit: no part ends after it, and what was reached stays.
    if (!(unit.start_keys & typed.need)) {
      begun = after_word = 0;
      continue;
    }
    const std::uint64_t from[3] = {begun, words ? (unit.word_start ? by_words : after_word) : 0,
                                   scattered ? anywhere : 0};
    std::uint64_t to[3];
    extend(unit, from, to);
    begun = to[0];
    if (begun & all_typed) return MatchKind::kBeginning;
    if (words) {
      after_word = to[1];
      by_words |= after_word;
      if (by_words & all_typed) {
        found = MatchKind::kWordStarts;
        words = scattered = false;
      }
    }
    if (scattered) {
      anywhere |= to[2];
      if (anywhere & all_typed) {
        found = MatchKind::kScattered;
        scattered = false;
      }
    }
  }
  return found;
}

std::vector<Suggestion> PinyinMatcher::Suggest(std::u16string_view text, std::size_t limit) const {
  const Typed typed(text);
  if (typed.keys.empty() || limit == 0) return {};
  struct Entry {
    MatchKind kind;
    double rank;
    std::size_t index;
  };
  std::vector<Entry> best;
  best.reserve(limit + 1);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const Name& name = names_[i];
    // Once `limit` are found, only a better kind, or the same kind ranked higher, takes a place.
    MatchKind worst = MatchKind::kScattered;
    if (best.size() == limit) {
      const Entry& last = best.back();
      if (name.rank > last.rank) {
        worst = last.kind;
      } else if (last.kind == MatchKind::kExact) {
        continue;
      } else {
        worst = static_cast<MatchKind>(static_cast<int>(last.kind) - 1);
      }
    }
    const MatchKind kind = MatchName(name, typed, worst);
    if (kind > worst) continue;
    auto at = std::find_if(best.begin(), best.end(), [&](const Entry& e) {
      return kind < e.kind || (kind == e.kind && name.rank > e.rank);
    });
    best.insert(at, Entry{kind, name.rank, i});
    if (best.size() > limit) best.pop_back();
  }
  std::vector<Suggestion> found;
  found.reserve(best.size());
  for (const Entry& e : best) found.push_back({e.index, e.kind});
  return found;
}

}  // namespace velmo
