// The Win32 file, registry and instance-lock services against the real API under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>

#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"
#include "box/storage/dictionary_files.h"
#include "box/storage/registry_ops.h"
#include "box/storage/text_codec.h"

namespace velmo {
namespace {

std::u16string TempFolder(const char16_t* name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::u16string folder = JoinPath(Narrow16(base), name);
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  return folder;
}

TEST(Win32Files, AtomicWriteKeepsBackupAndReadsBack) {
  Win32FileSystem fs;
  std::u16string folder = TempFolder(u"velmo_files_目录");
  std::u16string path = JoinPath(folder, u"列表.sd");
  DeleteFileW(Wide(path).c_str());
  DeleteFileW(Wide(path + u".bak").c_str());

  EXPECT_EQ(fs.ReadFile(path).status, FileRead::Status::kMissing);
  ASSERT_TRUE(fs.WriteFileAtomic(path, "first\r\n"));
  ASSERT_TRUE(fs.WriteFileAtomic(path, std::string("second\0x", 8)));
  FileRead read = fs.ReadFile(path);
  EXPECT_EQ(read.status, FileRead::Status::kOk);
  EXPECT_EQ(read.bytes, std::string("second\0x", 8));
  EXPECT_EQ(fs.ReadFile(path + u".bak").bytes, "first\r\n");
  EXPECT_FALSE(fs.PathExists(path + u".tmp"));

  // A mapped view holds the same bytes as a read; an empty file maps to no bytes.
  std::unique_ptr<FileView> view = fs.MapFile(path);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->bytes(), std::string("second\0x", 8));
  ASSERT_TRUE(fs.WriteFileAtomic(path + u".bak", ""));
  view = fs.MapFile(path + u".bak");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->bytes(), "");
  EXPECT_EQ(fs.MapFile(path + u".missing"), nullptr);
}

TEST(Win32Files, DictionariesLoadOnAWorkerAndReadFromTheirFiles) {
  Win32FileSystem fs;
  std::u16string folder = TempFolder(u"velmo_dictionaries");
  ASSERT_TRUE(fs.WriteFileAtomic(JoinPath(folder, u"Dictionary.txt"), "apple@n.\r\nbe@v.\r\n"));
  std::string letters = "1\r\n2\r\n";  // "c" to "x" start past the two lines
  for (int k = 3; k <= 24; ++k) letters += "3\r\n";
  ASSERT_TRUE(fs.WriteFileAtomic(JoinPath(folder, u"DictContents.sd"), letters));
  ASSERT_TRUE(fs.WriteFileAtomic(JoinPath(folder, u"词典.txt"), "\xD0\xD0@x\r\n"));  // 行
  Dictionaries dictionaries;
  dictionaries.Load(fs, folder);
  EXPECT_TRUE(dictionaries.english().ready);
  EXPECT_EQ(dictionaries.english().table.Definition(2), u"v.");
  EXPECT_EQ(dictionaries.english().letter_index[2], 2);
  EXPECT_EQ(dictionaries.chinese().table.Word(1), u"行");
}

// What Windows itself refuses (tests run as root here, so Unix permissions stop nothing): a file
// another program holds without sharing, a read-only file, a folder that is a file. The probe
// says so beforehand, the save fails and leaves no temporary file, and the file stays whole.
TEST(Win32Files, RefusedSavesLeaveTheFileWhole) {
  Win32FileSystem fs;
  std::u16string folder = TempFolder(u"velmo_refused");
  using Undo = std::function<void()>;
  auto hold = [](DWORD sharing) {
    return [sharing](const std::wstring& path) -> Undo {
      HANDLE h =
          CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
      return [h] { CloseHandle(h); };
    };
  };
  const struct {
    const char* name;
    std::function<Undo(const std::wstring& path)> refuse;
    WriteError error;
  } cases[] = {
      {"held without sharing", hold(0), WriteError::kInUse},
      // The copy kept as .bak can be made, but the file cannot be renamed over.
      {"held for reading and writing only", hold(FILE_SHARE_READ | FILE_SHARE_WRITE),
       WriteError::kInUse},
      {"read-only attribute",
       [](const std::wstring& path) -> Undo {
         SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
         return [path] { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); };
       },
       WriteError::kDenied},
  };
  const std::string old_bytes = "old*C:\\old.exe\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string path = JoinPath(folder, u"App.sd");
    ASSERT_TRUE(fs.WriteFileAtomic(path, old_bytes));
    EXPECT_TRUE(fs.CanReplace(path));
    EXPECT_FALSE(fs.PathExists(path + u".tmp")) << "the probe leaves nothing behind";
    Undo undo = c.refuse(Wide(path));
    EXPECT_FALSE(fs.CanReplace(path));
    EXPECT_EQ(fs.WriteFileAtomic(path, "new*C:\\new.exe\r\n").error, c.error);
    EXPECT_FALSE(fs.PathExists(path + u".tmp"));
    EXPECT_FALSE(fs.RemoveFile(path));
    undo();
    EXPECT_EQ(fs.ReadFile(path).bytes, old_bytes);
  }

  std::u16string data = JoinPath(folder, u"DATA");
  ASSERT_TRUE(fs.WriteFileAtomic(data, "a file, not a folder"));
  EXPECT_FALSE(fs.CanReplace(JoinPath(data, u"App.sd")));
  EXPECT_EQ(fs.WriteFileAtomic(JoinPath(data, u"App.sd"), old_bytes).error,
            WriteError::kFolderMissing);
  EXPECT_EQ(fs.WriteFileAtomic(JoinPath(folder, u"gone\\App.sd"), old_bytes).error,
            WriteError::kFolderMissing);
  EXPECT_EQ(fs.ReadFile(data).bytes, "a file, not a folder");
  EXPECT_TRUE(fs.RemoveFile(data));
  EXPECT_TRUE(fs.RemoveFile(data)) << "nothing left to remove";
  EXPECT_GT(fs.FreeBytes(folder).value_or(0), 0u);
}

TEST(Win32Files, AFileHeldWithoutSharingCannotBeRead) {
  Win32FileSystem fs;
  std::u16string path = JoinPath(TempFolder(u"velmo_held"), u"App.sd");
  ASSERT_TRUE(fs.WriteFileAtomic(path, "a*b\r\n"));
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(fs.ReadFile(path).status, FileRead::Status::kError);
  CloseHandle(h);
  EXPECT_EQ(fs.ReadFile(path).bytes, "a*b\r\n");
}

TEST(Win32Files, ExistenceRulesAndListing) {
  Win32FileSystem fs;
  std::u16string folder = TempFolder(u"velmo_list");
  std::u16string sub = JoinPath(folder, u"sub.exe");
  ASSERT_TRUE(fs.CreateFolder(sub));
  EXPECT_TRUE(fs.CreateFolder(sub)) << "an existing folder is fine";
  ASSERT_TRUE(fs.WriteFileAtomic(JoinPath(folder, u"a.exe"), "x"));
  ASSERT_TRUE(fs.WriteFileAtomic(JoinPath(folder, u"截屏.exe"), "x"));
  std::u16string hidden = JoinPath(folder, u"h.exe");
  ASSERT_TRUE(fs.WriteFileAtomic(hidden, "x"));
  SetFileAttributesW(Wide(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);

  EXPECT_TRUE(fs.FileExists(JoinPath(folder, u"a.exe")));
  EXPECT_FALSE(fs.FileExists(sub)) << "a folder is not a file";
  EXPECT_TRUE(fs.PathExists(sub));
  EXPECT_FALSE(fs.FileExists(hidden)) << "hidden files do not count";

  std::map<std::u16string, std::uint32_t> listed;
  EXPECT_TRUE(fs.ListFolder(
      folder, [&](const FolderEntry& e) { listed[std::u16string(e.name)] = e.attributes; }));
  EXPECT_EQ(listed.count(u"截屏.exe"), 1u);
  EXPECT_TRUE(listed[u"sub.exe"] & file_attribute::kDirectory);
  EXPECT_TRUE(listed[u"h.exe"] & file_attribute::kHidden);
  SetFileAttributesW(Wide(hidden).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Every kind of entry a cleaner meets, with the attributes and the 64-bit size the system keeps;
// a folder whose path is past MAX_PATH is listed as any other.
TEST(Win32Files, ListFolderTellsEveryEntryAsTheSystemKeepsIt) {
  Win32FileSystem fs;
  std::u16string folder = TempFolder(u"velmo_list_folder");
  const struct {
    std::u16string name;
    DWORD attributes;  // set after creation; FILE_ATTRIBUTE_DIRECTORY makes a folder
    std::uint64_t size;
  } entries[] = {
      {u"plain.tmp", FILE_ATTRIBUTE_NORMAL, 5},
      {u"hidden.tmp", FILE_ATTRIBUTE_HIDDEN, 1},
      {u"system.tmp", FILE_ATTRIBUTE_SYSTEM, 2},
      {u"read only.tmp", FILE_ATTRIBUTE_READONLY, 3},
      {u"一个很长的文件名称.longextension", FILE_ATTRIBUTE_NORMAL, 0},
      {u"Temporary Internet Files", FILE_ATTRIBUTE_DIRECTORY, 0},
      {u"big.bin", FILE_ATTRIBUTE_NORMAL, (5ull << 30) + 7},  // sparse: no disk space taken
  };
  constexpr DWORD kKinds = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  for (const auto& e : entries) {
    std::wstring path = Wide(JoinPath(folder, e.name));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // from an earlier run
    if (e.attributes == FILE_ATTRIBUTE_DIRECTORY) {
      CreateDirectoryW(path.c_str(), nullptr);
      continue;
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(e.size);
    EXPECT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    SetFileAttributesW(path.c_str(), e.attributes);
  }

  for (const std::u16string& given : {folder, folder + u"\\"}) {
    SCOPED_TRACE(std::string(given.back() == u'\\' ? "with" : "without") + " a backslash");
    std::map<std::u16string, FolderEntry> listed;
    std::vector<std::u16string> names;
    ASSERT_TRUE(fs.ListFolder(given, [&](const FolderEntry& e) {
      names.emplace_back(e.name);
      listed[names.back()] = FolderEntry{{}, e.attributes, e.size};
    }));
    EXPECT_EQ(names.size(), std::size(entries)) << "no \".\" and \"..\"";
    for (const auto& e : entries) {
      SCOPED_TRACE(Utf16ToUtf8(e.name));
      ASSERT_EQ(listed.count(e.name), 1u);
      // As GetFileAttributesW has them, the archive bit and the rest included.
      EXPECT_EQ(listed[e.name].attributes,
                GetFileAttributesW(Wide(JoinPath(folder, e.name)).c_str()));
      EXPECT_EQ(listed[e.name].attributes & kKinds, e.attributes & kKinds);
      EXPECT_EQ(listed[e.name].size, e.size);
    }
  }

  // 6 x 50 characters below the folder: past MAX_PATH, made through the "\\?\" form.
  std::u16string deep = folder;
  for (char16_t c = u'a'; c < u'g'; ++c) {
    deep = JoinPath(deep, std::u16string(50, c));
    CreateDirectoryW((L"\\\\?\\" + Wide(deep)).c_str(), nullptr);
  }
  ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));
  HANDLE h = CreateFileW((L"\\\\?\\" + Wide(JoinPath(deep, u"deep.tmp"))).c_str(), GENERIC_WRITE, 0,
                         nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  std::vector<std::u16string> deep_names;
  EXPECT_TRUE(fs.ListFolder(deep, [&](const FolderEntry& e) { deep_names.emplace_back(e.name); }));
  EXPECT_EQ(deep_names, std::vector<std::u16string>{u"deep.tmp"});

  int visits = 0;
  auto count = [&](const FolderEntry&) { ++visits; };
  EXPECT_FALSE(fs.ListFolder(JoinPath(folder, u"missing"), count));
  EXPECT_FALSE(fs.ListFolder(JoinPath(folder, u"plain.tmp"), count)) << "a file is no folder";
  EXPECT_EQ(visits, 0);
}

TEST(Win32Registry, RunValueFollowsRegisterAndUnregister) {
  Win32Registry registry;
  const std::u16string path = u"C:\\Program Files\\维莫\\VelmoBox.exe";
  RegisterStartAtLogIn(registry, path);
  auto value = registry.GetValue(RegistryRoot::kCurrentUser, std::u16string(kRunKey), u"VelmoBox");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, static_cast<std::uint32_t>(REG_SZ));
  wchar_t buffer[MAX_PATH] = {};
  DWORD size = sizeof(buffer);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Wide(kRunKey).c_str(), L"VelmoBox", RRF_RT_REG_SZ,
                         nullptr, buffer, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(Narrow16(buffer), u"\"" + path + u"\"");

  UnregisterStartAtLogIn(registry, path);
  EXPECT_FALSE(registry.GetValue(RegistryRoot::kCurrentUser, std::u16string(kRunKey), u"VelmoBox"));
  UnregisterStartAtLogIn(registry, path);  // a missing value is no error
}

TEST(Win32Registry, DwordAndBinaryFromText) {
  Win32Registry registry;
  const std::u16string key = u"Software\\VelmoBoxTest";
  ASSERT_TRUE(SetRegValue(registry, RegistryRoot::kCurrentUser, key, u"d", 4, u"1F"));
  DWORD dword = 0, size = sizeof(dword);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Wide(key).c_str(), L"d", RRF_RT_REG_DWORD, nullptr,
                         &dword, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(dword, 31u);
  ASSERT_TRUE(SetRegValue(registry, RegistryRoot::kCurrentUser, key, u"b", 3, u"0A 1F"));
  auto bin = registry.GetValue(RegistryRoot::kCurrentUser, key, u"b");
  ASSERT_TRUE(bin.has_value());
  EXPECT_EQ(bin->data, (std::vector<std::uint8_t>{10, 31}));
  RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key).c_str());
}

TEST(Win32InstanceLock, SecondAcquireFailsUntilReleased) {
  auto first = std::make_unique<Win32InstanceLock>();
  Win32InstanceLock second;
  ASSERT_TRUE(first->Acquire(u"VelmoBoxTestLock"));
  EXPECT_FALSE(second.Acquire(u"VelmoBoxTestLock"));
  first.reset();
  EXPECT_TRUE(second.Acquire(u"VelmoBoxTestLock"));
}

}  // namespace
}  // namespace velmo
