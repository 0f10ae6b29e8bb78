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

std::u16string Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
  return n < MAX_PATH ? Narrow16(std::wstring_view(value, n)) : std::u16string();
}

// Each folder as the system's other sources name it where there is one, else an existing folder;
// never with a trailing backslash.
TEST(Win32KnownFoldersTest, EveryFolderIsWhereTheSystemSays) {
  wchar_t windows[MAX_PATH], temp[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  DWORD temp_length = GetTempPathW(MAX_PATH, temp);
  const struct {
    KnownFolder folder;
    const char* name;
    std::u16string expected;  // empty: any existing folder
  } cases[] = {
      {KnownFolder::kCommonPrograms, "CommonPrograms", u""},
      {KnownFolder::kWindows, "Windows", Narrow16(windows)},
      // The environment gives a 64-bit process the 64-bit folder both ways.
      {KnownFolder::kProgramFiles, "ProgramFiles", Environment(L"ProgramW6432")},
      {KnownFolder::kProgramFilesX86, "ProgramFilesX86", Environment(L"ProgramFiles(x86)")},
      {KnownFolder::kProgramData, "ProgramData", Environment(L"ProgramData")},
      {KnownFolder::kTemp, "Temp", Narrow16(std::wstring_view(temp, temp_length - 1))},
      {KnownFolder::kRecent, "Recent", u""},
      {KnownFolder::kCookies, "Cookies", u""},
      {KnownFolder::kLocalAppData, "LocalAppData", Environment(L"LOCALAPPDATA")},
      {KnownFolder::kInternetCache, "InternetCache", u""},
  };
  Win32KnownFolders known_folders;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<std::u16string> folder = known_folders.Get(c.folder);
    // Windows and Wine both make them when they set up; nullopt is for a system that did not.
    ASSERT_TRUE(folder.has_value());
    EXPECT_NE(folder->back(), u'\\') << Utf16ToUtf8(*folder);
    if (!c.expected.empty()) {
      EXPECT_EQ(Utf16ToUtf8(*folder), Utf16ToUtf8(c.expected));
    } else {
      DWORD attributes = GetFileAttributesW(Wide(*folder).c_str());
      EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << Utf16ToUtf8(*folder);
      EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
  }
}

}  // namespace
}  // namespace velmo
