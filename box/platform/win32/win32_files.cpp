// Files and folders through the W functions; atomic replace by a flushed temporary file and a
// rename.
#include <windows.h>

#include <cwchar>

#include "box/platform/win32/long_path.h"
#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
};

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A read-only file is never replaced. Windows refuses the rename over it anyway; Wine running
// as root would not, so the rule is ours.
bool IsReadOnly(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

WriteError WriteErrorOf(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return WriteError::kDiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return WriteError::kInUse;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return WriteError::kDenied;
    case ERROR_PATH_NOT_FOUND:
      return WriteError::kFolderMissing;
    default:
      return WriteError::kOther;
  }
}

// Windows refuses to copy or rename over a file that another program holds with "access denied"
// as often as with a sharing violation; a second look tells the two apart.
WriteError HeldOr(const std::wstring& target, WriteError error) {
  if (error != WriteError::kDenied) return error;
  HANDLE probe =
      CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    return error;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION ? WriteError::kInUse : error;
}

// Unmapping ends the view; the mapping object and the file were released when it was made.
class Win32FileView final : public FileView {
 public:
  Win32FileView(const void* base, std::size_t size) : base_(base), size_(size) {}
  ~Win32FileView() override { UnmapViewOfFile(base_); }
  std::string_view bytes() const override {
    return std::string_view(static_cast<const char*>(base_), size_);
  }

 private:
  const void* base_;
  std::size_t size_;
};

}  // namespace

FileRead Win32FileSystem::ReadFile(const std::u16string& path) {
  FileRead result;
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.h == INVALID_HANDLE_VALUE) {
    DWORD err = GetLastError();
    result.status = (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
                        ? FileRead::Status::kMissing
                        : FileRead::Status::kError;
    return result;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.h, &size) || size.QuadPart > (1LL << 31)) {
    result.status = FileRead::Status::kError;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < result.bytes.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(result.bytes.size() - done);
    if (!::ReadFile(file.h, result.bytes.data() + done, want, &got, nullptr)) {
      result.status = FileRead::Status::kError;
      result.bytes.clear();
      return result;
    }
    if (got == 0) break;
    done += got;
  }
  result.bytes.resize(done);
  result.status = FileRead::Status::kOk;
  return result;
}

std::unique_ptr<FileView> Win32FileSystem::MapFile(const std::u16string& path) {
  // Others may still read, write, rename or delete the file; Windows itself refuses to truncate
  // a file while a view of it exists.
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.h, &size) || size.QuadPart > (1LL << 31)) return nullptr;
  // An empty file cannot be mapped.
  if (size.QuadPart == 0) return std::make_unique<InMemoryFileView>(std::string());
  HANDLE mapping = CreateFileMappingW(file.h, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) return nullptr;
  const void* base = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  CloseHandle(mapping);
  if (base == nullptr) return nullptr;
  return std::make_unique<Win32FileView>(base, static_cast<std::size_t>(size.QuadPart));
}

WriteResult Win32FileSystem::WriteFileAtomic(const std::u16string& path, std::string_view bytes) {
  std::wstring target = Wide(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (IsReadOnly(attributes)) return {WriteError::kDenied};
  std::wstring temp = target + L".tmp";
  auto failed = [&](WriteError error) {
    DeleteFileW(temp.c_str());
    return WriteResult{error};
  };
  {
    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.h == INVALID_HANDLE_VALUE) return {WriteErrorOf(GetLastError())};
    if (!WriteAll(file.h, bytes) || !FlushFileBuffers(file.h)) {
      WriteError error = WriteErrorOf(GetLastError());
      CloseHandle(file.h);
      file.h = INVALID_HANDLE_VALUE;
      return failed(error);
    }
  }
  // The backup is a copy and the new file arrives by one rename, so a kill at any moment leaves
  // the target whole, old or new. (ReplaceFileW is no such promise: Wine moves the old file
  // away first, and a kill in between leaves no file at all.)
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      !::CopyFileW(target.c_str(), (target + L".bak").c_str(), FALSE)) {
    return failed(HeldOr(target, WriteErrorOf(GetLastError())));
  }
  if (MoveFileExW(temp.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return failed(HeldOr(target, WriteErrorOf(GetLastError())));
}

bool Win32FileSystem::CanReplace(const std::u16string& path) {
  std::wstring target = Wide(path);
  // The probe is the temporary file a save writes first; it goes again when closed.
  HANDLE probe = CreateFileW((target + L".tmp").c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                             CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (IsReadOnly(attributes)) return false;
  // Opening for writing and deleting changes nothing, but fails as the save would when the file
  // is held: the copy needs it readable, the rename over it needs it shared for deletion.
  Handle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.h != INVALID_HANDLE_VALUE;
}

bool Win32FileSystem::CopyFile(const std::u16string& from, const std::u16string& to) {
  return ::CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0;
}

bool Win32FileSystem::RemoveFile(const std::u16string& path) {
  std::wstring name = Wide(path);
  return DeleteFileW(name.c_str()) || GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::FileExists(const std::u16string& path) {
  DWORD attrs = GetFileAttributesW(Wide(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES &&
         !(attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool Win32FileSystem::PathExists(const std::u16string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::CreateFolder(const std::u16string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32FileSystem::ListFolder(const std::u16string& folder,
                                 const std::function<void(const FolderEntry&)>& visit) {
  std::wstring pattern = Wide(folder);
  while (!pattern.empty() && (pattern.back() == L'\\' || pattern.back() == L'/')) {
    pattern.pop_back();
  }
  pattern += L"\\*";
  pattern = LongPath(std::move(pattern));
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    // Only a drive's root comes without "." and "..": it is empty, not missing.
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    pattern.pop_back();
    DWORD attributes = GetFileAttributesW(pattern.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  FolderEntry entry;
  do {
    const wchar_t* name = data.cFileName;
    if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) continue;
    entry.name = std::u16string_view(reinterpret_cast<const char16_t*>(name), wcslen(name));
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    visit(entry);
  } while (FindNextFileW(find, &data));
  bool complete = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(find);
  return complete;
}

std::optional<FolderIdentity> Win32FileSystem::IdentityOf(const std::u16string& folder) {
  // Backup semantics open a folder; no access beyond its attributes is asked.
  HANDLE handle = CreateFileW(LongPath(Wide(folder)).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  bool known = GetFileInformationByHandle(handle, &info) != FALSE;
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return FolderIdentity{
      info.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<std::uint64_t> Win32FileSystem::FreeBytes(const std::u16string& folder) {
  // A share's name works only with a trailing backslash; any folder takes one.
  std::wstring name = Wide(folder);
  if (name.empty() || name.back() != L'\\') name += L'\\';
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExW(name.c_str(), &available, nullptr, nullptr)) {
    return std::nullopt;
  }
  return available.QuadPart;
}

}  // namespace velmo
