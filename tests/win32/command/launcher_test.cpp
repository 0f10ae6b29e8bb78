// The Win32 launcher against the real process API under Wine, with copies of marker.exe (built
// beside this test) that record each start.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

std::u16string MarkerProgram() {
  wchar_t self[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::u16string path = Narrow16(std::wstring_view(self, n));
  return path.substr(0, path.find_last_of(u'\\')) + u"\\marker.exe";
}

class Win32LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    // A folder per test: a started copy may still be running when the next test begins.
    const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    root_ = Narrow16(base) + u"velmo_launch_" + std::u16string(test, test + std::strlen(test));
    Reset(root_);
    CreateDirectoryW(Wide(root_ + u"\\a b").c_str(), nullptr);
  }

  // Empties `folder`, leaving what a still running program holds.
  static void Reset(const std::u16string& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(folder + u"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::u16string path = folder + u"\\" + Narrow16(name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Reset(path);
        } else {
          DeleteFileW(Wide(path).c_str());
        }
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(Wide(folder).c_str());
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
  }

  std::u16string Copy(const std::u16string& name) {
    std::u16string path = root_ + u"\\" + name;
    EXPECT_TRUE(CopyFileW(Wide(MarkerProgram()).c_str(), Wide(path).c_str(), FALSE));
    return path;
  }
  void Write(const std::u16string& name, const std::string& text) {
    std::ofstream(Wide(root_ + u"\\" + name).c_str(), std::ios::binary) << text;
  }
  // The marker's content once the started program has written it; nullopt after 10 s.
  static std::optional<std::string> WaitForMarker(const std::u16string& program) {
    std::wstring marker = Wide(program + u".ran");
    for (int i = 0; i < 200; ++i) {
      std::ifstream in(marker.c_str(), std::ios::binary);
      std::stringstream text;
      if (in && (text << in.rdbuf()) && !text.str().empty()) return text.str();
      Sleep(50);
    }
    return std::nullopt;
  }
  bool Exists(const std::u16string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::u16string root_;
  Win32Launcher launcher_;
};

TEST_F(Win32LauncherTest, AFullPathWithBlanksStartsThatProgramAndNoOther) {
  std::u16string decoy = Copy(u"a.exe");  // what an unquoted "...\a b\x.exe" would start
  std::u16string program = Copy(u"a b\\x.exe");
  ASSERT_TRUE(launcher_.StartProgramFile(program, WindowStyle::kNormal));
  ASSERT_TRUE(WaitForMarker(program).has_value());
  EXPECT_FALSE(Exists(decoy + u".ran"));
}

TEST_F(Win32LauncherTest, BatchFilesRunThroughTheInterpreter) {
  Write(u"a b\\run it.bat", "@echo off\r\necho ran> \"%~dp0bat.ran\"\r\n");
  ASSERT_TRUE(launcher_.StartProgramFile(root_ + u"\\a b\\run it.bat", WindowStyle::kNormal));
  EXPECT_TRUE(WaitForMarker(root_ + u"\\a b\\bat").has_value());
}

TEST_F(Win32LauncherTest, CommandLinesStartTheirFirstTokenWithArguments) {
  std::u16string program = Copy(u"a b\\标记.exe");
  ASSERT_TRUE(
      launcher_.StartCommandLine(u"\"" + program + u"\" -x \"二 三\"", WindowStyle::kMinimized));
  std::optional<std::string> line = WaitForMarker(program);
  ASSERT_TRUE(line.has_value());
  EXPECT_NE(line->find(" -x \"\xE4\xBA\x8C \xE4\xB8\x89\""), std::string::npos) << *line;
}

// Windows itself would look beside the program and in the current folder first: a copy of a
// system program's name planted there must not run, while PATH is searched as the system's.
TEST_F(Win32LauncherTest, BareNamesComeFromTheSystemFoldersAndPathOnly) {
  std::u16string beside = MarkerProgram();
  beside = beside.substr(0, beside.find_last_of(u'\\'));
  const std::u16string planted[] = {beside + u"\\hostname.exe", beside + u"\\velmo_planted.exe",
                                    root_ + u"\\velmo_current.exe"};
  for (const std::u16string& path : planted) {
    ASSERT_TRUE(CopyFileW(W(MarkerProgram()), W(path), FALSE));
  }
  wchar_t old_folder[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, old_folder);
  SetCurrentDirectoryW(W(root_));
  std::u16string on_path = Copy(u"a b\\velmo_on_path.exe");
  std::wstring old_path(32767, L'\0');
  old_path.resize(GetEnvironmentVariableW(L"PATH", old_path.data(), 32767));
  SetEnvironmentVariableW(L"PATH", (old_path + L";" + Wide(root_) + L"\\a b").c_str());

  EXPECT_TRUE(launcher_.StartCommandLine(u"hostname.exe", WindowStyle::kMinimized));
  EXPECT_FALSE(launcher_.StartCommandLine(u"velmo_planted", WindowStyle::kNormal));
  EXPECT_FALSE(launcher_.StartProgramFile(u"velmo_planted.exe", WindowStyle::kNormal));
  EXPECT_FALSE(launcher_.StartCommandLine(u"velmo_current.exe", WindowStyle::kNormal));
  EXPECT_TRUE(launcher_.StartCommandLine(u"velmo_on_path 1 2", WindowStyle::kNormal));
  std::optional<std::string> line = WaitForMarker(on_path);
  Sleep(500);  // time for a wrongly started copy to leave its mark

  SetEnvironmentVariableW(L"PATH", old_path.c_str());
  SetCurrentDirectoryW(old_folder);
  for (const std::u16string& path : planted) {
    EXPECT_FALSE(Exists(path + u".ran")) << Utf16ToUtf8(path);
    DeleteFileW(W(path + u".ran"));
    DeleteFileW(W(path));
  }
  ASSERT_TRUE(line.has_value());
  EXPECT_NE(line->find(" 1 2"), std::string::npos) << *line;
}

TEST_F(Win32LauncherTest, FailuresAreReported) {
  Write(u"doc.txt", "text");
  EXPECT_FALSE(launcher_.StartCommandLine(u"", WindowStyle::kNormal));
  EXPECT_FALSE(launcher_.StartCommandLine(u"   ", WindowStyle::kNormal));
  // A built-in of the command interpreter has no program file.
  EXPECT_FALSE(launcher_.StartCommandLine(u"dir", WindowStyle::kNormal));
  EXPECT_FALSE(launcher_.StartProgramFile(root_ + u"\\missing.exe", WindowStyle::kNormal));
  EXPECT_FALSE(launcher_.StartProgramFile(root_ + u"\\doc.txt", WindowStyle::kNormal));
  EXPECT_FALSE(launcher_.StartProgramFile(u"", WindowStyle::kNormal));
}

}  // namespace
}  // namespace velmo
