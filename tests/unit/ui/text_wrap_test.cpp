// Line breaking of labels, with every character 1 wide (2 for Chinese ones).
#include "box/ui/text_wrap.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

int Width(char16_t c) { return c >= 0x2E80 ? 2 : 1; }

std::vector<std::u16string> Wrap(std::u16string_view text, int width) {
  return WrapText(text, width, Width);
}

TEST(TextWrap, BreaksAtBlanksAndBetweenChineseCharacters) {
  EXPECT_EQ(Wrap(u"one two three", 7), (std::vector<std::u16string>{u"one two", u"three"}));
  EXPECT_EQ(Wrap(u"文件或程序名称", 6), (std::vector<std::u16string>{u"文件或", u"程序名", u"称"}));
  EXPECT_EQ(Wrap(u"名称abc文件", 7), (std::vector<std::u16string>{u"名称abc", u"文件"}));
}

TEST(TextWrap, PunctuationStaysWithItsText) {
  // "。" may not start a line, so "称" goes down with it; "“" may not end one.
  EXPECT_EQ(Wrap(u"名称。", 4), (std::vector<std::u16string>{u"名", u"称。"}));
  EXPECT_EQ(Wrap(u"以“!”开头", 4), (std::vector<std::u16string>{u"以", u"“!”", u"开头"}));
}

TEST(TextWrap, AQuotedPhraseStaysWholeWhereItFits) {
  EXPECT_EQ(Wrap(u"输入“!a -t 0”。", 12), (std::vector<std::u16string>{u"输入", u"“!a -t 0”。"}));
  EXPECT_EQ(Wrap(u"“abcdef”", 4), (std::vector<std::u16string>{u"“abc", u"def”"}));
  EXPECT_EQ(Wrap(u"“a” b c", 5), (std::vector<std::u16string>{u"“a” b", u"c"}));
}

TEST(TextWrap, LineBreaksAndOverlongWords) {
  EXPECT_EQ(Wrap(u"a\r\n\nb", 5), (std::vector<std::u16string>{u"a", u"", u"b"}));
  EXPECT_EQ(Wrap(u"abcdefgh", 3), (std::vector<std::u16string>{u"abc", u"def", u"gh"}));
  EXPECT_EQ(Wrap(u"字", 1), (std::vector<std::u16string>{u"字"}));
  EXPECT_EQ(Wrap(u"", 5), (std::vector<std::u16string>{u""}));
}

}  // namespace
}  // namespace velmo
