// Which application and command line start a program, where a bare name is found, and what
// happens when Windows answers that the program needs elevation.
#include "box/platform/launcher.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

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
      // A relative path names its own folder, quoted so that blanks stay in the name.
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

// Windows as the launcher meets it: files in folders, CreateProcess answering an error code
// (740 for a program whose manifest asks for an administrator, which only the shell can
// start), and the shell starting what it is given.
class FakeStarter final : public ProgramStarter {
 public:
  std::uint32_t StartProcess(const std::u16string& application, const std::u16string& line,
                             WindowStyle) override {
    processes.push_back(application + u" | " + line);
    if (auto it = errors.find(application); it != errors.end()) return it->second;
    // Without an application the first token is a path; Windows would search no folder for it.
    std::u16string program =
        application.empty() ? SplitCommandLine(line).program : application;
    return IsFile(program) ? 0 : 2;  // ERROR_FILE_NOT_FOUND
  }
  bool StartThroughShell(const std::u16string& program, const std::u16string& parameters,
                         WindowStyle) override {
    shell.push_back(program + u" | " + parameters);
    return true;
  }
  std::vector<std::u16string> SearchFolders() override {
    return {u"C:\\Windows\\system32", u"C:\\Windows", u"D:\\tools"};
  }
  bool IsFile(const std::u16string& path) override { return files.count(path) > 0; }

  std::set<std::u16string> files{
      u"C:\\Windows\\system32\\calc.exe",   u"C:\\Windows\\system32\\taskmgr.exe",
      u"C:\\Windows\\system32\\cmd.exe",
      u"C:\\Windows\\regedit.exe",          u"C:\\Windows\\explorer.exe",
      u"D:\\tools\\7z.exe",                 u"D:\\tools\\build.cmd",
      u"C:\\Box\\calc.exe",                 u"C:\\Box\\planted.exe",
      u"C:\\Program Files\\a b\\x.exe"};
  std::map<std::u16string, std::uint32_t> errors{{u"C:\\Windows\\system32\\taskmgr.exe", 740},
                                                 {u"C:\\Windows\\regedit.exe", 740}};
  std::vector<std::u16string> processes;
  std::vector<std::u16string> shell;
};

TEST(LaunchTest, BareNamesAreFoundInTheSystemFoldersAndPathAndElevationGoesToTheShell) {
  const struct {
    const char16_t* line;
    bool started;
    const char16_t* process;  // what CreateProcess was asked, "" for nothing
    const char16_t* shell;    // what the shell was asked, "" for nothing
  } cases[] = {
      // The system folder's program, never the copy beside the box.
      {u"calc.exe", true, u"C:\\Windows\\system32\\calc.exe | calc.exe", u""},
      {u"explorer.exe ::{20D04FE0-3AEA-1069-A2D8-08002B30309D} ", true,
       u"C:\\Windows\\explorer.exe | explorer.exe ::{20D04FE0-3AEA-1069-A2D8-08002B30309D} ", u""},
      // From PATH, ".exe" added as CreateProcess would.
      {u"7z a \"x y.7z\"", true, u"D:\\tools\\7z.exe | 7z a \"x y.7z\"", u""},
      // Only beside the box, or nowhere: nothing starts.
      {u"planted.exe", false, u"", u""},
      {u"dir", false, u"", u""},
      {u"   ", false, u"", u""},
      // A path is that program; Windows searches no folder for it.
      {u"\"C:\\Program Files\\a b\\x.exe\" -v", true, u" | \"C:\\Program Files\\a b\\x.exe\" -v",
       u""},
      // A program that needs elevation: CreateProcess says 740, the shell asks for consent.
      {u"regedit", true, u"C:\\Windows\\regedit.exe | regedit", u"C:\\Windows\\regedit.exe | "},
      {u"taskmgr.exe /7", true, u"C:\\Windows\\system32\\taskmgr.exe | taskmgr.exe /7",
       u"C:\\Windows\\system32\\taskmgr.exe | /7"},
      // A batch file found on PATH runs through the interpreter, its arguments inside the quotes.
      // A bare "build" would be build.exe, as for CreateProcess.
      {u"build.cmd release", true,
       u"C:\\Windows\\system32\\cmd.exe | \"C:\\Windows\\system32\\cmd.exe\" /s /c "
       u"\"\"D:\\tools\\build.cmd\" release\"",
       u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.line));
    FakeStarter starter;
    EXPECT_EQ(LaunchCommandLine(starter, c.line, WindowStyle::kNormal), c.started);
    EXPECT_EQ(starter.processes, std::u16string(c.process).empty()
                                     ? std::vector<std::u16string>{}
                                     : std::vector<std::u16string>{c.process});
    EXPECT_EQ(starter.shell, std::u16string(c.shell).empty()
                                 ? std::vector<std::u16string>{}
                                 : std::vector<std::u16string>{c.shell});
  }
}

TEST(LaunchTest, ProgramFilesByNameOrPath) {
  FakeStarter starter;
  EXPECT_TRUE(LaunchProgramFile(starter, u"calc.exe", WindowStyle::kNormal));
  EXPECT_FALSE(LaunchProgramFile(starter, u"planted.exe", WindowStyle::kNormal));
  EXPECT_TRUE(LaunchProgramFile(starter, u"C:\\Box\\planted.exe", WindowStyle::kNormal));
  EXPECT_FALSE(LaunchProgramFile(starter, u"", WindowStyle::kNormal));
  EXPECT_TRUE(LaunchProgramFile(starter, u"C:\\Windows\\regedit.exe", WindowStyle::kNormal));
  EXPECT_EQ(starter.processes,
            (std::vector<std::u16string>{
                u"C:\\Windows\\system32\\calc.exe | \"C:\\Windows\\system32\\calc.exe\"",
                u"C:\\Box\\planted.exe | \"C:\\Box\\planted.exe\"",
                u"C:\\Windows\\regedit.exe | \"C:\\Windows\\regedit.exe\""}));
  EXPECT_EQ(starter.shell, std::vector<std::u16string>{u"C:\\Windows\\regedit.exe | "});
}

}  // namespace
}  // namespace velmo
