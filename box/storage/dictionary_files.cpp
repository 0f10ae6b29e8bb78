// Loading of Dictionary.txt, DictContents.sd and 词典.txt into offset tables.
#include "box/storage/dictionary_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr std::u16string_view kEnglishFile = u"Dictionary.txt";
constexpr std::u16string_view kLetterIndexFile = u"DictContents.sd";
constexpr std::u16string_view kChineseFile = u"词典.txt";
constexpr std::size_t kLetterIndexSize = 24;

// Calls visit(start, length) for each line of `text`, like SplitLines without copying.
template <typename Visit>
void ForEachLine(std::u16string_view text, Visit visit) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    visit(start, i - start);
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) visit(start, text.size() - start);
}

std::size_t CountLineBreaks(std::u16string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
}

// The leading number of a line ("  7455", "-3.5x"), rounded half to even; 0 when there is none
// or it does not fit in 32 bits.
std::int32_t LeadingWholeNumber(std::u16string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;
  std::string ascii;
  if (i < line.size() && (line[i] == u'+' || line[i] == u'-')) {
    if (line[i] == u'-') ascii.push_back('-');
    ++i;
  }
  bool any_digit = false;
  auto take_digits = [&] {
    for (; i < line.size() && line[i] >= u'0' && line[i] <= u'9'; ++i) {
      ascii.push_back(static_cast<char>(line[i]));
      any_digit = true;
    }
  };
  take_digits();
  if (i < line.size() && line[i] == u'.') {
    ascii.push_back('.');
    ++i;
    take_digits();
  }
  if (!any_digit) return 0;
  double value = 0;
  std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  double rounded = std::nearbyint(value);  // the default rounding mode: half to even
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return 0;
  return static_cast<std::int32_t>(rounded);
}

template <typename Parse>
void LoadTable(FileSystem& fs, const std::u16string& path, Parse parse) {
  FileRead read = fs.ReadFile(path);
  if (read.status == FileRead::Status::kOk) parse(read.bytes);
}

}  // namespace

std::u16string_view DictionaryTable::Word(std::size_t i) const {
  if (i >= records_.size()) return {};
  return std::u16string_view(text_).substr(records_[i].word_offset, records_[i].word_length);
}

std::u16string_view DictionaryTable::Definition(std::size_t i) const {
  if (i >= records_.size()) return {};
  return std::u16string_view(text_).substr(records_[i].definition_offset,
                                           records_[i].definition_length);
}

void DictionaryTable::Reset(std::u16string text) {
  text_ = std::move(text);
  records_.assign(1, Record{});
}

void DictionaryTable::Add(std::size_t word_offset, std::size_t word_length,
                          std::size_t def_offset, std::size_t def_length) {
  records_.push_back(Record{static_cast<std::uint32_t>(word_offset),
                            static_cast<std::uint32_t>(word_length),
                            static_cast<std::uint32_t>(def_offset),
                            static_cast<std::uint32_t>(def_length)});
}

void DictionaryTable::Reserve(std::size_t records) { records_.reserve(records); }

void ParseEnglishDictionary(std::string_view bytes, DictionaryTable& table) {
  table.Reset(DecodeText(bytes).text);
  std::u16string_view text = table.text();
  table.Reserve(CountLineBreaks(text) + 2);
  ForEachLine(text, [&](std::size_t start, std::size_t length) {
    std::u16string_view line = text.substr(start, length);
    std::size_t at = line.find(u'@');
    if (at == std::u16string_view::npos) {
      table.Add(start, length, start + length, 0);
    } else {
      table.Add(start, at, start + at + 1, length - at - 1);
    }
  });
}

void ParseLetterIndex(std::string_view bytes, std::array<std::int32_t, 25>& index) {
  index.fill(0);
  std::u16string text = DecodeText(bytes).text;
  std::size_t entry = 1;
  ForEachLine(text, [&](std::size_t start, std::size_t length) {
    if (entry > kLetterIndexSize) return;
    index[entry++] = LeadingWholeNumber(std::u16string_view(text).substr(start, length));
  });
}

void ParseChineseDictionary(std::string_view bytes, DictionaryTable& table) {
  table.Reset(DecodeText(bytes).text);
  std::u16string_view text = table.text();
  table.Reserve(CountLineBreaks(text) + 2);
  ForEachLine(text, [&](std::size_t start, std::size_t length) {
    std::u16string_view line = text.substr(start, length);
    std::size_t at = line.find(u'@');
    // "·@" starts the entries whose headword has no form in the file's encoding.
    if (at == std::u16string_view::npos || (at == 1 && line[0] == u'\u00B7')) return;
    table.Add(start, at, start + at + 1, length - at - 1);
  });
}

EnglishDictionary LoadEnglishDictionary(FileSystem& fs, const std::u16string& data_folder) {
  EnglishDictionary dict;
  std::u16string words = JoinPath(data_folder, kEnglishFile);
  std::u16string letters = JoinPath(data_folder, kLetterIndexFile);
  dict.ready = fs.FileExists(words) && fs.FileExists(letters);
  LoadTable(fs, words, [&](std::string_view b) { ParseEnglishDictionary(b, dict.table); });
  LoadTable(fs, letters, [&](std::string_view b) { ParseLetterIndex(b, dict.letter_index); });
  return dict;
}

ChineseDictionary LoadChineseDictionary(FileSystem& fs, const std::u16string& data_folder) {
  ChineseDictionary dict;
  std::u16string path = JoinPath(data_folder, kChineseFile);
  dict.ready = fs.FileExists(path);
  LoadTable(fs, path, [&](std::string_view b) { ParseChineseDictionary(b, dict.table); });
  return dict;
}

}  // namespace velmo
