// Pattern matching on long names, and the walk: its order, what it never takes and where it never
// goes.
#include "box/cleaner/folder_scan.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"
#include "fakes/fake_file_system.h"

namespace velmo {
namespace {

TEST(FolderScanTest, PatternsMatchLongNamesOnly) {
  const struct {
    const char16_t* name;
    const char16_t* pattern;
    bool matches;
  } cases[] = {
      {u"a.tmp", u"*.tmp", true},       {u"A.TMP", u"*.tmp", true},
      {u"a.tmpx", u"*.tmp", false},     {u"a.tmp.txt", u"*.tmp", false},
      {u"x.tmp.tmp", u"*.tmp", true},   {u"README", u"*.*", true},
      {u"README", u"*.txt", false},     {u"日志.log", u"*.log", true},
      {u"ab.c", u"a?.c", true},         {u"a.c", u"a?.c", false},
      {u"anything", u"*", true},        {u".hidden", u"*", true},
      {u"cookie.cookie", u"*.cookie", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches)
        << Utf16ToUtf8(c.name) << " " << Utf16ToUtf8(c.pattern);
  }
  EXPECT_TRUE(IsInFolder(u"C:\\Box\\DATA\\x.bak", u"c:\\box\\"));
  EXPECT_TRUE(IsInFolder(u"C:\\Box", u"C:\\Box"));
  EXPECT_FALSE(IsInFolder(u"C:\\Boxes\\x.bak", u"C:\\Box"));
}

TEST(FolderScanTest, WalksDepthFirstAndStaysInsideItsTree) {
  FakeFileSystem fs;
  fs.AddFile(u"C:\\T\\1.tmp", "1");
  fs.AddFile(u"C:\\T\\A\\2.tmp", "22");
  fs.AddFile(u"C:\\T\\A\\Deep\\3.tmp", "333");
  fs.AddFile(u"C:\\T\\4.tmp", "4444");
  fs.AddFile(u"C:\\T\\B\\5.TMP", "5");
  fs.AddFile(u"C:\\T\\a.tmpx", "no: the short name A~1.TMP matches, the long name does not");
  fs.AddFile(u"C:\\T\\hidden.tmp", "no", true);
  fs.AddFile(u"C:\\T\\system.tmp", "no");
  fs.SetAttributes(u"C:\\T\\system.tmp", file_attribute::kSystem);
  fs.AddFile(u"C:\\T\\.cache\\6.tmp", "no: a dot folder");
  fs.AddFile(u"C:\\T\\Secret\\7.tmp", "no: a hidden folder");
  fs.SetAttributes(u"C:\\T\\Secret", file_attribute::kHidden);
  fs.AddFile(u"C:\\T\\Loop\\8.tmp", "no: a junction (back to C:\\T, say)");
  fs.SetAttributes(u"C:\\T\\Loop", file_attribute::kReparsePoint);
  fs.AddFile(u"C:\\T\\Box\\settings.tmp", "no: the box's own folder");
  fs.AddFolder(u"C:\\T\\folder.tmp");

  std::vector<std::u16string> paths;
  std::uint64_t bytes = 0;
  auto found = [&](FoundFile f) {
    paths.push_back(f.path);
    bytes += f.bytes;
  };
  ScanFolder(fs, u"C:\\T", {u"*.tmp"}, {u"C:\\t\\box"}, found, [] { return false; });
  EXPECT_EQ(paths, (std::vector<std::u16string>{u"C:\\T\\1.tmp", u"C:\\T\\4.tmp",
                                                 u"C:\\T\\A\\2.tmp", u"C:\\T\\A\\Deep\\3.tmp",
                                                 u"C:\\T\\B\\5.TMP"}));
  EXPECT_EQ(bytes, 11u);

  paths.clear();
  ScanFolder(fs, u"C:\\Missing\\", {u"*"}, {}, found, [] { return false; });
  ScanFolder(fs, u"C:\\T\\Box", {u"*"}, {u"C:\\T\\Box"}, found, [] { return false; });
  int folders_left = 2;
  ScanFolder(fs, u"C:\\T\\", {u"*.tmp"}, {}, found, [&] { return folders_left-- == 0; });
  EXPECT_EQ(paths, (std::vector<std::u16string>{u"C:\\T\\1.tmp", u"C:\\T\\4.tmp",
                                                 u"C:\\T\\A\\2.tmp"}));
}

}  // namespace
}  // namespace velmo
