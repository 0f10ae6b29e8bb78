// Matching typed Latin letters against item names, prepared once per name when the list changes.
#include "box/command/pinyin_match.h"

#include <algorithm>

namespace velmo {

namespace {

constexpr std::string_view kLatin = "abcdefghijklmnopqrstuvwxyz0123456789";

// Where the lower-case ASCII letter or digit `c` is in kLatin, or npos.
std::size_t KeyOf(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - u'a';
  if (c >= u'0' && c <= u'9') return 26 + (c - u'0');
  return std::string_view::npos;
}

// A Latin letter or digit, half or full width, in lower case; other characters as they are.
char16_t FoldLatin(char16_t c) {
  if (c >= u'Ａ' && c <= u'Ｚ') c = static_cast<char16_t>(c - u'Ａ' + u'A');
  if (c >= u'ａ' && c <= u'ｚ') c = static_cast<char16_t>(c - u'ａ' + u'a');
  if (c >= u'０' && c <= u'９') c = static_cast<char16_t>(c - u'０' + u'0');
  if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return c;
}

// Punctuation, blanks and symbols: ASCII and Latin-1 ones, the general punctuation, symbol and
// shape blocks, the CJK ones (、。《》【】 and the ideographic space), and the full-width forms.
bool IsPassedOver(char16_t c) {
  return c < 0x80 || (c >= 0x80 && c <= 0xBF) || c == 0xD7 || c == 0xF7 ||
         (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
         (c >= 0xFE10 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF65) ||
         (c >= 0xFFE0 && c <= 0xFFEF);
}

}  // namespace

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

PinyinMatcher::Name PinyinMatcher::Prepare(const std::u16string& text) {
  Name name{text, static_cast<std::uint32_t>(units_.size())};
  for (char16_t c : text) {
    c = FoldLatin(c);
    Unit unit{static_cast<std::uint32_t>(alternatives_.size())};
    if (std::size_t key = KeyOf(c); key != std::string_view::npos) {
      alternatives_.push_back(kLatin.substr(key, 1));
    } else if (IsPassedOver(c)) {
      continue;
    } else {
      for (std::string_view reading : readings_.ReadingsOf(c)) alternatives_.push_back(reading);
    }
    unit.count = static_cast<std::uint32_t>(alternatives_.size()) - unit.first;
    if (name.unit_count == 0) {
      for (std::uint32_t i = unit.first; i < unit.first + unit.count; ++i) {
        name.first_keys |= std::uint64_t{1} << KeyOf(static_cast<char16_t>(alternatives_[i][0]));
      }
    }
    units_.push_back(unit);
    ++name.unit_count;
  }
  return name;
}

// A depth-first search over where each unit's part of the typed text ends, remembering what each
// (unit, position) pair led to: two splits that reach the same pair ("xian" as xi'an or xian)
// share the work after it.
struct PinyinMatcher::Search {
  const PinyinMatcher& matcher;
  const Name& name;
  std::string_view typed;
  std::vector<std::uint8_t>& memo;  // 1 + Match for each (unit, position) already searched

  Match From(std::uint32_t unit, std::size_t at) {
    if (at == typed.size()) return unit == name.unit_count ? Match::kFull : Match::kPrefix;
    if (unit == name.unit_count) return Match::kNone;
    std::uint8_t& known = memo[unit * (typed.size() + 1) + at];
    if (known) return static_cast<Match>(known - 1);
    Match best = Match::kNone;
    const Unit& u = matcher.units_[name.first_unit + unit];
    for (std::uint32_t i = u.first; i < u.first + u.count && best != Match::kFull; ++i) {
      std::string_view text = matcher.alternatives_[i];
      std::size_t common = 0;
      while (common < text.size() && at + common < typed.size() &&
             text[common] == typed[at + common]) {
        ++common;
      }
      for (std::size_t length = common; length > 0 && best != Match::kFull; --length) {
        best = std::max(best, From(unit + 1, at + length));
      }
    }
    known = static_cast<std::uint8_t>(best) + 1;
    return best;
  }
};

PinyinMatcher::Match PinyinMatcher::MatchName(const Name& name, std::string_view typed,
                                              std::vector<std::uint8_t>& memo) const {
  memo.assign(name.unit_count * (typed.size() + 1), 0);
  return Search{*this, name, typed, memo}.From(0, 0);
}

std::vector<std::u16string> PinyinMatcher::Suggest(std::u16string_view typed) const {
  std::string keys;
  for (char16_t c : typed) {
    std::size_t key = KeyOf(FoldLatin(c));
    if (key == std::string_view::npos) return {};
    keys += kLatin[key];
  }
  if (keys.empty()) return {};
  const std::uint64_t first_key = std::uint64_t{1} << KeyOf(static_cast<char16_t>(keys[0]));
  std::vector<std::u16string> full, prefix;
  std::vector<std::uint8_t> memo;
  for (const Name& name : names_) {
    if (!(name.first_keys & first_key)) continue;
    switch (MatchName(name, keys, memo)) {
      case Match::kFull:
        full.push_back(name.text);
        break;
      case Match::kPrefix:
        if (prefix.size() < kMaxSuggestions) prefix.push_back(name.text);
        break;
      case Match::kNone:
        break;
    }
    if (full.size() == kMaxSuggestions) break;
  }
  for (std::u16string& name : prefix) {
    if (full.size() == kMaxSuggestions) break;
    full.push_back(std::move(name));
  }
  return full;
}

}  // namespace velmo
