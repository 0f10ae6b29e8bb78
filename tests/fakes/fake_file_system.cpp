#include "fakes/fake_file_system.h"

#include <algorithm>

namespace velmo {

std::u16string FakeFileSystem::Key(std::u16string_view path) {
  std::u16string key;
  for (char16_t c : path) {
    if (c == u'/') c = u'\\';
    if (c == u'\\' && !key.empty() && key.back() == u'\\') continue;
    if (c >= u'a' && c <= u'z') c = c - u'a' + u'A';
    key.push_back(c);
  }
  if (key.size() > 1 && key.back() == u'\\') key.pop_back();
  return key;
}

std::u16string FakeFileSystem::ParentKey(const std::u16string& key) {
  std::size_t slash = key.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : key.substr(0, slash);
}

bool FakeFileSystem::FolderExists(const std::u16string& key) const {
  // A drive ("C:") and the current folder ("") always exist.
  return key.empty() || (key.size() == 2 && key[1] == u':') || folders_.count(key) != 0;
}

void FakeFileSystem::Store(const std::u16string& path, std::string bytes, bool hidden) {
  std::u16string key = Key(path);
  auto [it, inserted] = files_.try_emplace(key);
  if (inserted) {
    it->second.name = FileNameOf(path);
    it->second.order = next_order_++;
  }
  it->second.bytes = std::move(bytes);
  it->second.hidden = hidden;
}

FileRead FakeFileSystem::ReadFile(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  if (unreadable_.count(key) != 0) return {FileRead::Status::kError, {}};
  auto it = files_.find(key);
  if (it == files_.end()) return {FileRead::Status::kMissing, {}};
  return {FileRead::Status::kOk, it->second.bytes};
}

std::unique_ptr<FileView> FakeFileSystem::MapFile(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  FileRead read = ReadFile(path);
  if (read.status != FileRead::Status::kOk) return nullptr;
  return std::make_unique<InMemoryFileView>(std::move(read.bytes));
}

bool FakeFileSystem::CanReplace(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  return !fail_writes && FolderExists(ParentKey(key)) && folders_.count(key) == 0 &&
         unreadable_.count(key) == 0 && read_only_.count(key) == 0;
}

bool FakeFileSystem::WriteFileAtomic(const std::u16string& path, std::string_view bytes) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (!CanReplace(path)) return false;
  std::u16string key = Key(path);
  if (auto it = files_.find(key); it != files_.end()) {
    Store(path + u".bak", it->second.bytes, false);
  }
  Store(path, std::string(bytes), false);
  ++writes;
  return true;
}

bool FakeFileSystem::CopyFile(const std::u16string& from, const std::u16string& to) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = files_.find(Key(from));
  std::u16string to_key = Key(to);
  if (fail_writes || it == files_.end() || unreadable_.count(it->first) != 0 ||
      !FolderExists(ParentKey(to_key)) || folders_.count(to_key) != 0) {
    return false;
  }
  Store(to, it->second.bytes, it->second.hidden);
  return true;
}

bool FakeFileSystem::FileExists(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = files_.find(Key(path));
  return it != files_.end() && !it->second.hidden;
}

bool FakeFileSystem::PathExists(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  return files_.count(key) != 0 || FolderExists(key);
}

bool FakeFileSystem::CreateFolder(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  if (files_.count(key) != 0) return false;
  for (std::u16string folder = key; !FolderExists(folder); folder = ParentKey(folder)) {
    if (files_.count(folder) != 0) return false;
    folders_.insert(folder);
  }
  return true;
}

std::vector<std::u16string> FakeFileSystem::ListFiles(const std::u16string& folder) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string folder_key = Key(folder);
  std::vector<const Entry*> found;
  for (const auto& [key, entry] : files_) {
    if (ParentKey(key) == folder_key) found.push_back(&entry);
  }
  std::sort(found.begin(), found.end(),
            [](const Entry* a, const Entry* b) { return a->order < b->order; });
  std::vector<std::u16string> names;
  for (const Entry* entry : found) names.push_back(entry->name);
  return names;
}

void FakeFileSystem::AddFile(const std::u16string& path, std::string_view bytes, bool hidden) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  CreateFolder(ParentKey(Key(path)));
  Store(path, std::string(bytes), hidden);
}

std::optional<std::string> FakeFileSystem::Contents(const std::u16string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

}  // namespace velmo
