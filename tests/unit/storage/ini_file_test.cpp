// The INI reader against GetPrivateProfileString's rules, the in-place writer, value forms.
#include "box/storage/ini_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

// Each probe's expected text is what GetPrivateProfileString returns for the same file.
TEST(IniRead, FollowsThePlatformReader) {
  IniFile ini = IniFile::Parse(
      u"[Basic]\r\n"
      u"GreetingAfterRunning =True\r\n"
      u"  PositionRecord=  false  \r\n"
      u"Top =-20\r\n"
      u"Left =11700\r\n"
      u"left=1\r\n"
      u";Comment=yes\r\n"
      u"Quoted=\"a b\"\r\n"
      u"Single='x'\r\n"
      u"Mixed=\"x'\r\n"
      u"InnerQ= \" a \" \r\n"
      u"OneQ=\"\r\n"
      u"Equals=a=b\r\n"
      u"NoEquals\r\n"
      u"Tab\t=\tv\t\r\n"
      u"[bad\r\n"
      u"AfterBad=1\r\n"
      u"\r\n"
      u"[ Spaced ] ; note\r\n"
      u"S=1\r\n"
      u"[C]]\r\n"
      u"K=3\r\n"
      u"[debug]\r\n"
      u"KeyIntercept = False\r\n"
      u"Spaced Key = some value \r\n"
      u"[Basic]\r\n"
      u"Second=seen\r\n"
      u"Top=99\r\n");
  const struct {
    std::u16string_view section, key;
    std::optional<std::u16string> value;
  } probes[] = {
      {u"Basic", u"GreetingAfterRunning", u"True"},
      {u"basic", u"positionrecord", u"false"},
      {u"Basic", u"Top", u"-20"},
      {u"Basic", u"Left", u"11700"},
      {u"Basic", u";Comment", u"yes"},
      {u"Basic", u"Quoted", u"a b"},
      {u"Basic", u"Single", u"x"},
      {u"Basic", u"Mixed", u"\"x'"},
      {u"Basic", u"InnerQ", u" a "},
      {u"Basic", u"OneQ", u"\""},
      {u"Basic", u"Equals", u"a=b"},
      {u"Basic", u"NoEquals", std::nullopt},
      {u"Basic", u"Tab", u"v"},
      {u"Basic", u"AfterBad", u"1"},
      {u"bad", u"AfterBad", std::nullopt},
      {u"Spaced", u"S", u"1"},
      {u" Spaced ", u" S ", u"1"},
      {u"C]", u"K", u"3"},
      {u"Debug", u"KeyIntercept", u"False"},
      {u"Debug", u"Spaced Key", u"some value"},
      {u"Basic", u"Second", std::nullopt},  // only the first [Basic] is searched
      {u"Basic", u"Missing", std::nullopt},
      {u"Nowhere", u"Top", std::nullopt},
  };
  for (const auto& p : probes) {
    EXPECT_EQ(ini.Get(p.section, p.key), p.value)
        << Utf16ToUtf8(p.section) << "/" << Utf16ToUtf8(p.key);
  }
}

TEST(IniRead, ValuesAreCutAt254Characters) {
  std::u16string long_value(300, u'x');
  IniFile ini = IniFile::Parse(u"[S]\r\nK=" + long_value + u"\r\n");
  EXPECT_EQ(ReadIniValue(ini, u"S", u"K"), long_value.substr(0, 254));
  EXPECT_EQ(ReadIniValue(ini, u"S", u"Missing"), u"");
  EXPECT_EQ(ReadIniValue(IniFile(), u"S", u"K"), u"");
}

const std::u16string kSample =
    u"; my settings\r\n"
    u"[Basic]\r\n"
    u"GreetingAfterRunning =True\r\n"
    u"Unknown  =  kept \r\n"
    u"\r\n"
    u"[Other]\r\n"
    u"X=1\r\n"
    u"\r\n"
    u"[Debug]\r\n"
    u"KeyIntercept = False\r\n";

TEST(IniWrite, ReplacesOnlyTheKeysLine) {
  IniFile ini = IniFile::Parse(kSample);
  WriteIniValue(ini, u"debug", u"KeyIntercept", u"True");
  WriteIniValue(ini, u"Basic", u"GreetingAfterRunning", u"False");
  EXPECT_EQ(ini.Serialize(),
            u"; my settings\r\n"
            u"[Basic]\r\n"
            u"GreetingAfterRunning=False\r\n"
            u"Unknown  =  kept \r\n"
            u"\r\n"
            u"[Other]\r\n"
            u"X=1\r\n"
            u"\r\n"
            u"[Debug]\r\n"
            u"KeyIntercept=True\r\n");
  EXPECT_EQ(ParseIniBool(ReadIniValue(ini, u"Debug", u"KeyIntercept")), true);
}

TEST(IniWrite, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
  IniFile ini = IniFile::Parse(kSample);
  WriteIniValue(ini, u"Basic", u"Top", u"-20");
  WriteIniValue(ini, u"Music", u"PlayMusicAfterRunning", u"False");
  WriteIniValue(ini, u"Music", u"PauseWhenProgramRunning", u"True");
  EXPECT_EQ(ini.Serialize(),
            u"; my settings\r\n"
            u"[Basic]\r\n"
            u"GreetingAfterRunning =True\r\n"
            u"Unknown  =  kept \r\n"
            u"Top=-20\r\n"
            u"\r\n"
            u"[Other]\r\n"
            u"X=1\r\n"
            u"\r\n"
            u"[Debug]\r\n"
            u"KeyIntercept = False\r\n"
            u"\r\n"
            u"[Music]\r\n"
            u"PlayMusicAfterRunning=False\r\n"
            u"PauseWhenProgramRunning=True\r\n");
}

TEST(IniWrite, AnEmptyFileGetsTheSectionFirst) {
  IniFile ini;
  EXPECT_EQ(ini.Serialize(), u"");
  WriteIniValue(ini, u"Basic", u"Left", u"11700");
  EXPECT_EQ(ini.Serialize(), u"[Basic]\r\nLeft=11700\r\n");
}

TEST(IniWrite, ValuesAreCutAt256CharactersAndAtANul) {
  IniFile ini;
  WriteIniValue(ini, u"S", u"Long", std::u16string(300, u'y'));
  WriteIniValue(ini, u"S", u"Nul", std::u16string(u"ab\0cd", 5));
  EXPECT_EQ(ini.Get(u"S", u"Long"), std::u16string(256, u'y'));
  EXPECT_EQ(ini.Get(u"S", u"Nul"), u"ab");
}

TEST(IniValues, ParseIniBool) {
  const struct {
    std::u16string_view text;
    std::optional<bool> value;
  } cases[] = {
      {u"True", true},   {u"true", true},      {u"TRUE", true},  {u" True ", true},
      {u"False", false}, {u"fALSE", false},    {u"1", true},     {u"-1", true},
      {u"0", false},     {u"0.0", false},      {u"2.5", true},   {u" 0 ", false},
      {u"", std::nullopt}, {u"yes", std::nullopt}, {u"Truee", std::nullopt},
      {u"1x", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniBool(c.text), c.value) << Utf16ToUtf8(c.text);
}

TEST(IniValues, ParseIniNumber) {
  const struct {
    std::u16string_view text;
    std::optional<float> value;
  } cases[] = {
      {u"11700", 11700.0f}, {u"-20", -20.0f},      {u" +3.5 ", 3.5f}, {u".5", 0.5f},
      {u"5.", 5.0f},        {u"1e3", 1000.0f},     {u"2E-1", 0.2f},   {u"0.1", 0.1f},
      {u"", std::nullopt},  {u"-", std::nullopt},  {u".", std::nullopt},
      {u"1e", std::nullopt}, {u"12a", std::nullopt}, {u"1 2", std::nullopt},
      {u"1e99", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniNumber(c.text), c.value) << Utf16ToUtf8(c.text);
}

TEST(IniValues, FormatSingleIsTheShortestTextThatReadsBack) {
  const struct {
    float value;
    std::u16string_view text;
  } cases[] = {
      {11700.0f, u"11700"}, {-20.0f, u"-20"}, {0.0f, u"0"}, {0.1f, u"0.1"},
      {-2880.5f, u"-2880.5"}, {1e10f, u"10000000000"}, {16777216.0f, u"16777216"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSingle(c.value), c.text);
  for (float value : {0.1f, 1.0f / 3.0f, 123456.78f, -1e-7f, 3.4e38f, 1.17549435e-38f}) {
    EXPECT_EQ(ParseIniNumber(FormatSingle(value)), value) << value;
  }
}

TEST(IniValues, FormatBool) {
  EXPECT_EQ(FormatBool(true), u"True");
  EXPECT_EQ(FormatBool(false), u"False");
}

}  // namespace
}  // namespace velmo
