// The "&" and "*" look-ups against a plain reference that decodes every word and searches the
// range exactly as the letter index defines it: named cases, then generated dictionaries.
#include "box/lookups/lookups.h"

#include <gtest/gtest.h>

#include <random>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

std::u16string Lower(std::u16string s) {
  for (char16_t& c : s) c = FoldCase(c);
  return s;
}

// The documented scan, one decoded word at a time. Indexes outside the table are skipped.
std::u16string ReferenceEnglish(const EnglishDictionary& dict, const std::u16string& term) {
  std::u16string not_found = u"没有 " + term + u" 的对应释义。";
  char16_t initial = FoldCase(term[0]);
  long k = initial < 0x80 ? static_cast<long>(initial) - 96 : -1;  // ANSI: DBCS codes < 0
  if (k <= 0) return not_found;
  long n = static_cast<long>(dict.table.size()) - 1;
  long first = k <= 23 ? dict.letter_index[k] : dict.letter_index[24];
  long last = k <= 23 ? dict.letter_index[k + 1] - 1 : n;
  for (long i = first; i <= last; ++i) {
    if (i < 1 || i > n) continue;
    if (Lower(dict.table.Word(i)) == Lower(term)) return dict.table.Definition(i);
  }
  return not_found;
}

std::u16string ReferenceChinese(const ChineseDictionary& dict, const std::u16string& term) {
  for (std::size_t i = 1; i < dict.table.size(); ++i) {
    if (dict.table.Word(i) == term) return dict.table.Definition(i);
  }
  return u"没有 “" + term + u"” 的对应释义。";
}

EnglishDictionary English(std::u16string_view text, std::array<std::int32_t, 25> index,
                          bool utf8 = false) {
  EnglishDictionary dict;
  ParseEnglishDictionary(utf8 ? EncodeUtf8(text) : *EncodeGbk(text), dict.table);
  dict.letter_index = index;
  dict.ready = true;
  return dict;
}

// Lines 1-2 "a", 3 "l2tp" (before the "l" start), 4-6 "b" with a capitalised word, 7 "l",
// 8-9 "x", 10 "y", 11 "z", 12 a Greek word in the tail.
constexpr std::u16string_view kEnglish =
    u"a@n.(A)As 或 A's\r\n"
    u"apple@n.苹果@苹果树\r\n"
    u"l2tp@第二层隧道协议\r\n"
    u"banana@n.香蕉\r\n"
    u"Byzantine@adj.拜占庭的\r\n"
    u"byzantine@重复的小写\r\n"
    u"lamp@n.灯\r\n"
    u"x-ray@n.X光\r\n"
    u"xylophone@n.木琴\r\n"
    u"yes@是\r\n"
    u"zoo@n.动物园\r\n"
    u"zΣ@希腊\r\n";
std::array<std::int32_t, 25> NamedIndex() {
  std::array<std::int32_t, 25> index{};
  index[1] = 1;  // a
  index[2] = 4;  // b
  for (int k = 3; k <= 11; ++k) index[k] = 7;
  index[12] = 7;  // l
  for (int k = 13; k <= 23; ++k) index[k] = 8;
  index[24] = 8;  // x: the tail
  return index;
}

TEST(LookUpEnglish, NamedCases) {
  for (bool utf8 : {false, true}) {
    EnglishDictionary dict = English(kEnglish, NamedIndex(), utf8);
    struct Case {
      std::u16string term, expected;
    };
    const Case cases[] = {
        {u"apple", u"n.苹果@苹果树"},  // everything after the first "@"
        {u"Apple", u"n.苹果@苹果树"},
        {u"APPLE", u"n.苹果@苹果树"},
        {u"appl", u"没有 appl 的对应释义。"},
        {u"apple ", u"没有 apple  的对应释义。"},
        {u"byzantine", u"adj.拜占庭的"},       // the first of two spellings
        {u"l2tp", u"没有 l2tp 的对应释义。"},  // outside the "l" range
        {u"lamp", u"n.灯"},
        {u"xylophone", u"n.木琴"},
        {u"Yes", u"是"},
        {u"zoo", u"n.动物园"},
        {u"Zσ", u"希腊"},
        {u"2x", u"没有 2x 的对应释义。"},
        {u" apple", u"没有  apple 的对应释义。"},
        {u"苹果", u"没有 苹果 的对应释义。"},
        {u"w", u"没有 w 的对应释义。"},  // "w" runs up to the tail start: empty here
    };
    for (const Case& c : cases) {
      EXPECT_EQ(LookUpEnglish(dict, c.term), c.expected) << Utf16ToUtf8(c.term) << " utf8 " << utf8;
      EXPECT_EQ(ReferenceEnglish(dict, c.term), c.expected) << Utf16ToUtf8(c.term);
    }
  }
}

TEST(LookUpEnglish, AnIndexPointingOutsideTheTableFindsWhatLiesInside) {
  std::array<std::int32_t, 25> index = NamedIndex();
  index[1] = -5;     // "a" from before the table
  index[24] = 9999;  // no tail at all
  index[12] = 7;
  index[13] = 500;  // "l" runs past the end
  EnglishDictionary dict = English(kEnglish, index);
  EXPECT_EQ(LookUpEnglish(dict, u"a"), u"n.(A)As 或 A's");
  EXPECT_EQ(LookUpEnglish(dict, u"zoo"), u"没有 zoo 的对应释义。");
  EXPECT_EQ(LookUpEnglish(dict, u"lamp"), u"n.灯");
  EXPECT_EQ(LookUpEnglish(dict, u"zoo"), ReferenceEnglish(dict, u"zoo"));
  EnglishDictionary empty;
  EXPECT_EQ(LookUpEnglish(empty, u"apple"), u"没有 apple 的对应释义。");
}

TEST(LookUpChinese, NamedCases) {
  for (bool utf8 : {false, true}) {
    std::u16string text =
        u"阿@ā前缀\r\n"
        u"阿@ē迎合\r\n"
        u"阿鼻地狱@ābídìyù佛教指最深层的地狱。\r\n"
        u"续行\r\n"
        u"·@yī无字\r\n"
        u"银行@yínháng经营货币的机构。\r\n";
    ChineseDictionary dict;
    ParseChineseDictionary(utf8 ? EncodeUtf8(text) : *EncodeGbk(text), dict.table);
    struct Case {
      std::u16string term, expected;
    };
    const Case cases[] = {
        {u"阿", u"ā前缀"},
        {u"阿鼻地狱", u"ābídìyù佛教指最深层的地狱。"},
        {u"阿鼻", u"没有 “阿鼻” 的对应释义。"},
        {u"银行", u"yínháng经营货币的机构。"},
        {u"银行 ", u"没有 “银行 ” 的对应释义。"},
        {u"·", u"没有 “·” 的对应释义。"},
        {u"😀", u"没有 “😀” 的对应释义。"},  // no GBK form
    };
    for (const Case& c : cases) {
      EXPECT_EQ(LookUpChinese(dict, c.term), c.expected) << Utf16ToUtf8(c.term) << " utf8 " << utf8;
    }
  }
}

// Dictionaries of a few thousand random lines: words of letters in both cases, digits, Greek
// and Chinese, grouped by initial with a letter index that is mostly right, sometimes off by a
// few lines or missing; terms drawn from the words (case changed, cut, extended) and at random.
class Generated {
 public:
  explicit Generated(unsigned seed) : rng_(seed) {}

  std::u16string Word() {
    static constexpr std::u16string_view kPieces = u"abcxyzABCXYZ0-'. σΣ银行阿";
    std::u16string w;
    int length = Pick(1, 6);
    for (int i = 0; i < length; ++i) w += kPieces[Pick(0, kPieces.size() - 1)];
    return w;
  }
  // A word turned into a term: as it is, with its case changed, cut short or extended.
  std::u16string TermFrom(const std::u16string& word) {
    std::u16string t = word;
    switch (Pick(0, 4)) {
      case 0:
        for (char16_t& c : t) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
        break;
      case 1:
        if (t.size() > 1) t.pop_back();
        break;
      case 2:
        t += u'a';
        break;
      case 3:
        t = Word();
        break;
      default:
        break;
    }
    return t;
  }
  int Pick(std::size_t low, std::size_t high) {
    return static_cast<int>(std::uniform_int_distribution<std::size_t>(low, high)(rng_));
  }

 private:
  std::mt19937 rng_;
};

TEST(LookUpEnglish, EqualsTheReferenceOnGeneratedDictionaries) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    Generated g(seed);
    // Lines grouped by the initial's lower case; a group for every initial, a-z first.
    std::vector<std::u16string> words;
    for (int i = 0; i < 600; ++i) {
      std::u16string w = static_cast<char16_t>(u'a' + g.Pick(0, 25)) + g.Word();
      if (g.Pick(0, 9) == 0) w[0] = static_cast<char16_t>(w[0] - 32);
      if (g.Pick(0, 19) == 0) w = g.Word();  // any initial
      words.push_back(w);
    }
    std::stable_sort(words.begin(), words.end(),
                     [](const auto& a, const auto& b) { return FoldCase(a[0]) < FoldCase(b[0]); });
    std::u16string text;
    std::array<std::int32_t, 25> index{};
    for (std::size_t n = 0; n < words.size(); ++n) {
      text += words[n] + u"@释义" + std::u16string(1, u'0' + n % 10) + u"@" + words[n] + u"\r\n";
      char16_t initial = FoldCase(words[n][0]);
      int k = initial - u'a' + 1;
      if (k >= 1 && k <= 24 && index[k] == 0) index[k] = static_cast<std::int32_t>(n + 1);
    }
    for (int k = 1; k <= 24; ++k) {
      int fault = g.Pick(0, 9);
      if (fault == 0) index[k] += g.Pick(0, 6) - 3;  // a few lines off
      if (fault == 1) index[k] = 0;                  // a missing line
    }
    EnglishDictionary dict = English(text, index, seed % 2 == 0);
    int found = 0;
    for (int i = 0; i < 200; ++i) {
      std::u16string term = g.TermFrom(words[g.Pick(0, words.size() - 1)]);
      std::u16string answer = LookUpEnglish(dict, term);
      ASSERT_EQ(answer, ReferenceEnglish(dict, term))
          << "seed " << seed << " term " << Utf16ToUtf8(term);
      found += answer.starts_with(u"释义");
    }
    EXPECT_GT(found, 50) << "seed " << seed;  // the terms hit as well as miss
  }
}

TEST(LookUpChinese, EqualsTheReferenceOnGeneratedDictionaries) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    Generated g(seed);
    std::vector<std::u16string> words;
    std::u16string text;
    for (int i = 0; i < 600; ++i) {
      std::u16string w = g.Word();
      words.push_back(w);
      int kind = g.Pick(0, 19);
      if (kind == 0) text += u"续行没有分隔符\r\n";
      if (kind == 1) text += u"·@dú无字\r\n";
      text += w + u"@yīn" + std::u16string(1, u'0' + i % 10) + u"@释义\r\n";
    }
    ChineseDictionary dict;
    ParseChineseDictionary(seed % 2 == 0 ? EncodeUtf8(text) : *EncodeGbk(text), dict.table);
    int found = 0;
    for (int i = 0; i < 200; ++i) {
      std::u16string term = g.TermFrom(words[g.Pick(0, words.size() - 1)]);
      std::u16string answer = LookUpChinese(dict, term);
      ASSERT_EQ(answer, ReferenceChinese(dict, term))
          << "seed " << seed << " term " << Utf16ToUtf8(term);
      found += answer.starts_with(u"yīn");
    }
    EXPECT_GT(found, 50) << "seed " << seed;
  }
}

}  // namespace
}  // namespace velmo
