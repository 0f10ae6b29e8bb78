// The Recycle Bin through the shell: every file is checked first, then the shell moves them in
// batches with undo, and the disk says what became of each.
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <optional>
#include <span>

#include "box/platform/win32/long_path.h"
#include "box/platform/win32/wide.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

// Files per shell operation: the shell's set-up is paid once a batch, and one file it cannot
// move costs the retry of one batch only.
constexpr std::size_t kBatch = 200;

// The shell's file operations want COM on the calling thread, here the cleaner's worker.
class ComScope {
 public:
  ComScope() : init_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComScope() {
    if (SUCCEEDED(init_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT init_;
};

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

bool Present(const std::wstring& path) {
  return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES ||
         !IsMissing(GetLastError());
}

// Why the file stays where it is, or nullopt when it may go to the bin.
std::optional<RemoveResult> Refusal(const std::wstring& path) {
  std::wstring long_path = LongPath(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  // The attributes of a link itself, never of its target.
  if (!GetFileAttributesExW(long_path.c_str(), GetFileExInfoStandard, &data)) {
    return IsMissing(GetLastError()) ? RemoveResult::kGone : RemoveResult::kLocked;
  }
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  if (data.dwFileAttributes & kNotOrdinary) return RemoveResult::kGone;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return RemoveResult::kReadOnly;
  // Opening for deletion fails, as the move would, while another program holds the file
  // without letting it be deleted. The shell would otherwise stop at it with no word of why.
  HANDLE probe =
      CreateFileW(long_path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    return IsMissing(GetLastError()) ? RemoveResult::kGone : RemoveResult::kLocked;
  }
  CloseHandle(probe);
  return std::nullopt;
}

// One shell operation. Its result is not read: it may stop at the first file it cannot move,
// and says nothing of which one; the disk does.
void MoveToBin(std::span<const std::wstring> paths) {
  std::wstring list;  // each path ended by a NUL, the list by a second one
  for (const std::wstring& path : paths) {
    list += path;
    list += L'\0';
  }
  list += L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = list.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
  SHFileOperationW(&op);
}

}  // namespace

std::vector<RemoveResult> Win32RecycleBin::Recycle(const std::vector<std::u16string>& paths) {
  ComScope com;
  std::vector<RemoveResult> results(paths.size(), RemoveResult::kRemoved);
  std::vector<std::wstring> batch;
  std::vector<std::size_t> batch_index;
  auto move_batch = [&] {
    MoveToBin(batch);
    for (std::size_t i = 0; i < batch.size(); ++i) {
      if (!Present(batch[i])) continue;
      // Alone, the files the batch stopped before still go.
      MoveToBin(std::span(&batch[i], 1));
      if (Present(batch[i])) results[batch_index[i]] = RemoveResult::kLocked;
    }
    batch.clear();
    batch_index.clear();
  };
  for (std::size_t i = 0; i < paths.size(); ++i) {
    std::wstring path = Wide(paths[i]);
    if (std::optional<RemoveResult> refusal = Refusal(path)) {
      results[i] = *refusal;
      continue;
    }
    batch.push_back(std::move(path));
    batch_index.push_back(i);
    if (batch.size() == kBatch) move_batch();
  }
  if (!batch.empty()) move_batch();
  return results;
}

bool Win32RecycleBin::Empty() {
  ComScope com;
  // Windows fails on a bin that is empty already, and may leave a file another program holds:
  // what counts is what is left.
  SHEmptyRecycleBinW(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
  SHQUERYRBINFO info{};
  info.cbSize = sizeof(info);
  return SUCCEEDED(SHQueryRecycleBinW(nullptr, &info)) && info.i64NumItems == 0;
}

}  // namespace velmo
