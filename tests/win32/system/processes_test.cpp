// The process snapshot, the drive list and the known folders against the real API under Wine,
// with sleeper.exe (built beside this test) as the process to look for.
#include <gtest/gtest.h>
#include <windows.h>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "box/storage/text_codec.h"
#include "box/system/process_checks.h"

namespace velmo {
namespace {

std::wstring SleeperProgram() {
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return path.substr(0, path.find_last_of(L'\\')) + L"\\sleeper.exe";
}

// Whether `image_name` is in a snapshot within 5 s, taking one every 50 ms: a process shows up
// and goes away in the system's own time.
bool BecomesRunning(Processes& processes, std::u16string_view image_name, bool running) {
  for (int i = 0; i < 100; ++i) {
    if (IsProcessRunning(processes.RunningImageNames(), image_name) == running) return true;
    Sleep(50);
  }
  return false;
}

TEST(Win32ProcessesTest, AProgramIsRunningFromItsStartToItsEnd) {
  Win32Processes processes;
  // Names only, never paths; the test program itself is among them.
  std::vector<std::u16string> names = processes.RunningImageNames();
  EXPECT_TRUE(IsProcessRunning(names, u"WIN32_TESTS.EXE"));
  for (const std::u16string& name : names) {
    EXPECT_EQ(name.find(u'\\'), std::u16string::npos) << Utf16ToUtf8(name);
  }
  ASSERT_FALSE(IsProcessRunning(names, u"SLEEPER.EXE")) << "a sleeper of another test runs";

  std::wstring program = SleeperProgram();
  std::wstring command_line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &process));
  CloseHandle(process.hThread);
  EXPECT_TRUE(BecomesRunning(processes, u"SLEEPER.EXE", true));

  TerminateProcess(process.hProcess, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(BecomesRunning(processes, u"SLEEPER.EXE", false));
}

TEST(Win32ProcessesTest, DrivesAreThoseOfTheDriveMaskInItsOrder) {
  std::vector<std::u16string> expected;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) expected.push_back(std::u16string(1, u'A' + i) + u":\\");
  }
  Win32Processes processes;
  std::vector<std::u16string> drives = processes.LogicalDrives();
  EXPECT_EQ(drives, expected);
  // Wine maps its C: drive and the Unix root Z:.
  EXPECT_GE(drives.size(), 2u);
  EXPECT_EQ(drives.empty() ? u"" : drives.front(), u"C:\\");
}

TEST(Win32KnownFoldersTest, CommonProgramsIsAnExistingFolder) {
  Win32KnownFolders known_folders;
  std::optional<std::u16string> folder = known_folders.CommonPrograms();
  // Windows and Wine both make it when they set up; nullopt is for a system that did not.
  ASSERT_TRUE(folder.has_value());
  DWORD attributes = GetFileAttributesW(Wide(*folder).c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(folder->back(), u'\\') << Utf16ToUtf8(*folder);
}

}  // namespace
}  // namespace velmo
