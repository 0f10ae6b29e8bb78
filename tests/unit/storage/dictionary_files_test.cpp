// Dictionary.txt, DictContents.sd and 词典.txt: numbering, skipped lines, the letter index.
#include "box/storage/dictionary_files.h"

#include <gtest/gtest.h>

#include <variant>

#include "box/storage/text_codec.h"
#include "fakes/fake_file_system.h"

namespace velmo {
namespace {

const std::u16string kData = u"C:\\Box\\DATA";

struct Entry {
  std::u16string word, definition;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(const DictionaryTable& table) {
  std::vector<Entry> out;
  for (std::size_t i = 1; i < table.size(); ++i)
    out.push_back({table.Word(i), table.Definition(i)});
  return out;
}

void PrintTo(const Entry& e, std::ostream* os) {
  *os << Utf16ToUtf8(e.word) << "@" << Utf16ToUtf8(e.definition);
}

TEST(EnglishDictionary, LineNIsRecordN) {
  DictionaryTable table;
  ParseEnglishDictionary(*EncodeGbk(u"a@n.(A)As 或 A's\r\n"
                                    u"no separator\r\n"
                                    u"\r\n"
                                    u"mail@邮件@电子\r\n"
                                    u"@\r\n"
                                    u"zoo@动物园"),
                         table);
  ASSERT_EQ(table.size(), 7u);
  EXPECT_EQ(table.Word(0), u"");
  EXPECT_EQ(Entries(table), (std::vector<Entry>{{u"a", u"n.(A)As 或 A's"},
                                                {u"no separator", u""},
                                                {u"", u""},
                                                {u"mail", u"邮件@电子"},
                                                {u"", u""},
                                                {u"zoo", u"动物园"}}));
  EXPECT_EQ(table.Word(7), u"");  // beyond the table
}

TEST(EnglishDictionary, AFinalLineBreakAddsNoRecordAndAParseStartsAfresh) {
  DictionaryTable table;
  ParseEnglishDictionary("a@1\r\nb@2\r\n", table);
  EXPECT_EQ(table.size(), 3u);
  ParseEnglishDictionary("c@3\nd@4\re@5", table);
  EXPECT_EQ(Entries(table), (std::vector<Entry>{{u"c", u"3"}, {u"d", u"4"}, {u"e", u"5"}}));
  ParseEnglishDictionary("", table);
  EXPECT_EQ(table.size(), 1u);
}

TEST(EnglishDictionary, SecondByteOfAGbkPairIsNoSeparator) {
  // "丂" is 81 40 in GBK: its second byte is "@" in ASCII.
  DictionaryTable table;
  ParseEnglishDictionary(*EncodeGbk(u"丂x@一@二\r\n@丂\r\n"), table);
  EXPECT_EQ(Entries(table), (std::vector<Entry>{{u"丂x", u"一@二"}, {u"", u"丂"}}));
  EXPECT_EQ(table.WordBytes(1), "\x81\x40x");
  EXPECT_EQ(table.EncodeLikeFile(u"丂x"), "\x81\x40x");
}

TEST(EnglishDictionary, Utf8FilesKeepTheirEncodingAndSkipTheBom) {
  DictionaryTable table;
  ParseEnglishDictionary("\xEF\xBB\xBF" + Utf16ToUtf8(u"词@cí\r\nb@二"), table);
  EXPECT_EQ(table.encoding(), TextEncoding::kUtf8WithBom);
  EXPECT_EQ(Entries(table), (std::vector<Entry>{{u"词", u"cí"}, {u"b", u"二"}}));
  EXPECT_EQ(table.EncodeLikeFile(u"词"), table.WordBytes(1));
}

TEST(LetterIndex, LeadingNumbersRoundedHalfToEven) {
  const struct {
    std::string line;
    std::int32_t value;
  } cases[] = {
      {"1", 1},
      {"7455", 7455},
      {"  12660", 12660},
      {"\t3", 3},
      {"+7", 7},
      {"-3", -3},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"2.51", 3},
      {"12abc", 12},
      {"4 5", 4},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {".", 0},
      {".6", 1},
      {"99999999999", 0},
      {"2147483647", 2147483647},
  };
  for (const auto& c : cases) {
    std::array<std::int32_t, 25> index{};
    index[2] = 42;  // every parse starts from zeros
    ParseLetterIndex(c.line, index);
    EXPECT_EQ(index[1], c.value) << c.line;
    EXPECT_EQ(index[2], 0) << c.line;
  }
}

TEST(LetterIndex, OnlyTheFirst24LinesCount) {
  std::string bytes;
  for (int line = 1; line <= 30; ++line) bytes += std::to_string(line * 10) + "\r\n";
  std::array<std::int32_t, 25> index{};
  ParseLetterIndex(bytes, index);
  EXPECT_EQ(index[0], 0);
  for (int k = 1; k <= 24; ++k) EXPECT_EQ(index[k], k * 10) << k;
}

TEST(ChineseDictionary, KeepsOnlyEntriesNumberedWithoutGaps) {
  DictionaryTable table;
  ParseChineseDictionary(*EncodeGbk(u"阿@ā前缀\r\n"
                                    u"·@lǐ不能写的字\r\n"
                                    u"续行，没有分隔符\r\n"
                                    u"阿鼻地狱@ābídìyù佛教指最深层的地狱\r\n"
                                    u"x·@y\r\n"
                                    u"·\r\n"
                                    u"@空词\r\n"),
                         table);
  EXPECT_EQ(Entries(table), (std::vector<Entry>{{u"阿", u"ā前缀"},
                                                {u"阿鼻地狱", u"ābídìyù佛教指最深层的地狱"},
                                                {u"x·", u"y"},
                                                {u"", u"空词"}}));
}

// A 24-line letter index whose entries are all `value`, with `last` for "x".
std::string LetterIndex(int value, int last) {
  std::string index;
  for (int k = 1; k <= 23; ++k) index += std::to_string(value) + "\r\n";
  return index + std::to_string(last) + "\r\n";
}

// A file that is missing or held by another program is not judged; one that was read and holds
// no dictionary is named, and its dictionary is off.
TEST(DictionaryFiles, ReadyWhenTheFilesExistAndAreSound) {
  const std::string apple = "apple@\xC6\xBB\xB9\xFB\r\n";  // 苹果
  const std::string a = "\xB0\xA2@a\r\n";                  // 阿
  const std::string index = LetterIndex(1, 2);             // "x" starts past the one record
  enum File { kAbsent, kHidden, kHeld };
  using Content = std::variant<File, std::string>;
  const struct {
    const char* name;
    Content words, letters, chinese;
    bool english_ready, chinese_ready;
    std::u16string_view english_damaged, chinese_damaged;
  } cases[] = {
      {"all sound", apple, index, a, true, true, u"", u""},
      {"no letter index", apple, kAbsent, a, false, true, u"", u""},
      {"hidden letter index", apple, kHidden, a, false, true, u"", u""},
      {"no word list", kAbsent, index, kAbsent, false, false, u"", u""},
      {"files held by another program", kHeld, kHeld, kHeld, true, true, u"", u""},
      {"index beside a held word list", kHeld, "x\r\n", a, true, true, u"", u""},
      // A user's own, small: any encoding read, lines without "@" among them.
      {"hand-made",
       "\xEF\xBB\xBF"
       "cat@\xE7\x8C\xAB\nnote\nzoo@z",
       LetterIndex(1, 3), "\xEF\xBB\xBF\xE7\x8C\xAB@m\xC4\x81o", true, true, u"", u""},
      {"index past the end, extra lines, numbers with text", "a@1\r\nb@2\r\n",
       "1\r\n2 b\r\n" + LetterIndex(3, 3) + "99\r\n", "\xB0\xA2@a", true, true, u"", u""},
      {"empty files", "", index, "", false, false, u"Dictionary.txt", u"词典.txt"},
      {"only a byte-order mark", "\xEF\xBB\xBF", index, "\xEF\xBB\xBF\r\n", false, false,
       u"Dictionary.txt", u"词典.txt"},
      {"no line splits at @", "apple\r\nbank\r\n", index, "\xB0\xA2\r\n\xA1\xA4@\xCE\xDE\r\n",
       false, false, u"Dictionary.txt", u"词典.txt"},
      {"no word before @", "@1\r\n@2\r\n", index, "@a\r\n", false, false, u"Dictionary.txt",
       u"词典.txt"},
      {"a NUL byte", apple + std::string(4, '\0'), index, std::string("\0", 1) + a, false, false,
       u"Dictionary.txt", u"词典.txt"},
      {"UTF-16", std::string("a\0@\0b\0", 6), index, std::string("\x3F\x96@\0a\0", 6), false, false,
       u"Dictionary.txt", u"词典.txt"},
      {"word list and index damaged", "\x89PNG\r\n\x1a\n", "PNG", a, false, true, u"Dictionary.txt",
       u""},
      {"index of two lines", apple, "1\r\n2\r\n", a, false, true, u"DictContents.sd", u""},
      {"index short by one", apple, index.substr(0, index.size() - 3), a, false, true,
       u"DictContents.sd", u""},
      {"index descending", apple, "2\r\n" + LetterIndex(1, 2), a, false, true, u"DictContents.sd",
       u""},
      {"index at 0", apple, LetterIndex(0, 1), a, false, true, u"DictContents.sd", u""},
      {"index beyond one past the end", apple, LetterIndex(1, 3), a, false, true,
       u"DictContents.sd", u""},
      {"index of text", apple, "a\r\n" + LetterIndex(1, 1), a, false, true, u"DictContents.sd",
       u""},
  };
  for (const auto& c : cases) {
    FakeFileSystem fs;
    fs.AddFolder(kData);
    auto add = [&fs](std::u16string_view name, const Content& content) {
      const std::u16string path = kData + u"\\" + std::u16string(name);
      if (const std::string* bytes = std::get_if<std::string>(&content)) {
        fs.AddFile(path, *bytes);
        return;
      }
      const File file = std::get<File>(content);
      if (file != kAbsent) fs.AddFile(path, "", file == kHidden);
      if (file == kHeld) fs.FailReadOf(path);
    };
    add(u"Dictionary.txt", c.words);
    add(u"DictContents.sd", c.letters);
    add(u"词典.txt", c.chinese);
    Dictionaries dictionaries;
    dictionaries.Load(fs, kData);
    // Read at once: the accessors wait for the worker.
    const EnglishDictionary& english = dictionaries.english();
    const ChineseDictionary& chinese = dictionaries.chinese();
    EXPECT_EQ(english.ready, c.english_ready) << c.name;
    EXPECT_EQ(chinese.ready, c.chinese_ready) << c.name;
    EXPECT_EQ(english.damaged_file, c.english_damaged) << c.name;
    EXPECT_EQ(chinese.damaged_file, c.chinese_damaged) << c.name;
  }
  // A file is loaded whenever it can be read.
  FakeFileSystem fs;
  fs.AddFile(kData + u"\\Dictionary.txt", apple);
  fs.AddFile(kData + u"\\DictContents.sd", index);
  fs.AddFile(kData + u"\\词典.txt", a);
  Dictionaries dictionaries;
  dictionaries.Load(fs, kData);
  EXPECT_EQ(dictionaries.english().table.Definition(1), u"苹果");
  EXPECT_EQ(dictionaries.english().letter_index[24], 2);
  EXPECT_EQ(dictionaries.chinese().table.Word(1), u"阿");
}

TEST(DictionaryTable, ServesFromAViewOfTheSameLength) {
  DictionaryTable table;
  ParseEnglishDictionary("a@1\r\nb@2\r\n", table);
  table.ServeFrom(std::make_unique<InMemoryFileView>("a@1\r\nb@2 and more\r\n"));
  EXPECT_EQ(table.Definition(2), u"2");  // not the same file: the records' own bytes stay
  table.ServeFrom(std::make_unique<InMemoryFileView>("a@1\r\nb@3\r\n"));
  EXPECT_EQ(table.Definition(2), u"3");
  table.ServeFrom(nullptr);  // a file that could not be mapped
  EXPECT_EQ(table.Definition(2), u"3");
}

}  // namespace
}  // namespace velmo
