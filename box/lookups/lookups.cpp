// The English look-up scans one letter's range of the table; the Chinese one asks the table's
// word index for the first record of the headword. Both compare the file's own bytes, so a
// keystroke decodes almost nothing.
#include "box/lookups/lookups.h"

#include <algorithm>

namespace velmo {

char16_t FoldCase(char16_t c) {
  auto in = [c](char16_t from, char16_t to) { return c >= from && c <= to; };
  if (in(u'A', u'Z') || (in(u'\u00C0', u'\u00DE') && c != u'\u00D7') ||
      (in(u'\u0391', u'\u03A9') && c != u'\u03A2') || in(u'\u0410', u'\u042F') ||
      in(u'\uFF21', u'\uFF3A')) {
    return static_cast<char16_t>(c + 32);
  }
  if (in(u'\u0400', u'\u040F')) return static_cast<char16_t>(c + 80);
  return c;
}

IndexRange EnglishRange(const EnglishDictionary& dict, std::u16string_view term) {
  if (term.empty()) return {};
  // The initial's character code in the ANSI code page: ASCII is itself, every other
  // character of the code page is a double-byte code read as a negative number.
  const char16_t initial = FoldCase(term.front());
  const int k = initial < 0x80 ? initial - 96 : 0;
  if (k <= 0) return {};
  const auto& index = dict.letter_index;
  const std::int64_t last_record = static_cast<std::int64_t>(dict.table.size()) - 1;
  std::int64_t first = index[static_cast<std::size_t>(std::min(k, 24))];
  std::int64_t last =
      k <= 23 ? std::int64_t{index[static_cast<std::size_t>(k) + 1]} - 1 : last_record;
  // Slot 0 never matches: it holds the empty word and a term has at least one character.
  first = std::max<std::int64_t>(first, 1);
  last = std::min(last, last_record);
  if (first > last) return {};
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(last)};
}

namespace {

// True when the stored word, lower-cased, is `folded` (an all-ASCII, lower-cased term). Only
// ASCII bytes decode to ASCII characters in GBK and UTF-8, and FoldCase keeps non-ASCII
// characters out of ASCII, so any other byte rules the word out.
bool AsciiWordEquals(std::string_view word, std::u16string_view folded) {
  if (word.size() != folded.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    auto byte = static_cast<unsigned char>(word[i]);
    if (byte >= 0x80 || FoldCase(byte) != folded[i]) return false;
  }
  return true;
}

}  // namespace

std::u16string LookUpEnglish(const EnglishDictionary& dict, std::u16string_view term) {
  const IndexRange range = EnglishRange(dict, term);
  std::u16string folded(term);
  for (char16_t& c : folded) c = FoldCase(c);
  const bool ascii = std::all_of(folded.begin(), folded.end(), [](char16_t c) { return c < 0x80; });
  for (std::size_t i = range.first; i <= range.last; ++i) {
    bool match = false;
    if (ascii) {
      match = AsciiWordEquals(dict.table.WordBytes(i), folded);
    } else {
      std::u16string word = dict.table.Word(i);
      for (char16_t& c : word) c = FoldCase(c);
      match = word == folded;
    }
    if (match) return dict.table.Definition(i);
  }
  return u"没有 " + std::u16string(term) + u" 的对应释义。";
}

std::u16string LookUpChinese(const ChineseDictionary& dict, std::u16string_view term) {
  // A term that has no form in the file's encoding cannot be one of its headwords.
  if (std::optional<std::string> bytes = dict.table.EncodeLikeFile(term)) {
    if (std::size_t first = dict.table.FirstWithWord(*bytes)) return dict.table.Definition(first);
  }
  return u"没有 “" + std::u16string(term) + u"” 的对应释义。";
}

std::u16string DamageNotice(const EnglishDictionary& dict) {
  if (dict.damaged_file.empty()) return {};
  const std::u16string_view what =
      dict.damaged_file == kLetterIndexFile ? u"英汉词典的字母索引 " : u"英汉词典 ";
  return std::u16string(what) + std::u16string(dict.damaged_file) + u" 已损坏，无法查找英文单词。";
}

std::u16string DamageNotice(const ChineseDictionary& dict) {
  if (dict.damaged_file.empty()) return {};
  return u"汉语词典 " + std::u16string(dict.damaged_file) + u" 已损坏，无法查找汉语词语。";
}

}  // namespace velmo
