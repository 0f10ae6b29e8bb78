// Usage.sd: what a line must be to count, and what a save writes.
#include "box/storage/usage_file.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"
#include "fakes/fake_file_system.h"

namespace velmo {
namespace {

TEST(UsageFile, ReadsWellFormedLinesAndSkipsTheRest) {
  const struct {
    std::u16string line;
    bool counts;
    std::u16string name;
    ItemUse use;
  } lines[] = {
      {u"记事本*12*2026-12-09 13:04:21",
       true,
       u"记事本",
       {12, LocalSeconds({2026, 12, 9, 13, 4, 21})}},
      {u"a b*1*2024-02-29 00:00:00", true, u"a b", {1, LocalSeconds({2024, 2, 29, 0, 0, 0})}},
      {u"*3*2026-01-01 00:00:00", true, u"", {3, LocalSeconds({2026, 1, 1, 0, 0, 0})}},
      {u"记事本*99*2026-12-09 13:04:21", false, {}, {}},  // a second line for a name
      {u"QQ*0*2026-12-09 13:04:21", false, {}, {}},
      {u"QQ*-1*2026-12-09 13:04:21", false, {}, {}},
      {u"QQ*4294967296*2026-12-09 13:04:21", false, {}, {}},
      {u"QQ* 1*2026-12-09 13:04:21", false, {}, {}},
      {u"QQ*1*2026-12-09", false, {}, {}},
      {u"QQ*1*2026-12-09 13:04:21 ", false, {}, {}},
      {u"QQ*1*2026-02-29 13:04:21", false, {}, {}},
      {u"QQ*1*2026-13-01 13:04:21", false, {}, {}},
      {u"QQ*1*2026-12-09 24:00:00", false, {}, {}},
      {u"QQ*1*2026/12/09 13:04:21", false, {}, {}},
      {u"QQ*1", false, {}, {}},
      {u"QQ", false, {}, {}},
      {u"", false, {}, {}},
  };
  std::u16string text;
  for (const auto& l : lines) text += l.line + u"\r\n";
  UsageFile usage = ParseUsageFile(text);
  std::size_t counted = 0;
  for (const auto& l : lines) {
    if (!l.counts) continue;
    ++counted;
    ASSERT_TRUE(usage.Find(l.name)) << Utf16ToUtf8(l.line);
    EXPECT_EQ(usage.Find(l.name)->count, l.use.count) << Utf16ToUtf8(l.line);
    EXPECT_EQ(usage.Find(l.name)->last, l.use.last) << Utf16ToUtf8(l.line);
  }
  EXPECT_EQ(usage.size(), counted);
  EXPECT_EQ(usage.Find(u"记事本")->count, 12u) << "the first line of a name counts";
}

TEST(UsageFile, WritesTheListedItemsInListOrderAndReadsThemBack) {
  FakeFileSystem files;
  const std::u16string path = u"C:\\Box\\DATA\\Usage.sd";
  files.AddFolder(u"C:\\Box\\DATA");
  EXPECT_TRUE(LoadUsageFile(files, path).empty()) << "a missing file is no use yet";
  EXPECT_FALSE(files.Contents(path)) << "and is not made";

  UsageFile usage;
  usage.Record(u"计算器", LocalSeconds({2026, 12, 1, 8, 0, 5}));
  usage.Record(u"计算器", LocalSeconds({2026, 12, 9, 9, 30, 0}));
  usage.Record(u"删掉的", LocalSeconds({2026, 12, 9, 9, 31, 0}));
  usage.Record(u"QQ音乐", LocalSeconds({1999, 1, 2, 3, 4, 5}));
  EXPECT_EQ(usage.revision, 4u);
  // Duplicated names in the list get one line; 删掉的 is in it no more; 记事本 was never used.
  const std::vector<std::u16string> items = {u"QQ音乐", u"记事本", u"计算器", u"QQ音乐"};
  const std::string bytes = UsageFileBytes(usage, items);
  EXPECT_EQ(bytes, *EncodeGbk(u"QQ音乐*1*1999-01-02 03:04:05\r\n计算器*2*2026-12-09 09:30:00\r\n"));
  ASSERT_TRUE(files.WriteFileAtomic(path, bytes));
  UsageFile read = LoadUsageFile(files, path);
  EXPECT_EQ(read.size(), 2u);
  EXPECT_EQ(read.Find(u"计算器")->count, 2u);
  EXPECT_EQ(read.Find(u"计算器")->last, usage.Find(u"计算器")->last);
  EXPECT_EQ(SerializeUsageFile(read, items), DecodeText(bytes).text);

  // Thousands of names, some dropped and launched again, each found as last given.
  UsageFile many;
  for (std::uint32_t i = 0; i < 3000; ++i) {
    many.Record(u"项目" + Utf8ToUtf16(std::to_string(i)), i);
  }
  for (std::uint32_t i = 0; i < 3000; i += 2) {
    EXPECT_TRUE(many.Erase(u"项目" + Utf8ToUtf16(std::to_string(i))));
  }
  EXPECT_FALSE(many.Erase(u"项目0"));
  many.Record(u"项目0", 7);
  EXPECT_EQ(many.size(), 1501u);
  for (std::uint32_t i = 0; i < 3000; ++i) {
    const ItemUse* use = many.Find(u"项目" + Utf8ToUtf16(std::to_string(i)));
    ASSERT_EQ(use != nullptr, i % 2 == 1 || i == 0) << i;
    if (use) {
      EXPECT_EQ(use->last, i == 0 ? 7 : i);
    }
  }
  const std::uint64_t revision = many.revision;
  many.Clear();
  EXPECT_TRUE(many.empty());
  EXPECT_EQ(many.Find(u"项目1"), nullptr);
  EXPECT_GT(many.revision, revision);

  files.FailReadOf(path);
  EXPECT_TRUE(LoadUsageFile(files, path).unreadable);
}

}  // namespace
}  // namespace velmo
