// Files and folders as the box uses them: whole-file reads, atomic whole-file writes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

struct FileRead {
  enum class Status { kOk, kMissing, kError };
  Status status = Status::kMissing;
  std::string bytes;
};

// A whole file's bytes, read-only, for as long as the view lives.
class FileView {
 public:
  virtual ~FileView() = default;
  virtual std::string_view bytes() const = 0;
};

// A view of bytes held in memory.
class InMemoryFileView final : public FileView {
 public:
  explicit InMemoryFileView(std::string bytes) : bytes_(std::move(bytes)) {}
  std::string_view bytes() const override { return bytes_; }

 private:
  std::string bytes_;
};

// File attribute bits as the system reports them.
namespace file_attribute {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kReparsePoint = 0x400;  // a junction or a symbolic link
}  // namespace file_attribute

// One entry of a folder listing.
struct FolderEntry {
  std::u16string_view name;  // the long name; valid during the visit only
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;  // bytes; 0 for a folder
};

// Which folder a path names, whatever its spelling: a subst drive, an 8.3 name or a share that
// reaches it under another path have the same identity.
struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FolderIdentity&) const = default;
};

// Why a write did not happen.
enum class WriteError {
  kNone,
  kDiskFull,
  kInUse,          // another program holds the file
  kDenied,         // read-only, or no permission
  kFolderMissing,  // the file's folder is gone
  kOther,
};

struct WriteResult {
  WriteError error = WriteError::kNone;
  explicit operator bool() const { return error == WriteError::kNone; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual FileRead ReadFile(const std::u16string& path) = 0;
  // A read-only view whose pages the system reads in only when they are touched, so that a
  // large file costs memory only where it is used; nullptr when the file cannot be opened.
  virtual std::unique_ptr<FileView> MapFile(const std::u16string& path) = 0;
  // Writes a temporary file beside `path`, flushes it and replaces `path` with it, keeping the
  // previous content as `path` + ".bak". A crash leaves either the old or the new file; a failed
  // write leaves `path` as it was and says why.
  virtual WriteResult WriteFileAtomic(const std::u16string& path, std::string_view bytes) = 0;
  // Whether WriteFileAtomic(path) can succeed now: the folder takes a new file and an existing
  // `path` is neither read-only nor held by another program. Leaves everything as it was.
  virtual bool CanReplace(const std::u16string& path) = 0;
  virtual bool CopyFile(const std::u16string& from, const std::u16string& to) = 0;
  // Deletes a file for good; false when it is still there.
  virtual bool RemoveFile(const std::u16string& path) = 0;
  // A normal file: not a folder, not hidden, not a system file.
  virtual bool FileExists(const std::u16string& path) = 0;
  // A file or a folder of that name.
  virtual bool PathExists(const std::u16string& path) = 0;
  virtual bool CreateFolder(const std::u16string& path) = 0;
  // Tells `visit` of every entry directly in `folder` except "." and "..", in the file system's
  // order, hidden ones included, without following links. False when the folder cannot be
  // listed (missing, denied, not a folder).
  virtual bool ListFolder(const std::u16string& folder,
                          const std::function<void(const FolderEntry&)>& visit) = 0;
  // nullopt when the folder cannot be opened.
  virtual std::optional<FolderIdentity> IdentityOf(const std::u16string& folder) = 0;
  // The bytes this user may still write on the disk that holds `folder` (quotas counted);
  // nullopt when the system does not say.
  virtual std::optional<std::uint64_t> FreeBytes(const std::u16string& folder) = 0;
};

// Joins with one backslash.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// The part after the last backslash or slash.
std::u16string FileNameOf(std::u16string_view path);
// The file name of `path` without its last four characters (a dot and a three-letter
// extension); nullopt when the file name is shorter than four characters.
std::optional<std::u16string> NameWithoutExtension(std::u16string_view path);

}  // namespace velmo
