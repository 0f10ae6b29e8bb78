// The clean log's exact text and name, and the number formats the cleaner's lines use.
#include "box/cleaner/clean_log.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

TEST(CleanLogTest, LinesForThreeFilesAndForNone) {
  LocalTime now{2026, 3, 7, 9, 5, 4};
  EXPECT_EQ(CleanLogName(now), u"20260307090504.log");
  EXPECT_EQ(CleanLogText(CleanType::kNormal, now,
                         {u"C:\\T\\a.tmp", u"C:\\T\\b.tmp", u"C:\\T\\文件.bak"}, 12.3456f, 3),
            u"清理日志\r\nType = 0 'Normal\r\n\r\nTime = 2026-03-07 09:05\r\n\r\n"
            u"C:\\T\\a.tmp\r\nC:\\T\\b.tmp\r\nC:\\T\\文件.bak\r\n\r\n\r\n"
            u"垃圾文件容量：12.346MB\r\n垃圾文件数目：3项\r\n");
  std::u16string none = CleanLogText(CleanType::kPowerful, {2026, 12, 31, 23, 59, 0}, {}, 0, 0);
  EXPECT_EQ(none,
            u"清理日志\r\nType = 1 'Powerful\r\n\r\nTime = 2026-12-31 23:59\r\n\r\n\r\n\r\n"
            u"垃圾文件容量：0.000MB\r\n垃圾文件数目：0项\r\n");
  // Written as the system's code page writes it.
  EXPECT_EQ(EncodeText(none).substr(0, 8), "\xC7\xE5\xC0\xED\xC8\xD5\xD6\xBE");
}

TEST(CleanLogTest, NumberFormats) {
  const struct {
    double value;
    int decimals;
    const char16_t* text;
  } decimals[] = {
      {1536 / 1024.0, 1, u"1.5"}, {100 / 1024.0, 1, u"0.1"}, {0, 3, u"0.000"},
      {12.3456, 3, u"12.346"},    {0.25, 1, u"0.3"},         {2048.0, 1, u"2048.0"},
  };
  for (const auto& d : decimals) EXPECT_EQ(FormatDecimals(d.value, d.decimals), d.text);
  const struct {
    float value;
    const char16_t* text;
  } numbers[] = {{0, u"0"}, {12.5f, u"12.5"}, {1.0f / 3, u"0.3333333"}, {1234.5678f, u"1234.568"},
                 {12345678.0f, u"1.234568E+07"}};
  for (const auto& n : numbers) EXPECT_EQ(NumberText(n.value), n.text);
  EXPECT_FLOAT_EQ(Megabytes(3 * 1048576 + 524288), 3.5f);
}

}  // namespace
}  // namespace velmo
