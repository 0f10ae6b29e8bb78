// The Recycle Bin against the real shell under Wine, whose bin is the Unix trash in
// $XDG_DATA_HOME/Trash: scripts/wine-run points that into the run's own temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

const char* NameOf(RemoveResult r) {
  switch (r) {
    case RemoveResult::kRemoved:
      return "removed";
    case RemoveResult::kGone:
      return "gone";
    case RemoveResult::kReadOnly:
      return "read-only";
    case RemoveResult::kLocked:
      return "locked";
    case RemoveResult::kNoRecycleBin:
      return "no recycle bin";
    case RemoveResult::kNotRecyclable:
      return "not recyclable";
    case RemoveResult::kPathTooLong:
      return "path too long";
  }
  return "?";
}

// Wine's Z: drive is the Unix root.
std::wstring TrashFiles() {
  wchar_t unix_path[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(L"XDG_DATA_HOME", unix_path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || unix_path[0] != L'/') return L"";
  std::wstring path = L"Z:" + std::wstring(unix_path, n) + L"/Trash/files";
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) {
      names.push_back(data.cFileName);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool Present(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A clean-up's worth of files, on a worker thread as the cleaner calls it: each file's result
// in order, the moved ones in the trash, the others untouched; then the bin is emptied.
TEST(Win32RecycleBin, MovesOnlyOrdinaryFreeFilesAndSaysWhatBecameOfEach) {
  const std::wstring trash = TrashFiles();
  ASSERT_FALSE(trash.empty()) << "XDG_DATA_HOME must point at a folder of this run's own";
  Win32RecycleBin bin;
  ASSERT_TRUE(bin.Empty());
  EXPECT_TRUE(bin.Empty()) << "an empty bin is emptied";

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"velmo_recycle";
  CreateDirectoryW(folder.c_str(), nullptr);
  enum Kind { kOrdinary, kReadOnly, kHeld, kVanished, kFolder, kHidden };
  struct Case {
    std::wstring name;
    Kind kind;
    RemoveResult expected;
  };
  std::vector<Case> cases = {
      {L"a.tmp", kOrdinary, RemoveResult::kRemoved},
      {L"只读.tmp", kReadOnly, RemoveResult::kReadOnly},
      {L"held.log", kHeld, RemoveResult::kLocked},
      {L"vanished.tmp", kVanished, RemoveResult::kGone},
      {L"cache", kFolder, RemoveResult::kGone},
      {L"hidden.tmp", kHidden, RemoveResult::kGone},
      {L"缓存 文件.dat", kOrdinary, RemoveResult::kRemoved},
  };
  // More than one batch of the shell's.
  for (int i = 0; i < 230; ++i) {
    cases.push_back({L"many" + std::to_wstring(i) + L".tmp", kOrdinary, RemoveResult::kRemoved});
  }
  std::vector<std::u16string> paths;
  HANDLE held = INVALID_HANDLE_VALUE;
  for (const Case& c : cases) {
    std::wstring path = folder + L"\\" + c.name;
    paths.push_back(Narrow16(path));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // from an earlier run
    if (c.kind == kFolder) {
      CreateDirectoryW(path.c_str(), nullptr);
      continue;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, path.data(), 4, &written, nullptr);
    CloseHandle(h);
    if (c.kind == kVanished) DeleteFileW(path.c_str());
    if (c.kind == kReadOnly) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    if (c.kind == kHidden) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    // Readers and writers may share it, a deleter may not.
    if (c.kind == kHeld) {
      held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    }
  }
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  // A file the scan found past MAX_PATH: the shell's operations take no such path.
  std::wstring deep = L"\\\\?\\" + folder + L"\\" + std::wstring(120, L'd');
  CreateDirectoryW(deep.c_str(), nullptr);
  deep += L"\\" + std::wstring(120, L'e');
  CreateDirectoryW(deep.c_str(), nullptr);
  deep += L"\\long.tmp";
  HANDLE long_file = CreateFileW(deep.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(long_file, INVALID_HANDLE_VALUE);
  CloseHandle(long_file);
  paths.push_back(Narrow16(deep.substr(4)));

  std::vector<RemoveResult> results;
  std::thread([&] { results = bin.Recycle(paths); }).join();
  CloseHandle(held);

  ASSERT_EQ(results.size(), cases.size() + 1);
  EXPECT_STREQ(NameOf(results.back()), "path too long");
  EXPECT_TRUE(Present(deep));
  std::vector<std::wstring> moved;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(Utf16ToUtf8(paths[i]));
    EXPECT_STREQ(NameOf(results[i]), NameOf(c.expected));
    std::wstring path = folder + L"\\" + c.name;
    EXPECT_EQ(Present(path), c.kind != kVanished && c.expected != RemoveResult::kRemoved);
    if (c.expected == RemoveResult::kRemoved) moved.push_back(c.name);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::sort(moved.begin(), moved.end());
  EXPECT_EQ(NamesIn(trash), moved);

  EXPECT_TRUE(bin.Empty());
  EXPECT_EQ(NamesIn(trash), std::vector<std::wstring>{});
}

}  // namespace
}  // namespace velmo
