// Item names found by typed pinyin: whole syllables, initials and any mix of them, every reading
// of a polyphonic character, Latin letters and digits in either case, and the ranking.
#include "box/command/pinyin_match.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"
#include "fakes/fake_pinyin_readings.h"

namespace velmo {
namespace {

using Names = std::vector<std::u16string>;

TEST(PinyinMatcher, SuggestsNamesByTypedPinyin) {
  FakePinyinReadings readings;
  PinyinMatcher matcher(readings);
  matcher.SetNames({u"记事本", u"QQ音乐", u"计算器", u"行情", u"重庆银行", u"西安", u"先锋",
                    u"绿色版 2", u"《Word》 2016", u"计算", u"音乐", u"日本語", u"京东", u"金山",
                    u"截图", u"——"});
  struct Case {
    std::u16string typed;
    Names expected;
  };
  const Case cases[] = {
      // Full syllables, initials, and either per character.
      {u"jisuanqi", {u"计算器"}},
      {u"jsq", {u"计算器"}},
      {u"jisq", {u"计算器"}},
      {u"jsuanq", {u"计算器"}},
      {u"jisuaq", {u"计算器"}},
      {u"JSQ", {u"计算器"}},
      {u"ｊｓｑ", {u"计算器"}},
      // Names matched in full first, then those it begins, each in list order; "jis" is also
      // jin's "ji" and shan's "s".
      {u"js", {u"计算", u"金山", u"记事本", u"计算器"}},
      {u"jis", {u"计算", u"金山", u"记事本", u"计算器"}},
      {u"jisuanq", {u"计算器"}},
      // "xian" is 西安 read xi'an in full, and the start of 先锋.
      {u"xian", {u"西安", u"先锋"}},
      {u"xa", {u"西安"}},
      // Any reading of a polyphonic character.
      {u"hangqing", {u"行情"}},
      {u"xingqing", {u"行情"}},
      {u"hq", {u"行情"}},
      {u"xq", {u"行情"}},
      {u"cqyh", {u"重庆银行"}},
      {u"zhongqingyinxing", {u"重庆银行"}},
      {u"yy", {u"音乐"}},
      {u"yinle", {u"音乐"}},
      // Latin letters and digits as themselves in either case; blanks and punctuation passed
      // over.
      {u"qqyy", {u"QQ音乐"}},
      {u"QQyinyue", {u"QQ音乐"}},
      {u"qq", {u"QQ音乐"}},
      {u"lsb2", {u"绿色版 2"}},
      {u"lvshaiban", {u"绿色版 2"}},
      {u"lus", {u"绿色版 2"}},
      {u"word2016", {u"《Word》 2016"}},
      {u"WORD", {u"《Word》 2016"}},
      // A character without readings ends what typing can match.
      {u"rb", {u"日本語"}},
      {u"rby", {}},
      // At most five, full matches first.
      {u"j", {u"记事本", u"计算器", u"计算", u"京东", u"金山"}},
      // Nothing else: no match, an empty text, or one that is not all letters and digits.
      {u"jsqq", {}},
      {u"qqyyy", {}},
      {u"2016", {}},
      {u"sq", {}},
      {u"", {}},
      {u"j s", {}},
      {u"jsq!", {}},
      {u"计算器", {}},
      {u"计", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(matcher.Suggest(c.typed), c.expected) << Utf16ToUtf8(c.typed);
  }

  // A new list replaces the old one, order and all.
  matcher.SetNames({u"计算", u"截图", u"计算器"});
  EXPECT_EQ(matcher.Suggest(u"js"), (Names{u"计算", u"计算器"}));
  EXPECT_EQ(matcher.Suggest(u"jt"), (Names{u"截图"}));
  EXPECT_EQ(matcher.Suggest(u"qq"), Names{});
}

// Changed a piece at a time, the matcher answers as one prepared from the whole list, also
// after enough removals that it compacts what the removed names left behind.
TEST(PinyinMatcher, SplicedNamesMatchAsWhenSetAnew) {
  FakePinyinReadings readings;
  PinyinMatcher spliced(readings), whole(readings);
  std::vector<std::u16string> names = {u"记事本", u"计算器", u"QQ音乐"};
  spliced.SetNames(names);
  const struct {
    std::size_t at, removed;
    std::vector<std::u16string> inserted;
  } changes[] = {
      {3, 0, {u"行情"}},           {0, 1, {}},  {1, 1, {u"计时器", u"截图"}},
      {4, 0, {u"记事本2"}},         {0, 3, {}},  {0, 0, {u"西安", u"先锋", u"计算"}},
      {2, 2, {u"QQ"}},             {0, 4, {}},
  };
  for (const auto& c : changes) {
    auto at = names.begin() + static_cast<std::ptrdiff_t>(c.at);
    at = names.erase(at, at + static_cast<std::ptrdiff_t>(c.removed));
    names.insert(at, c.inserted.begin(), c.inserted.end());
    spliced.Splice(c.at, c.removed, c.inserted);
    whole.SetNames(names);
    for (const char16_t* typed : {u"j", u"js", u"jsq", u"qq", u"hq", u"xian", u"jt", u"q"}) {
      EXPECT_EQ(spliced.Suggest(typed), whole.Suggest(typed)) << Utf16ToUtf8(typed);
    }
  }
  EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace velmo
