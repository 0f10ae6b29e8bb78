// The Recycle Bin through the shell. Windows keeps undo only "if possible": on a network,
// removable or subst drive, with the bin switched off or for a file bigger than the bin it
// deletes for good without a word. So every file is checked first, against itself and against
// its drive, and where the system offers it (IFileOperation, Windows 8 and later) a progress sink
// refuses any file the shell would not recycle. Elsewhere (Wine has no deletion in
// IFileOperation) SHFileOperationW moves what the checks let through. The disk then says what
// became of each file.
#include <objbase.h>
#include <shellapi.h>
#include <shobjidl.h>
#include <windows.h>

#include <map>
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

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Which drives keep a Recycle Bin for their files, asked once per drive letter.
class Drives {
 public:
  bool KeepBin(const std::wstring& path) {
    // A network path ("\\server\share") never has a bin.
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return false;
    wchar_t letter = path[0] >= L'a' && path[0] <= L'z' ? path[0] - L'a' + L'A' : path[0];
    auto [it, inserted] = keeps_bin_.try_emplace(letter, false);
    if (inserted) it->second = Ask(letter);
    return it->second;
  }

 private:
  static bool Ask(wchar_t letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    if (GetDriveTypeW(root) != DRIVE_FIXED) return false;
    // A subst drive, a folder of another drive under a letter of its own, reads as fixed; its
    // device is the folder, "\??\C:\folder", where a volume's is "\Device\...".
    const wchar_t device[] = {letter, L':', L'\0'};
    wchar_t target[MAX_PATH];
    DWORD n = QueryDosDeviceW(device, target, MAX_PATH);
    return !(n >= 4 && std::wstring_view(target, 4) == L"\\??\\");
  }

  std::map<wchar_t, bool> keeps_bin_;
};

// Why the file stays where it is, or nullopt when it may go to the bin.
std::optional<RemoveResult> Refusal(const std::wstring& path, Drives& drives) {
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
  // The shell's operations take no longer path.
  if (path.size() >= MAX_PATH) return RemoveResult::kPathTooLong;
  if (!drives.KeepBin(path)) return RemoveResult::kNoRecycleBin;
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

// Lets the shell delete an item only when it will go to the Recycle Bin. A refusal cancels the
// item and every one after it; the caller tries those again without it.
class RecycleOnlySink final : public IFileOperationProgressSink {
 public:
  std::optional<std::wstring> refused;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IFileOperationProgressSink)) {
      *out = static_cast<IFileOperationProgressSink*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the caller's stack for the whole operation.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem* item) override {
    if (flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) return S_OK;
    PWSTR name = nullptr;
    refused = std::wstring();
    if (item && SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &name))) {
      refused = name;
      CoTaskMemFree(name);
    }
    return E_ABORT;
  }
  HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT,
                                           IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                         IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                         IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem*, HRESULT, IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT,
                                        IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }
};

// Moves files to the bin, by IFileOperation while the system has it, else by SHFileOperationW.
// Neither result is read: an operation may stop at the first file it cannot move, and says
// nothing of which one; the disk does.
class Mover {
 public:
  // The files the shell would have deleted for good are left, and named in `refused`.
  void Move(std::span<const std::wstring> paths, std::vector<std::wstring>& refused) {
    if (file_operation_ && MoveWithFileOperation(paths, refused)) return;
    file_operation_ = false;
    MoveWithShFileOperation(paths);
  }

 private:
  // False when the system has no IFileOperation that deletes.
  static bool MoveWithFileOperation(std::span<const std::wstring> paths,
                                    std::vector<std::wstring>& refused) {
    while (!paths.empty()) {
      IFileOperation* operation = nullptr;
      if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation,
                                  reinterpret_cast<void**>(&operation)))) {
        return false;
      }
      RecycleOnlySink sink;
      DWORD cookie = 0;
      bool queued = SUCCEEDED(operation->SetOperationFlags(FOF_NO_UI | FOF_ALLOWUNDO |
                                                           FOFX_RECYCLEONDELETE)) &&
                    SUCCEEDED(operation->Advise(&sink, &cookie));
      for (std::size_t i = 0; queued && i < paths.size(); ++i) {
        IShellItem* item = nullptr;
        if (FAILED(SHCreateItemFromParsingName(paths[i].c_str(), nullptr, IID_IShellItem,
                                               reinterpret_cast<void**>(&item)))) {
          continue;  // gone meanwhile: the disk tells
        }
        queued = SUCCEEDED(operation->DeleteItem(item, nullptr));
        item->Release();
      }
      if (queued) operation->PerformOperations();
      if (cookie) operation->Unadvise(cookie);
      operation->Release();
      if (!queued) return false;
      if (!sink.refused) return true;
      // The refused file and those after it were not touched: the rest goes again without it.
      std::size_t at = 0;
      while (at < paths.size() && !SamePath(paths[at], *sink.refused)) ++at;
      if (at == paths.size()) {
        // A file the sink named by another spelling: none of those left is risked.
        for (const std::wstring& path : paths) {
          if (Present(path)) refused.push_back(path);
        }
        return true;
      }
      refused.push_back(paths[at]);
      paths = paths.subspan(at + 1);
    }
    return true;
  }

  static void MoveWithShFileOperation(std::span<const std::wstring> paths) {
    std::wstring list;  // each path ended by a NUL, the list by a second one
    for (const std::wstring& path : paths) {
      list += path;
      list += L'\0';
    }
    list += L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
    SHFileOperationW(&op);
  }

  bool file_operation_ = true;
};

}  // namespace

std::vector<RemoveResult> Win32RecycleBin::Recycle(const std::vector<std::u16string>& paths) {
  ComScope com;
  Drives drives;
  Mover mover;
  std::vector<RemoveResult> results(paths.size(), RemoveResult::kRemoved);
  std::vector<std::wstring> batch;
  std::vector<std::size_t> batch_index;
  std::vector<std::wstring> refused;
  auto move_batch = [&] {
    refused.clear();
    mover.Move(batch, refused);
    for (std::size_t i = 0; i < batch.size(); ++i) {
      bool was_refused = false;
      for (const std::wstring& r : refused) was_refused |= SamePath(r, batch[i]);
      if (was_refused) {
        results[batch_index[i]] = RemoveResult::kNotRecyclable;
        continue;
      }
      if (!Present(batch[i])) continue;
      // Alone, the files the batch stopped before still go.
      std::vector<std::wstring> alone_refused;
      mover.Move(std::span(&batch[i], 1), alone_refused);
      if (!alone_refused.empty()) {
        results[batch_index[i]] = RemoveResult::kNotRecyclable;
      } else if (Present(batch[i])) {
        results[batch_index[i]] = RemoveResult::kLocked;
      }
    }
    batch.clear();
    batch_index.clear();
  };
  for (std::size_t i = 0; i < paths.size(); ++i) {
    std::wstring path = Wide(paths[i]);
    if (std::optional<RemoveResult> refusal = Refusal(path, drives)) {
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
