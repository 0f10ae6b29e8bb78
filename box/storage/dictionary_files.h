// The two read-only dictionaries, loaded once at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "box/platform/files.h"
#include "box/storage/text_codec.h"

namespace velmo {

// A dictionary keeps its file's own bytes and decodes a record when it is asked for: a GBK
// file costs no more memory than its size on disk, and a mapped one only the pages look-ups
// touch. Slot 0 exists and stays empty.
class DictionaryTable {
 public:
  // The definition follows the word's "@" up to the end of the line.
  struct Record {
    std::uint32_t line_offset, word_length;  // bytes
  };
  std::size_t size() const { return records_.size(); }
  // Empty for an index past the end.
  std::u16string Word(std::size_t i) const;
  std::u16string Definition(std::size_t i) const;
  // The word as stored, for comparisons with EncodeLikeFile(term).
  std::string_view WordBytes(std::size_t i) const;
  // The bytes `text` has in this file's encoding; nullopt when it cannot occur in the file.
  std::optional<std::string> EncodeLikeFile(std::u16string_view text) const;

  // A hash index of the words, for FirstWithWord. The table must not change afterwards.
  void IndexWords();
  // The lowest record index whose word has exactly these bytes, 0 for none; needs IndexWords.
  std::size_t FirstWithWord(std::string_view word) const;

  // Takes the file's bytes and drops every record but slot 0 and the index.
  void Reset(std::string bytes);
  // Reads the text from `view` from now on and frees the bytes the records were made from,
  // provided the view is as long as they are (the same file, mapped).
  void ServeFrom(std::unique_ptr<FileView> view);
  void Reserve(std::size_t records) { records_.reserve(records); }
  void Add(std::size_t line_offset, std::size_t word_length);
  std::string_view bytes() const { return bytes_; }
  TextEncoding encoding() const { return encoding_; }

 private:
  std::unique_ptr<FileView> text_;
  std::string_view bytes_;  // text_'s bytes
  TextEncoding encoding_ = TextEncoding::kGbk;
  std::vector<Record> records_{Record{}};
  // Open addressing: record indexes (0 for an empty slot), a power of two at least twice the
  // records; only the first record of each word is kept.
  std::vector<std::uint32_t> word_slots_;
};

inline constexpr std::u16string_view kEnglishFile = u"Dictionary.txt";
inline constexpr std::u16string_view kLetterIndexFile = u"DictContents.sd";
inline constexpr std::u16string_view kChineseFile = u"词典.txt";

// A dictionary is ready when its files exist and are sound. A file that was read but holds no
// dictionary is named in damaged_file, and the dictionary is not ready: every look-up would
// answer "not found". A file that is missing or cannot be read is not judged.
struct EnglishDictionary {
  DictionaryTable table;
  std::array<std::int32_t, 25> letter_index{};  // entries 1..24
  bool ready = false;
  std::u16string_view damaged_file;  // kEnglishFile, kLetterIndexFile or empty
};

struct ChineseDictionary {
  DictionaryTable table;
  bool ready = false;
  std::u16string_view damaged_file;  // kChineseFile or empty
};

// A sound dictionary file is text (no NUL byte, which neither GBK nor UTF-8 text holds) with at
// least one line that has a word before its "@". An empty file has none.
bool HoldsEntries(const DictionaryTable& table);
// A sound letter index has 24 entries, each a record of `table` or one past the last (a letter
// without words), none before the one above it.
bool IndexesTable(const std::array<std::int32_t, 25>& index, const DictionaryTable& table);

// Line n of Dictionary.txt becomes record n; a line without "@" keeps its slot with an empty
// definition so that the letter index still points at the right records.
void ParseEnglishDictionary(std::string bytes, DictionaryTable& table);
void ParseLetterIndex(std::string_view bytes, std::array<std::int32_t, 25>& index);
// Only lines with "@" that do not begin with "·@" become records, numbered without gaps. The
// words are indexed: a look-up is one probe instead of a scan of every line.
void ParseChineseDictionary(std::string bytes, DictionaryTable& table);

// Both dictionaries of the DATA folder. Load returns at once; the files are read and their
// records made on a worker thread while the window starts. english() and chinese() wait until that
// is done, so a look-up typed at once gets the same answer, and the same ready flag, as a late one.
// Only the thread that called Load may call them.
class Dictionaries {
 public:
  Dictionaries() = default;
  Dictionaries(const Dictionaries&) = delete;
  Dictionaries& operator=(const Dictionaries&) = delete;
  ~Dictionaries();

  // Starts reading the three files on a worker thread: `fs` serves it there until the load
  // has ended, so it must be safe to use from two threads.
  void Load(FileSystem& fs, const std::u16string& data_folder);
  const EnglishDictionary& english() const;
  const ChineseDictionary& chinese() const;

 private:
  void Wait() const;

  EnglishDictionary english_;
  ChineseDictionary chinese_;
  mutable std::future<void> loading_;
};

}  // namespace velmo
