// Loading the two dictionaries at a quarter, half and the full delivered size (104,000 lines of
// Dictionary.txt, 65,000 of 词典.txt): the time should grow in step with the lines, and the full
// size must stay under 150 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "box/storage/dictionary_files.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

constexpr int kEnglishLines = 104000;
constexpr int kChineseLines = 65000;

constexpr std::u16string_view kHanzi =
    u"的一是不了人我在有他这中大来上个国到说们为子和你地出道也时年得就那要下以生会自着去之过家学"
    u"对可她里后小么心多天而能好都然没日于起还发成事只作当想看文无开手十用主行方又如前所本见经头面"
    u"公同三已老从动两长知民样现分将外但身些与高意进把法此实回二理美点月明其种声全工己话儿者向情部"
    u"正名定女问力机给等几很业最间新什打便位因重被走电四第门相次东政海口使教西再平真听世气信北少关";
constexpr std::u16string_view kToneVowels = u"āáǎàēéěèīíǐìōóǒòūúǔùü";
constexpr std::u16string_view kConsonants = u"bpmfdtnlgkhjqxzcsryw";
constexpr std::u16string_view kMarks[] = {u"n.", u"v.", u"adj.", u"adv.", u"prep."};

class Random {
 public:
  std::uint32_t Next(std::uint32_t bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33) % bound;
  }

 private:
  std::uint64_t state_ = 20261208;
};

void AppendHanzi(std::u16string& out, Random& random, int count) {
  for (int i = 0; i < count; ++i) out += kHanzi[random.Next(kHanzi.size())];
}

// "word@n.释义，释义" lines, about 60 bytes each in GBK.
std::string EnglishFile(int lines) {
  Random random;
  std::u16string text;
  for (int n = 0; n < lines; ++n) {
    int letters = 3 + static_cast<int>(random.Next(8));
    for (int i = 0; i < letters; ++i) text += static_cast<char16_t>(u'a' + random.Next(26));
    text += u'@';
    text += kMarks[random.Next(5)];
    AppendHanzi(text, random, 10 + static_cast<int>(random.Next(10)));
    text += u'，';
    AppendHanzi(text, random, 3 + static_cast<int>(random.Next(6)));
    text += u"\r\n";
  }
  return *EncodeGbk(text);
}

// "词语@cíyǔ解释。" lines of about 60 bytes, with the odd continuation and "·@" line.
std::string ChineseFile(int lines) {
  Random random;
  std::u16string text;
  for (int n = 0; n < lines; ++n) {
    std::uint32_t kind = random.Next(100);
    if (kind == 0) {
      text += u"·@";
    } else if (kind != 1) {
      int chars = 1 + static_cast<int>(random.Next(4));
      AppendHanzi(text, random, chars);
      text += u'@';
      for (int i = 0; i < chars; ++i) {
        text += kConsonants[random.Next(kConsonants.size())];
        text += kToneVowels[random.Next(kToneVowels.size())];
      }
    }
    AppendHanzi(text, random, 15 + static_cast<int>(random.Next(10)));
    text += u"。\r\n";
  }
  return *EncodeGbk(text);
}

const std::string kLetterIndex =
    "1\r\n7455\r\n12660\r\n22449\r\n28124\r\n32644\r\n36652\r\n40087\r\n44568\r\n48783\r\n"
    "49788\r\n51249\r\n54868\r\n60675\r\n63387\r\n65896\r\n74282\r\n74870\r\n79816\r\n"
    "90485\r\n95971\r\n99028\r\n100832\r\n102821\r\n";

struct Files {
  std::string english, chinese;
};

// Argument: the size in quarters of the delivered dictionaries.
void BM_LoadDictionaries(benchmark::State& state) {
  static std::map<std::int64_t, Files> cache;
  const std::int64_t quarters = state.range(0);
  Files& files = cache[quarters];
  if (files.english.empty()) {
    files.english = EnglishFile(static_cast<int>(kEnglishLines * quarters / 4));
    files.chinese = ChineseFile(static_cast<int>(kChineseLines * quarters / 4));
  }
  for (auto _ : state) {
    EnglishDictionary english;
    ChineseDictionary chinese;
    ParseEnglishDictionary(files.english, english.table);
    ParseLetterIndex(kLetterIndex, english.letter_index);
    ParseChineseDictionary(files.chinese, chinese.table);
    benchmark::DoNotOptimize(english.table.size() + chinese.table.size());
  }
  const std::int64_t lines = (kEnglishLines + kChineseLines) * quarters / 4;
  state.SetComplexityN(lines);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(files.english.size() + files.chinese.size()));
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["english_MB"] = static_cast<double>(files.english.size()) / 1e6;
}
BENCHMARK(BM_LoadDictionaries)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
