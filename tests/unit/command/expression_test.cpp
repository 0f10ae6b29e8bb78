// The "#" calculator against results worked out from VBScript's documented semantics.
#include "box/command/expression.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

struct Case {
  const char16_t* expression;
  const char16_t* result;  // nullptr: the evaluation fails
};

TEST(ExpressionTest, EvaluatesAsVbscript) {
  const Case cases[] = {
      // Precedence: negation before ^, ^ from left to right, Mod below \ below * and /.
      {u"2^10", u"1024"},
      {u"-2^2", u"4"},
      {u"2^-1", u"0.5"},
      {u"2^3^2", u"64"},
      {u"1+2*3", u"7"},
      {u"(1+2)*3", u"9"},
      {u"7 mod 4 * 2", u"7"},
      {u"10\\3*2", u"1"},
      {u"1 + 2 & 3", u"33"},
      {u"1 < 2 = True", u"True"},
      {u"Not 1 = 2 And 3 > 2", u"True"},
      {u"True Or False And False", u"True"},
      {u"- - 3", u"3"},
      {u"+ 3", u"3"},
      // \ and Mod round their operands half to even first; Mod keeps the dividend's sign.
      {u"5.5\\1", u"6"},
      {u"4.5\\1", u"4"},
      {u"6.5 Mod 4", u"2"},
      {u"7.5 MOD 4", u"0"},
      {u"-7 Mod 3", u"-1"},
      {u"-7\\2", u"-3"},
      // Integer widens to Long, Long to Double; / and ^ give Double.
      {u"32767+1", u"32768"},
      {u"2147483647+1", u"2147483648"},
      {u"65536*65536", u"4294967296"},
      {u"-(&H8000)", u"32768"},
      {u"6/3", u"2"},
      {u"1/3", u"0.333333333333333"},
      {u"2/3", u"0.666666666666667"},
      {u"0.1+0.2", u"0.3"},
      {u"1E20", u"1E+20"},
      {u"1.5E16", u"1.5E+16"},
      {u"123456789012345", u"123456789012345"},
      {u"1234567890123456", u"1.23456789012346E+15"},
      {u"0.0001", u"0.0001"},
      {u"1/100000", u"1E-05"},
      {u"-1.25e-7", u"-1.25E-07"},
      {u"1e308*10", nullptr},
      {u"-0.4*0", u"0"},
      {u".5+1", u"1.5"},
      // &H and &O take Integer bits up to 16 bits, else Long bits.
      {u"&HFFFF", u"-1"},
      {u"&H8000", u"-32768"},
      {u"&H10000", u"65536"},
      {u"&hFFFFFFFF", u"-1"},
      {u"&O17", u"15"},
      {u"&H100000000", nullptr},
      // Strings: doubled quotes, + concatenates two strings and adds a numeric string.
      {u"\"a\" & 1", u"a1"},
      {u"\"say \"\"hi\"\"\"", u"say \"hi\""},
      {u"\"1\" + \"2\"", u"12"},
      {u"\"1\" + 2", u"3"},
      {u"\" 2.5 \" * 2", u"5"},
      {u"\"a\" + 1", nullptr},
      {u"True & \"\"", u"True"},
      {u"\"abc\" < \"abd\"", u"True"},
      {u"\"B\" < \"a\"", u"True"},
      {u"1 < \"0\"", u"True"},  // a number is less than any string
      {u"True + True", u"-2"},
      // Logical operators: Boolean on Booleans, bitwise otherwise.
      {u"Not True", u"False"},
      {u"Not 0", u"-1"},
      {u"12 And 10", u"8"},
      {u"12 Or 3", u"15"},
      {u"12 Xor 10", u"6"},
      {u"True Eqv False", u"False"},
      {u"False Imp False", u"True"},
      {u"True And 5", u"5"},
      // Functions, case-insensitive.
      {u"ABS(-3)", u"3"},
      {u"Sqr(16)", u"4"},
      {u"Int(-2.5)", u"-3"},
      {u"Fix(-2.5)", u"-2"},
      {u"Sgn(-0.1)", u"-1"},
      {u"Round(2.5)", u"2"},
      {u"Round(3.5)", u"4"},
      {u"Round(-2.5)", u"-2"},
      {u"round(1.2345, 2)", u"1.23"},
      {u"Round(0.125, 2)", u"0.12"},
      {u"Exp(0) + Log(1) + Cos(0)", u"2"},
      {u"Atn(1)*4", u"3.14159265358979"},
      {u"CInt(2.5) + CInt(\"3.5\")", u"6"},
      {u"CInt(40000)", nullptr},
      {u"CLng(2147483648)", nullptr},
      {u"CBool(\"false\")", u"False"},
      {u"CBool(2)", u"True"},
      {u"CDbl(\"&H10\")", u"16"},
      {u"CStr(1/4) & \"\"", u"0.25"},
      {u"Hex(255)", u"FF"},
      {u"Hex(-1)", u"FFFF"},
      {u"Hex(-1.0)", u"FFFFFFFF"},
      {u"Oct(8)", u"10"},
      {u"Len(\"中文\") + Len(123)", u"5"},
      {u"UCase(\"ab\") & LCase(\"CD\")", u"ABcd"},
      {u"Left(\"hello\", 2) & Right(\"hello\", 9) & Mid(\"hello\", 2, 3)", u"hehelloell"},
      {u"Mid(\"hello\", 9)", u""},
      {u"\"[\" & Trim(\"  a  \") & LTrim(\" b \") & RTrim(\" c \") & \"]\"", u"[ab  c]"},
      {u"Space(2) & String(3, \"xy\") & String(2, 65)", u"  xxxAA"},
      {u"InStr(\"banana\", \"na\") & InStr(4, \"banana\", \"na\") & InStr(\"a\", \"b\")", u"350"},
      {u"StrReverse(\"abc\")", u"cba"},
      {u"Chr(65) & ChrW(20013) & Asc(\"A\") & AscW(\"中\")", u"A中6520013"},
      {u"Asc(\"中\")", u"-10544"},
      // Failures.
      {u"1/0", nullptr},
      {u"0/0", nullptr},
      {u"5\\0", nullptr},
      {u"5 Mod 0.4", nullptr},
      {u"2*", nullptr},
      {u"(1", nullptr},
      {u"1)", nullptr},
      {u"", nullptr},
      {u"  ", nullptr},
      {u"x+1", nullptr},
      {u"Foo(1)", nullptr},
      {u"Abs", nullptr},
      {u"Abs(1, 2)", nullptr},
      {u"Mod 2", nullptr},
      {u"\"open", nullptr},
      {u"Sqr(-1)", nullptr},
      {u"Log(0)", nullptr},
      {u"(-8)^(1/3)", nullptr},
      {u"0^-1", nullptr},
      {u"Left(\"a\", -1)", nullptr},
      {u"Space(70000)", nullptr},
      {u"1 # 2", nullptr},
      {u"1 ＋ 2", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.expression));
    std::optional<std::u16string> result = EvaluateExpression(c.expression);
    if (c.result == nullptr) {
      EXPECT_EQ(result, std::nullopt);
    } else {
      EXPECT_EQ(result, std::optional<std::u16string>(c.result));
    }
  }
}

TEST(ExpressionTest, NestingAndLengthAreBounded) {
  auto nested = [](int depth) {
    return std::u16string(depth, u'(') + u"1" + std::u16string(depth, u')');
  };
  EXPECT_EQ(EvaluateExpression(nested(32)), std::optional<std::u16string>(u"1"));
  EXPECT_EQ(EvaluateExpression(nested(33)), std::nullopt);
  EXPECT_EQ(EvaluateExpression(nested(100000)), std::nullopt);
  std::u16string sum = u"1";
  while (sum.size() < 1020) sum += u"+1";
  EXPECT_EQ(EvaluateExpression(sum), std::optional<std::u16string>(u"511"));
  EXPECT_EQ(EvaluateExpression(sum + u"+1+1"), std::nullopt);
  EXPECT_EQ(EvaluateExpression(std::u16string(1000, u'-') + u"1"),
            std::optional<std::u16string>(u"1"));
}

}  // namespace
}  // namespace velmo
