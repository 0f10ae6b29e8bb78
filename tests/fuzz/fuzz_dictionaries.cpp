// Any bytes as Dictionary.txt, DictContents.sd or 词典.txt: loading and judging never fail, and
// every record lies inside the file and decodes to one line.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "box/storage/dictionary_files.h"
#include "box/storage/text_codec.h"

using namespace velmo;

namespace {

void CheckRecords(const DictionaryTable& table, bool words_without_at) {
  if (!table.Word(0).empty() || !table.Definition(0).empty()) std::abort();
  for (std::size_t i = 1; i < table.size(); ++i) {
    std::u16string word = table.Word(i);
    std::u16string definition = table.Definition(i);
    std::string_view stored = table.WordBytes(i);
    if (stored.data() < table.bytes().data() ||
        stored.data() + stored.size() > table.bytes().data() + table.bytes().size()) {
      std::abort();
    }
    if (word.find_first_of(u"\r\n") != std::u16string::npos ||
        definition.find_first_of(u"\r\n") != std::u16string::npos) {
      std::abort();
    }
    if (words_without_at && word.find(u'@') != std::u16string::npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  DictionaryTable english;
  ParseEnglishDictionary(std::string(bytes), english);
  CheckRecords(english, false);
  // One record per line, whatever the line holds.
  if (english.size() != SplitLines(DecodeText(bytes).text).size() + 1) std::abort();

  std::array<std::int32_t, 25> index{};
  ParseLetterIndex(bytes, index);
  if (index[0] != 0) std::abort();

  DictionaryTable chinese;
  ParseChineseDictionary(std::string(bytes), chinese);
  CheckRecords(chinese, true);
  if (chinese.size() > english.size()) std::abort();

  // No text holds a NUL byte; a line that is a Chinese entry is an English one too.
  const bool sound = HoldsEntries(english);
  if (sound && bytes.find('\0') != std::string_view::npos) std::abort();
  if (HoldsEntries(chinese) && !sound) std::abort();
  return 0;
}
