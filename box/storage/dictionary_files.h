// The two read-only dictionaries, loaded once at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "box/platform/files.h"

namespace velmo {

// Every record points into one decoded copy of its file: two allocations per dictionary,
// whatever its size.
class DictionaryTable {
 public:
  struct Record {
    std::uint32_t word_offset, word_length, definition_offset, definition_length;
  };
  std::size_t size() const { return records_.size(); }  // records 1..size()-1; slot 0 is empty
  std::u16string_view Word(std::size_t i) const;
  std::u16string_view Definition(std::size_t i) const;

  // Takes the decoded file and drops every record but slot 0.
  void Reset(std::u16string text);
  void Reserve(std::size_t records);
  // Offsets and lengths count characters of text().
  void Add(std::size_t word_offset, std::size_t word_length, std::size_t def_offset,
           std::size_t def_length);
  const std::u16string& text() const { return text_; }

 private:
  std::u16string text_;
  std::vector<Record> records_{Record{}};
};

struct EnglishDictionary {
  DictionaryTable table;
  std::array<std::int32_t, 25> letter_index{};  // entries 1..24
  bool ready = false;  // Dictionary.txt and DictContents.sd both exist
};

struct ChineseDictionary {
  DictionaryTable table;
  bool ready = false;  // 词典.txt exists
};

// Line n of Dictionary.txt becomes record n; a line without "@" keeps its slot with an empty
// definition so that the letter index still points at the right records.
void ParseEnglishDictionary(std::string_view bytes, DictionaryTable& table);
void ParseLetterIndex(std::string_view bytes, std::array<std::int32_t, 25>& index);
// Only lines with "@" that do not begin with "·@" become records, numbered without gaps.
void ParseChineseDictionary(std::string_view bytes, DictionaryTable& table);

EnglishDictionary LoadEnglishDictionary(FileSystem& fs, const std::u16string& data_folder);
ChineseDictionary LoadChineseDictionary(FileSystem& fs, const std::u16string& data_folder);

}  // namespace velmo
