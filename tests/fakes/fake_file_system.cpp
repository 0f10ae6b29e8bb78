#include "fakes/fake_file_system.h"

#include <algorithm>

namespace velmo {

std::u16string FakeFileSystem::Normal(std::u16string_view path) {
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

std::u16string FakeFileSystem::Key(std::u16string_view path) const {
  std::u16string key = Normal(path);
  for (const auto& [alias, folder] : aliases_) {
    if (key.compare(0, alias.size(), alias) == 0 &&
        (key.size() == alias.size() || key[alias.size()] == u'\\')) {
      return folder + key.substr(alias.size());
    }
  }
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
  it->second.attributes = hidden ? file_attribute::kHidden : 0;
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

WriteResult FakeFileSystem::WriteFileAtomic(const std::u16string& path, std::string_view bytes) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  if (fail_writes) return {WriteError::kOther};
  if (!FolderExists(ParentKey(key))) return {WriteError::kFolderMissing};
  if (unreadable_.count(key) != 0) return {WriteError::kInUse};
  if (read_only_.count(key) != 0 || folders_.count(key) != 0) return {WriteError::kDenied};
  if (free_bytes && bytes.size() > *free_bytes) return {WriteError::kDiskFull};
  if (auto it = files_.find(key); it != files_.end()) {
    Store(path + u".bak", it->second.bytes, false);
  }
  Store(path, std::string(bytes), false);
  ++writes;
  return {};
}

bool FakeFileSystem::CopyFile(const std::u16string& from, const std::u16string& to) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = files_.find(Key(from));
  std::u16string to_key = Key(to);
  if (fail_writes || it == files_.end() || unreadable_.count(it->first) != 0 ||
      !FolderExists(ParentKey(to_key)) || folders_.count(to_key) != 0) {
    return false;
  }
  Store(to, it->second.bytes, (it->second.attributes & file_attribute::kHidden) != 0);
  return true;
}

bool FakeFileSystem::FileExists(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = files_.find(Key(path));
  return it != files_.end() &&
         (it->second.attributes & (file_attribute::kHidden | file_attribute::kSystem)) == 0;
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
  // Each missing folder from the top down, named as the caller spelled it.
  std::u16string spelled;
  for (char16_t c : path) {
    if (c == u'/') c = u'\\';
    if (c == u'\\' && !spelled.empty() && spelled.back() == u'\\') continue;
    spelled.push_back(c);
  }
  std::size_t end = 0;
  while (end != std::u16string::npos) {
    end = spelled.find(u'\\', end + 1);
    std::u16string part = spelled.substr(0, end);
    std::u16string part_key = Key(part);
    if (part_key.empty() || FolderExists(part_key)) continue;
    if (files_.count(part_key) != 0) return false;
    Entry& folder = folders_[part_key];
    folder.name = FileNameOf(part);
    folder.attributes = file_attribute::kDirectory;
    folder.order = next_order_++;
  }
  return true;
}

bool FakeFileSystem::ListFolder(const std::u16string& folder,
                                const std::function<void(const FolderEntry&)>& visit) {
  if (on_list) on_list(folder);
  std::vector<FolderEntry> found;
  std::vector<std::size_t> order;
  {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::u16string folder_key = Key(folder);
    if (!FolderExists(folder_key)) return false;
    for (const auto* entries : {&files_, &folders_}) {
      for (const auto& [key, entry] : *entries) {
        if (ParentKey(key) != folder_key) continue;
        found.push_back({entry.name, entry.attributes, entry.bytes.size()});
        order.push_back(entry.order);
      }
    }
  }
  std::vector<std::size_t> by_order(found.size());
  for (std::size_t i = 0; i < by_order.size(); ++i) by_order[i] = i;
  std::sort(by_order.begin(), by_order.end(),
            [&](std::size_t a, std::size_t b) { return order[a] < order[b]; });
  // The entries' names live in the maps: the visit runs unlocked, so it may call back in.
  for (std::size_t i : by_order) visit(found[i]);
  return true;
}

std::optional<FolderIdentity> FakeFileSystem::IdentityOf(const std::u16string& folder) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(folder);
  if (!FolderExists(key)) return std::nullopt;
  return FolderIdentity{key.empty() ? 0u : key[0], std::hash<std::u16string>{}(key)};
}

void FakeFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  if (auto it = files_.find(key); it != files_.end()) it->second.attributes = attributes;
  if (auto it = folders_.find(key); it != folders_.end()) {
    it->second.attributes = attributes | file_attribute::kDirectory;
  }
}

std::optional<std::uint32_t> FakeFileSystem::AttributesOf(const std::u16string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  if (auto it = files_.find(key); it != files_.end()) {
    return it->second.attributes | (read_only_.count(key) ? file_attribute::kReadOnly : 0);
  }
  if (auto it = folders_.find(key); it != folders_.end()) return it->second.attributes;
  return std::nullopt;
}

bool FakeFileSystem::Held(const std::u16string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return unreadable_.count(Key(path)) != 0;
}

bool FakeFileSystem::RemoveFile(const std::u16string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::u16string key = Key(path);
  if (unreadable_.count(key) != 0 || read_only_.count(key) != 0) return false;
  files_.erase(key);
  return true;
}

void FakeFileSystem::AddFile(const std::u16string& path, std::string_view bytes, bool hidden) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::size_t slash = path.find_last_of(u"\\/");
  if (slash != std::u16string::npos) CreateFolder(path.substr(0, slash));
  Store(path, std::string(bytes), hidden);
}

std::optional<std::string> FakeFileSystem::Contents(const std::u16string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.bytes;
}

}  // namespace velmo
