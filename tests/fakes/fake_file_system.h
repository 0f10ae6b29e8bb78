// An in-memory file system with Windows' habits: names compare case-insensitively, "/" and
// "\" are the same separator, doubled separators name the same file. Safe to use from two
// threads, like the real one (the dictionaries load on a worker).
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "box/platform/files.h"

namespace velmo {

class FakeFileSystem final : public FileSystem {
 public:
  FileRead ReadFile(const std::u16string& path) override;
  // A copy of the content, like ReadFile.
  std::unique_ptr<FileView> MapFile(const std::u16string& path) override;
  // Fails as the real one does: the folder gone, the file held or read-only, the disk full.
  WriteResult WriteFileAtomic(const std::u16string& path, std::string_view bytes) override;
  bool CanReplace(const std::u16string& path) override;
  bool CopyFile(const std::u16string& from, const std::u16string& to) override;
  bool FileExists(const std::u16string& path) override;
  bool PathExists(const std::u16string& path) override;
  // Creates missing parent folders too.
  bool CreateFolder(const std::u16string& path) override;
  // Files and folders in the order they were first created.
  bool ListFolder(const std::u16string& folder,
                  const std::function<void(const FolderEntry&)>& visit) override;
  // The same for every spelling of the folder (AddAlias).
  std::optional<FolderIdentity> IdentityOf(const std::u16string& folder) override;
  std::optional<std::uint64_t> FreeBytes(const std::u16string&) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return free_bytes;
  }

  // Test set-up: a file (and its folders) with the given content.
  void AddFile(const std::u16string& path, std::string_view bytes, bool hidden = false);
  void AddFolder(const std::u16string& path) { CreateFolder(path); }
  // Another spelling of a folder, as a subst drive is: paths under `alias` ("S:") name what lies
  // under `folder`.
  void AddAlias(const std::u16string& alias, const std::u16string& folder) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    aliases_[Normal(alias)] = Normal(folder);
  }
  // Attribute bits (file_attribute) of a file or folder; a folder keeps kDirectory. A folder
  // with kReparsePoint stands for a junction: what lies inside shows only to one who enters.
  void SetAttributes(const std::u16string& path, std::uint32_t attributes);
  std::optional<std::uint32_t> AttributesOf(const std::u16string& path) const;
  // Whether another program holds the file (FailReadOf).
  bool Held(const std::u16string& path) const;
  // False for a file another program holds, true when none is left.
  bool RemoveFile(const std::u16string& path) override;
  std::optional<std::string> Contents(const std::u16string& path) const;
  // The file is held by another program: it can neither be read nor replaced.
  void FailReadOf(const std::u16string& path) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    unreadable_.insert(Key(path));
  }
  void AllowReadOf(const std::u16string& path) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    unreadable_.erase(Key(path));
  }
  // A read-only attribute: the file reads but cannot be replaced.
  void SetReadOnly(const std::u16string& path) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    read_only_.insert(Key(path));
  }

  // Called before each listing, on the lister's thread and unlocked: a test may hold a listing
  // up there, as an unreachable network drive does.
  std::function<void(const std::u16string& folder)> on_list;
  bool fail_writes = false;  // every write and copy fails and changes nothing
  // The disk's free space: a write whose temporary file does not fit fails as disk full.
  std::optional<std::uint64_t> free_bytes = std::uint64_t{1} << 40;
  int writes = 0;  // successful WriteFileAtomic calls

 private:
  struct Entry {
    std::u16string name;  // as first written
    std::string bytes;
    std::uint32_t attributes = 0;
    std::size_t order = 0;
  };
  // The path's spelling with case, separators and a trailing backslash made alike.
  static std::u16string Normal(std::u16string_view path);
  // What a map is keyed by: Normal, with the aliases resolved.
  std::u16string Key(std::u16string_view path) const;
  static std::u16string ParentKey(const std::u16string& key);
  bool FolderExists(const std::u16string& key) const;
  void Store(const std::u16string& path, std::string bytes, bool hidden);

  std::map<std::u16string, Entry> files_;
  std::map<std::u16string, Entry> folders_;  // no bytes
  std::set<std::u16string> unreadable_;
  std::set<std::u16string> read_only_;
  std::map<std::u16string, std::u16string> aliases_;
  std::size_t next_order_ = 0;
  mutable std::recursive_mutex mutex_;
};

}  // namespace velmo
