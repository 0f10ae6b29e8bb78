// The "&" and "*" look-ups in the dictionaries loaded at start-up.
#pragma once

#include <string>
#include <string_view>

#include "box/storage/dictionary_files.h"

namespace velmo {

// Lower case as the comparison of English words sees it: Latin, Greek, Cyrillic and full-width
// letters; every other character stays. Never maps a non-ASCII character into ASCII.
char16_t FoldCase(char16_t c);

// Table indexes [first, last] searched for a term: the range of its initial letter, the x-z
// tail from letter index 24 to the end, or none (first > last) for an initial that is not an
// ASCII character from "a" on (digits, blanks, punctuation, Chinese). The letter index comes
// from a file, so the range is clipped to the table.
struct IndexRange {
  std::size_t first = 1;
  std::size_t last = 0;
};
IndexRange EnglishRange(const EnglishDictionary& dict, std::u16string_view term);

// The definition of the first entry in the term's range whose word equals the term, case
// ignored; else "没有 " + term + " 的对应释义。".
std::u16string LookUpEnglish(const EnglishDictionary& dict, std::u16string_view term);
// The definition of the first entry whose word equals the term exactly; else
// "没有 “" + term + "” 的对应释义。".
std::u16string LookUpChinese(const ChineseDictionary& dict, std::u16string_view term);

// What the box says once of a dictionary whose file is damaged, naming the file; empty for a
// dictionary that is sound or missing.
std::u16string DamageNotice(const EnglishDictionary& dict);
std::u16string DamageNotice(const ChineseDictionary& dict);

}  // namespace velmo
