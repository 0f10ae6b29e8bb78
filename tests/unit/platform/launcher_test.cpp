// Which application and command line start a program file.
#include "box/platform/launcher.h"

#include <gtest/gtest.h>

#include "box/storage/text_codec.h"

namespace velmo {
namespace {

TEST(PlanProgramFileStartTest, ApplicationAndCommandLine) {
  const struct {
    const char16_t* path;
    const char16_t* application;
    const char16_t* command_line;
  } cases[] = {
      {u"C:\\Program Files\\x.exe", u"C:\\Program Files\\x.exe", u"\"C:\\Program Files\\x.exe\""},
      {u"\\\\server\\share\\a b.exe", u"\\\\server\\share\\a b.exe",
       u"\"\\\\server\\share\\a b.exe\""},
      // A bare name is searched for by the system, quoted so that blanks stay in the name.
      {u"notepad.exe", u"", u"\"notepad.exe\""},
      {u"tools\\my tool.exe", u"", u"\"tools\\my tool.exe\""},
      {u"C:\\a b\\run.bat", u"C:\\Windows\\system32\\cmd.exe",
       u"\"C:\\Windows\\system32\\cmd.exe\" /s /c \"\"C:\\a b\\run.bat\"\""},
      {u"D:\\x&y\\GO.CMD", u"C:\\Windows\\system32\\cmd.exe",
       u"\"C:\\Windows\\system32\\cmd.exe\" /s /c \"\"D:\\x&y\\GO.CMD\"\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    ProgramFileStart start = PlanProgramFileStart(c.path, u"C:\\Windows\\system32");
    EXPECT_EQ(start.application, c.application);
    EXPECT_EQ(start.command_line, c.command_line);
  }
}

TEST(IsFullPathTest, DriveAndNetworkPaths) {
  for (const char16_t* p : {u"C:\\x", u"z:/x", u"\\\\srv\\share"}) {
    EXPECT_TRUE(IsFullPath(p)) << Utf16ToUtf8(p);
  }
  for (const char16_t* p : {u"C:x", u"x.exe", u"\\x", u"\\\\\\x", u"1:\\x", u"", u"C:"}) {
    EXPECT_FALSE(IsFullPath(p)) << Utf16ToUtf8(p);
  }
}

}  // namespace
}  // namespace velmo
