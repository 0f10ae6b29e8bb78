// Loading of Dictionary.txt, DictContents.sd and 词典.txt: offsets into the files' own bytes.
#include "box/storage/dictionary_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr std::size_t kLetterIndexSize = 24;

// Calls visit(start, length) for each line of `text`, like SplitLines without copying. CR and
// LF are never part of a GBK pair or a UTF-8 sequence, so this works on bytes as well.
template <typename Char, typename Visit>
void ForEachLine(std::basic_string_view<Char> text, std::size_t from, Visit visit) {
  std::size_t start = from;
  for (std::size_t i = from; i < text.size(); ++i) {
    Char c = text[i];
    if (c != Char('\r') && c != Char('\n')) continue;
    visit(start, i - start);
    if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) visit(start, text.size() - start);
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

// A dictionary file as the worker needs it: its bytes to make the records from, and a view of
// it to serve look-ups from afterwards.
struct OpenedFile {
  FileRead read;
  std::unique_ptr<FileView> view;
};

OpenedFile Open(FileSystem& fs, const std::u16string& path) {
  OpenedFile file{fs.ReadFile(path), nullptr};
  if (file.read.status == FileRead::Status::kOk) file.view = fs.MapFile(path);
  return file;
}

// False when the file could not be read.
template <typename Parse>
bool LoadTable(OpenedFile& file, DictionaryTable& table, Parse parse) {
  if (file.read.status != FileRead::Status::kOk) return false;
  parse(std::move(file.read.bytes), table);
  if (file.view) table.ServeFrom(std::move(file.view));
  return true;
}

std::size_t BomLength(TextEncoding encoding) {
  return encoding == TextEncoding::kUtf8WithBom ? 3 : 0;
}

// Calls add(line_start, line_length, at) for every line; `at` is the position of the line's
// first "@" relative to the line, or npos.
template <typename Add>
void ForEachRecordLine(DictionaryTable& table, Add add) {
  std::string_view bytes = table.bytes();
  table.Reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 2);
  ForEachLine(bytes, BomLength(table.encoding()), [&](std::size_t start, std::size_t length) {
    std::size_t at =
        FindAsciiCharacter(bytes.substr(0, start + length), table.encoding(), '@', start);
    add(start, length, at == std::string_view::npos ? at : at - start);
  });
}

}  // namespace

std::u16string DictionaryTable::Word(std::size_t i) const {
  return DecodeAs(WordBytes(i), encoding_);
}

std::u16string DictionaryTable::Definition(std::size_t i) const {
  if (i == 0 || i >= records_.size()) return {};
  std::size_t start = records_[i].line_offset + records_[i].word_length;
  if (start >= bytes_.size() || bytes_[start] != '@') return {};  // a line without "@"
  ++start;
  std::size_t end = std::min(bytes_.find_first_of("\r\n", start), bytes_.size());
  return DecodeAs(std::string_view(bytes_).substr(start, end - start), encoding_);
}

std::string_view DictionaryTable::WordBytes(std::size_t i) const {
  if (i >= records_.size()) return {};
  return std::string_view(bytes_).substr(records_[i].line_offset, records_[i].word_length);
}

std::optional<std::string> DictionaryTable::EncodeLikeFile(std::u16string_view text) const {
  if (encoding_ == TextEncoding::kGbk) return EncodeGbk(text);
  return EncodeUtf8(text);
}

void DictionaryTable::Reset(std::string bytes) {
  encoding_ = DetectEncoding(bytes);
  text_ = std::make_unique<InMemoryFileView>(std::move(bytes));
  bytes_ = text_->bytes();
  records_.assign(1, Record{});
  word_slots_.clear();
}

namespace {
std::size_t HashBytes(std::string_view bytes) {
  std::size_t h = 14695981039346656037ull;  // FNV-1a
  for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return h;
}
}  // namespace

void DictionaryTable::IndexWords() {
  std::size_t capacity = 16;
  while (capacity < 2 * records_.size()) capacity *= 2;
  word_slots_.assign(capacity, 0);
  for (std::size_t i = 1; i < records_.size(); ++i) {
    std::string_view word = WordBytes(i);
    for (std::size_t slot = HashBytes(word) & (capacity - 1);; slot = (slot + 1) & (capacity - 1)) {
      if (word_slots_[slot] == 0) {
        word_slots_[slot] = static_cast<std::uint32_t>(i);
        break;
      }
      if (WordBytes(word_slots_[slot]) == word) break;  // an earlier record has the word
    }
  }
}

std::size_t DictionaryTable::FirstWithWord(std::string_view word) const {
  if (word_slots_.empty()) return 0;
  const std::size_t mask = word_slots_.size() - 1;
  for (std::size_t slot = HashBytes(word) & mask; word_slots_[slot] != 0;
       slot = (slot + 1) & mask) {
    if (WordBytes(word_slots_[slot]) == word) return word_slots_[slot];
  }
  return 0;
}

void DictionaryTable::ServeFrom(std::unique_ptr<FileView> view) {
  if (view == nullptr || view->bytes().size() != bytes_.size()) return;
  text_ = std::move(view);
  bytes_ = text_->bytes();
}

void DictionaryTable::Add(std::size_t line_offset, std::size_t word_length) {
  records_.push_back(
      Record{static_cast<std::uint32_t>(line_offset), static_cast<std::uint32_t>(word_length)});
}

void ParseEnglishDictionary(std::string bytes, DictionaryTable& table) {
  table.Reset(std::move(bytes));
  ForEachRecordLine(table, [&](std::size_t start, std::size_t length, std::size_t at) {
    table.Add(start, at == std::string_view::npos ? length : at);
  });
}

void ParseLetterIndex(std::string_view bytes, std::array<std::int32_t, 25>& index) {
  index.fill(0);
  std::u16string text = DecodeText(bytes).text;
  std::size_t entry = 1;
  ForEachLine(std::u16string_view(text), 0, [&](std::size_t start, std::size_t length) {
    if (entry > kLetterIndexSize) return;
    index[entry++] = LeadingWholeNumber(std::u16string_view(text).substr(start, length));
  });
}

void ParseChineseDictionary(std::string bytes, DictionaryTable& table) {
  table.Reset(std::move(bytes));
  // "·@" starts the entries whose headword has no form in the file's encoding.
  const std::string middle_dot = table.EncodeLikeFile(u"\u00B7").value_or("");
  std::string_view text = table.bytes();
  ForEachRecordLine(table, [&](std::size_t start, std::size_t, std::size_t at) {
    if (at == std::string_view::npos || text.substr(start, at) == middle_dot) return;
    table.Add(start, at);
  });
  table.IndexWords();
}

bool HoldsEntries(const DictionaryTable& table) {
  const std::string_view bytes = table.bytes();
  if (bytes.find('\0') != std::string_view::npos) return false;
  for (std::size_t i = 1; i < table.size(); ++i) {
    const std::string_view word = table.WordBytes(i);
    const std::size_t end = static_cast<std::size_t>(word.data() - bytes.data()) + word.size();
    if (!word.empty() && end < bytes.size() && bytes[end] == '@') return true;
  }
  return false;
}

bool IndexesTable(const std::array<std::int32_t, 25>& index, const DictionaryTable& table) {
  std::int64_t previous = 1;
  for (std::size_t k = 1; k <= kLetterIndexSize; ++k) {
    if (index[k] < previous || index[k] > static_cast<std::int64_t>(table.size())) return false;
    previous = index[k];
  }
  return true;
}

Dictionaries::~Dictionaries() {
  if (loading_.valid()) loading_.wait();
}

void Dictionaries::Load(FileSystem& fs, const std::u16string& data_folder) {
  Wait();
  std::u16string words_path = JoinPath(data_folder, kEnglishFile);
  std::u16string letters_path = JoinPath(data_folder, kLetterIndexFile);
  std::u16string chinese_path = JoinPath(data_folder, kChineseFile);
  english_.ready = fs.FileExists(words_path) && fs.FileExists(letters_path);
  chinese_.ready = fs.FileExists(chinese_path);
  english_.damaged_file = {};
  chinese_.damaged_file = {};
  // Reading the 11 MB of the shipped files is work for the worker too: the window does not wait
  // for it. The file system serves both threads.
  auto work = [this, &fs, words_path, letters_path, chinese_path] {
    OpenedFile words = Open(fs, words_path);
    const bool words_read = LoadTable(words, english_.table, ParseEnglishDictionary);
    FileRead letters = fs.ReadFile(letters_path);
    const bool letters_read = letters.status == FileRead::Status::kOk;
    if (letters_read) ParseLetterIndex(letters.bytes, english_.letter_index);
    OpenedFile chinese = Open(fs, chinese_path);
    const bool chinese_read = LoadTable(chinese, chinese_.table, ParseChineseDictionary);
    // The index is judged against a sound word list only: it cannot point into a damaged one.
    if (english_.ready && words_read) {
      if (!HoldsEntries(english_.table)) {
        english_.damaged_file = kEnglishFile;
      } else if (letters_read && !IndexesTable(english_.letter_index, english_.table)) {
        english_.damaged_file = kLetterIndexFile;
      }
    }
    if (chinese_.ready && chinese_read && !HoldsEntries(chinese_.table)) {
      chinese_.damaged_file = kChineseFile;
    }
    english_.ready = english_.ready && english_.damaged_file.empty();
    chinese_.ready = chinese_.ready && chinese_.damaged_file.empty();
  };
  // A deferred task, when no thread can start, runs in the first Wait().
  loading_ = std::async(std::launch::async | std::launch::deferred, std::move(work));
}

void Dictionaries::Wait() const {
  if (loading_.valid()) loading_.get();
}

const EnglishDictionary& Dictionaries::english() const {
  Wait();
  return english_;
}

const ChineseDictionary& Dictionaries::chinese() const {
  Wait();
  return chinese_;
}

}  // namespace velmo
