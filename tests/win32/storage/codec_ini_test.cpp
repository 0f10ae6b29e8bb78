// The portable GBK codec and INI reader agree with Windows' own code page 936 and
// GetPrivateProfileStringW on the same bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "box/storage/ini_file.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

std::u16string SystemDecode(const std::string& bytes) {
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(),
                              static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return u"<invalid>";
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                      out.data(), n);
  return Narrow16(out);
}

TEST(Win32Codec, SystemCodePageIs936UnderTheTestLocale) { EXPECT_EQ(GetACP(), 936u); }

TEST(Win32Codec, EveryDoubleBytePairDecodesLikeCodePage936) {
  int mismatches = 0;
  std::string first_mismatch;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string system = SystemDecode(pair);
      DecodedText ours = DecodeGbk(pair);
      // Pairs Windows leaves unassigned (or maps to the private use area) are escaped by us.
      bool system_plain = system != u"<invalid>" && !(system[0] >= 0xE000 && system[0] <= 0xF8FF);
      bool same = system_plain ? ours.text == system : ours.invalid_bytes > 0;
      if (!same && mismatches++ == 0) {
        char buf[64];
        snprintf(buf, sizeof buf, "%02X%02X sys=%04X ours=%04X", lead, trail,
                 system.empty() ? 0 : system[0], ours.text.empty() ? 0 : ours.text[0]);
        first_mismatch = buf;
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "first: " << first_mismatch;
}

TEST(Win32Codec, EncodingMatchesWideCharToMultiByte) {
  std::u16string text = u"维莫盒子！音乐·便笺—快速启动 abc 123 €";
  std::wstring w = Wide(text);
  int n = WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string system(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, 0, w.data(), static_cast<int>(w.size()), system.data(), n, nullptr,
                      nullptr);
  auto ours = EncodeGbk(text);
  ASSERT_TRUE(ours.has_value());
  EXPECT_EQ(*ours, system);
}

std::u16string ProfileRead(const std::u16string& path, const char16_t* section,
                           const char16_t* key) {
  wchar_t buffer[256];
  DWORD n = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"", buffer, 255,
                                     Wide(path).c_str());
  return Narrow16(std::wstring(buffer, n));
}

TEST(Win32Ini, ReaderAgreesWithGetPrivateProfileString) {
  const char* content =
      "[Basic]\r\n"
      "GreetingAfterRunning =True\r\n"
      "  PositionRecord=  false  \r\n"
      "Top =-20\r\n"
      "Left =11700\r\n"
      "left=1\r\n"
      ";Comment=yes\r\n"
      "Quoted=\"a b\"\r\n"
      "Single='x'\r\n"
      "Empty=\r\n"
      "Equals=a=b\r\n"
      "\r\n"
      "[debug]\r\n"
      "KeyIntercept = False\r\n"
      "Spaced Key = some value \r\n"
      "[Basic]\r\n"
      "Second=seen\r\n"
      "Top=99\r\n";
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::u16string path = JoinPath(Narrow16(base), u"velmo_ini_test.ini");
  Win32FileSystem fs;
  ASSERT_TRUE(fs.WriteFileAtomic(path, content));
  IniFile ini = IniFile::Parse(DecodeText(content).text);

  const std::pair<const char16_t*, const char16_t*> probes[] = {
      {u"Basic", u"GreetingAfterRunning"}, {u"basic", u"positionrecord"}, {u"Basic", u"Top"},
      {u"Basic", u"Left"},     {u"Basic", u";Comment"},  {u"Basic", u"Quoted"},
      {u"Basic", u"Single"},   {u"Basic", u"Empty"},     {u"Basic", u"Equals"},
      {u"Debug", u"KeyIntercept"}, {u"Debug", u"Spaced Key"}, {u"Basic", u"Second"},
      {u"Basic", u"Missing"},  {u"Nowhere", u"Top"},
  };
  for (const auto& [section, key] : probes) {
    EXPECT_EQ(Utf16ToUtf8(ReadIniValue(ini, section, key)),
              Utf16ToUtf8(ProfileRead(path, section, key)))
        << Utf16ToUtf8(section) << "/" << Utf16ToUtf8(key);
  }
}

}  // namespace
}  // namespace velmo
