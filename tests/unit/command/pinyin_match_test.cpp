// Item names found by what is typed: pinyin as whole syllables, initials and any mix of them,
// every reading of a polyphonic character, letters and digits in either case, word starts and
// letters in order; and the ranking by kind of match, then by use.
#include "box/command/pinyin_match.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"
#include "box/storage/usage_file.h"
#include "fakes/fake_pinyin_readings.h"

namespace velmo {
namespace {

using Names = std::vector<std::u16string>;

Names NamesOf(const PinyinMatcher& matcher, std::u16string_view typed) {
  Names names;
  for (const Suggestion& s : matcher.Suggest(typed)) names.push_back(matcher.NameAt(s.index));
  return names;
}

TEST(PinyinMatcher, FindsNamesByAnyPartAndRanksByHowTheyMatch) {
  FakePinyinReadings readings;
  PinyinMatcher matcher(readings);
  matcher.SetNames({u"记事本",
                    u"QQ音乐",
                    u"计算器",
                    u"行情",
                    u"重庆银行",
                    u"西安",
                    u"先锋",
                    u"绿色版 2",
                    u"《Word》 2016",
                    u"计算",
                    u"音乐",
                    u"日本語",
                    u"京东",
                    u"金山",
                    u"截图",
                    u"——",
                    u"notepad",
                    u"腾讯QQ",
                    u"Adobe Photoshop",
                    u"WinRAR"});
  using enum MatchKind;
  struct Case {
    std::u16string typed;
    Names expected;
    MatchKind first = kNone;  // how the first one matched
  };
  const Case cases[] = {
      // Full syllables, initials, and either per character, from the first one on.
      {u"jisuanqi", {u"计算器"}, kBeginning},
      {u"jsq", {u"计算器"}, kBeginning},
      {u"jisq", {u"计算器"}, kBeginning},
      {u"jsuanq", {u"计算器"}, kBeginning},
      {u"JSQ", {u"计算器"}, kBeginning},
      {u"ｊｓｑ", {u"计算器"}, kBeginning},
      {u"jsb", {u"记事本"}, kBeginning},
      // Names that begin with it in list order; "js" is also jin's "j" and shan's "s".
      {u"js", {u"记事本", u"计算器", u"计算", u"金山"}, kBeginning},
      // "xian" is 西安 read xi'an, and the start of 先锋.
      {u"xian", {u"西安", u"先锋"}, kBeginning},
      // Any reading of a polyphonic character.
      {u"hangqing", {u"行情"}, kBeginning},
      {u"xq", {u"行情"}, kBeginning},
      {u"zhongqingyinxing", {u"重庆银行"}, kBeginning},
      // Letters and digits as themselves in either case; blanks and punctuation passed over, in
      // the name and typed.
      {u"qqyy", {u"QQ音乐"}, kBeginning},
      {u"lvshaiban", {u"绿色版 2"}, kBeginning},
      {u"WORD", {u"《Word》 2016"}, kBeginning},
      {u"j s q!", {u"计算器"}, kBeginning},
      {u"note", {u"notepad"}, kBeginning},
      // A name that begins with it before one whose word it begins: QQ at 腾讯QQ's end.
      {u"qq", {u"QQ音乐", u"腾讯QQ"}, kBeginning},
      {u"yy", {u"音乐", u"QQ音乐"}, kBeginning},
      // Parts that each begin a word or a hanzi: a capital after a small letter, a digit after a
      // blank, hanzi typed as themselves.
      {u"qyh", {u"重庆银行"}, kWordStarts},
      {u"sq", {u"计算器"}, kWordStarts},
      {u"ap", {u"Adobe Photoshop"}, kWordStarts},
      {u"photo", {u"Adobe Photoshop"}, kWordStarts},
      {u"rar", {u"WinRAR"}, kWordStarts},
      {u"2016", {u"《Word》 2016"}, kWordStarts},
      {u"事本", {u"记事本"}, kWordStarts},
      // Anything else in order: letters inside words, a reading's beginning after a gap.
      {u"notepd", {u"notepad"}, kScattered},
      {u"ntpd", {u"notepad"}, kScattered},
      {u"ps", {u"Adobe Photoshop"}, kScattered},
      {u"wr", {u"WinRAR", u"《Word》 2016"}, kWordStarts},
      // The name itself, exactly as Run finds it, first of all.
      {u"记事本", {u"记事本"}, kExact},
      {u"计算", {u"计算", u"计算器"}, kExact},
      // A character without readings is matched by itself alone.
      {u"rb", {u"日本語"}, kBeginning},
      {u"rby", {}},
      {u"rb語", {u"日本語"}, kBeginning},
      {u"j", {u"记事本", u"计算器", u"计算", u"京东", u"金山", u"截图"}, kBeginning},
      // A reading takes part from its beginning only: no "n" of 记事本's "ben".
      {u"n", {u"notepad", u"WinRAR"}, kBeginning},
      // Nothing: no match, or nothing typed but punctuation and blanks.
      {u"jsqq", {}},
      {u"qqyyy", {}},
      {u"notepadd", {}},
      {u"", {}},
      {u" ", {}},
      {u"——", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NamesOf(matcher, c.typed), c.expected) << Utf16ToUtf8(c.typed);
    std::vector<Suggestion> found = matcher.Suggest(c.typed);
    EXPECT_EQ(found.empty() ? kNone : found.front().kind, c.first) << Utf16ToUtf8(c.typed);
  }
  EXPECT_TRUE(matcher.Suggest(u"jsq", 0).empty());
  EXPECT_EQ(matcher.Suggest(u"j", 2), (std::vector<Suggestion>{{0, kBeginning}, {2, kBeginning}}));
  EXPECT_EQ(NamesOf(matcher, std::u16string(64, u'a')), Names{});

  // At most eight, by default.
  matcher.SetNames({u"x0", u"x1", u"x2", u"x3", u"x4", u"x5", u"x6", u"x7", u"x8", u"ax"});
  EXPECT_EQ(NamesOf(matcher, u"x"),
            (Names{u"x0", u"x1", u"x2", u"x3", u"x4", u"x5", u"x6", u"x7"}));

  // A new list replaces the old one, order and all.
  matcher.SetNames({u"计算", u"截图", u"计算器"});
  EXPECT_EQ(NamesOf(matcher, u"js"), (Names{u"计算", u"计算器"}));
  EXPECT_EQ(NamesOf(matcher, u"jt"), (Names{u"截图"}));
  EXPECT_EQ(NamesOf(matcher, u"qq"), Names{});
}

// Among names found alike, the one launched more, and more lately, first: a launch's weight
// halves every fourteen days. Never launched comes last; ties keep the list's order.
TEST(PinyinMatcher, RanksNamesFoundAlikeByUseDecayedByAge) {
  FakePinyinReadings readings;
  PinyinMatcher matcher(readings);
  const Names names = {u"note", u"notepad", u"notes", u"Notebook"};
  const std::int64_t now = LocalSeconds({2026, 12, 9, 12, 0, 0});
  constexpr std::int64_t kDay = 24 * 3600;
  struct Launches {
    std::u16string name;
    std::uint32_t count;
    int days_ago;
  };
  const struct {
    std::vector<Launches> launches;
    Names expected;  // for "note"; the exact name first whatever its use
  } cases[] = {
      {{}, {u"note", u"notepad", u"notes", u"Notebook"}},
      {{{u"Notebook", 1, 0}}, {u"note", u"Notebook", u"notepad", u"notes"}},
      // One launch today outweighs one a month ago...
      {{{u"notepad", 1, 30}, {u"notes", 1, 0}}, {u"note", u"notes", u"notepad", u"Notebook"}},
      // ...but not ten of them (10 × 2^(-30/14) = 2.3).
      {{{u"notepad", 10, 30}, {u"notes", 1, 0}}, {u"note", u"notepad", u"notes", u"Notebook"}},
      {{{u"notepad", 10, 30}, {u"notes", 3, 0}}, {u"note", u"notes", u"notepad", u"Notebook"}},
      // Three a week ago (2.1) against two today.
      {{{u"notes", 3, 7}, {u"Notebook", 2, 0}}, {u"note", u"notes", u"Notebook", u"notepad"}},
      // Twice as many, half as heavy, and a day younger.
      {{{u"Notebook", 2, 14}, {u"notes", 1, 1}}, {u"note", u"Notebook", u"notes", u"notepad"}},
      {{{u"note", 1, 400}, {u"notes", 50, 0}}, {u"note", u"notes", u"notepad", u"Notebook"}},
  };
  for (const auto& c : cases) {
    UsageFile usage;
    for (const Launches& l : c.launches) usage.Add(l.name, {l.count, now - l.days_ago * kDay});
    matcher.SetNames(names);
    matcher.SetRanking([&usage](const std::u16string& name) { return UseRank(usage.Find(name)); });
    EXPECT_EQ(NamesOf(matcher, u"note"), c.expected) << Utf16ToUtf8(c.expected[1]);
  }

  // A launch moves its name up once it is ranked again; a kind found better still comes first.
  UsageFile usage;
  matcher.SetRanking([&usage](const std::u16string& name) { return UseRank(usage.Find(name)); });
  usage.Record(u"notes", now);
  matcher.Rerank(u"notes");
  EXPECT_EQ(NamesOf(matcher, u"not"), (Names{u"notes", u"note", u"notepad", u"Notebook"}));
  EXPECT_EQ(NamesOf(matcher, u"note"), (Names{u"note", u"notes", u"notepad", u"Notebook"}));
  EXPECT_EQ(NamesOf(matcher, u"ntbk"), (Names{u"Notebook"}));
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
      {3, 0, {u"行情"}},    {0, 1, {}}, {1, 1, {u"计时器", u"截图"}},
      {4, 0, {u"记事本2"}}, {0, 3, {}}, {0, 0, {u"西安", u"先锋", u"计算"}},
      {2, 2, {u"QQ"}},      {0, 4, {}},
  };
  for (const auto& c : changes) {
    auto at = names.begin() + static_cast<std::ptrdiff_t>(c.at);
    at = names.erase(at, at + static_cast<std::ptrdiff_t>(c.removed));
    names.insert(at, c.inserted.begin(), c.inserted.end());
    spliced.Splice(c.at, c.removed, c.inserted);
    whole.SetNames(names);
    for (const char16_t* typed : {u"j", u"js", u"jsq", u"qq", u"hq", u"xian", u"jt", u"q"}) {
      EXPECT_EQ(NamesOf(spliced, typed), NamesOf(whole, typed)) << Utf16ToUtf8(typed);
    }
  }
  EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace velmo
