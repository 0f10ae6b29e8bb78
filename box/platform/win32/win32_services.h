// The Windows implementations of the box's platform services.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "box/platform/clipboard.h"
#include "box/platform/clock.h"
#include "box/platform/dialogs.h"
#include "box/platform/file_icons.h"
#include "box/platform/files.h"
#include "box/platform/global_hotkeys.h"
#include "box/platform/instance_lock.h"
#include "box/platform/keyboard_hook.h"
#include "box/platform/known_folders.h"
#include "box/platform/launcher.h"
#include "box/platform/media_engine.h"
#include "box/platform/power.h"
#include "box/platform/processes.h"
#include "box/platform/recycle_bin.h"
#include "box/platform/registry.h"
#include "box/platform/screen.h"
#include "box/platform/speech.h"

namespace velmo {

class Win32FileSystem final : public FileSystem {
 public:
  FileRead ReadFile(const std::u16string& path) override;
  std::unique_ptr<FileView> MapFile(const std::u16string& path) override;
  WriteResult WriteFileAtomic(const std::u16string& path, std::string_view bytes) override;
  bool CanReplace(const std::u16string& path) override;
  bool CopyFile(const std::u16string& from, const std::u16string& to) override;
  bool RemoveFile(const std::u16string& path) override;
  bool FileExists(const std::u16string& path) override;
  bool PathExists(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  bool ListFolder(const std::u16string& folder,
                  const std::function<void(const FolderEntry&)>& visit) override;
  std::optional<FolderIdentity> IdentityOf(const std::u16string& folder) override;
  std::optional<std::uint64_t> FreeBytes(const std::u16string& folder) override;
};

class Win32InstanceLock final : public InstanceLock {
 public:
  ~Win32InstanceLock() override;
  bool Acquire(const std::u16string& name) override;

 private:
  HANDLE mutex_ = nullptr;
};

class Win32Registry final : public Registry {
 public:
  bool SetValue(RegistryRoot root, const std::u16string& sub_key, const std::u16string& name,
                const RegistryValue& value) override;
  bool DeleteValue(RegistryRoot root, const std::u16string& sub_key,
                   const std::u16string& name) override;
  std::optional<RegistryValue> GetValue(RegistryRoot root, const std::u16string& sub_key,
                                        const std::u16string& name) override;
};

// The system's SAPI voice, for a SpeechThread: made on the thread that calls this, nullptr when
// the system has none.
std::unique_ptr<Voice> MakeSapiVoice();

class Win32Screen final : public Screen {
 public:
  // Once the box's window exists, its dpi (that of its monitor) is the one the models use.
  void set_window(HWND window) { window_ = window; }
  int Dpi() override;
  int WidthPixels() override;
  int HeightPixels() override;
  std::vector<PixelRect> WorkAreas() override;
  PixelPoint CursorPosition() override;

 private:
  HWND window_ = nullptr;
};

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
  std::int64_t MonotonicMs() override;
  std::u16string TimeText(const LocalTime& t) override;
};

// CreateProcessW for programs, ShellExecuteExW for the documents and folders the desktop shell
// opens and for the programs that need elevation.
class Win32Launcher final : public Launcher, private ProgramStarter {
 public:
  bool StartCommandLine(const std::u16string& command_line, WindowStyle style) override;
  bool StartProgramFile(const std::u16string& path, WindowStyle style) override;
  void OpenWithShell(const std::u16string& target) override;

 private:
  std::uint32_t StartProcess(const std::u16string& application, const std::u16string& command_line,
                             WindowStyle style) override;
  bool StartThroughShell(const std::u16string& program, const std::u16string& parameters,
                         WindowStyle style) override;
  std::vector<std::u16string> SearchFolders() override;
  bool IsFile(const std::u16string& path) override;
};

// Common dialogs, owned by the active window of the box.
class Win32Dialogs final : public Dialogs {
 public:
  std::optional<std::u16string> OpenFile(const OpenFileRequest& request) override;
  void ShowError(const std::u16string& text, const std::u16string& title) override;
  bool Ask(const std::u16string& text, const std::u16string& title) override;
};

// The clipboard functions Win32Clipboard calls; a test may hold them to Windows' rules, which
// Wine does not keep.
struct ClipboardApi {
  BOOL(WINAPI* open)(HWND) = OpenClipboard;
  BOOL(WINAPI* empty)() = EmptyClipboard;
  HANDLE(WINAPI* set)(UINT, HANDLE) = SetClipboardData;
  BOOL(WINAPI* close)() = CloseClipboard;
};

class Win32Clipboard final : public Clipboard {
 public:
  explicit Win32Clipboard(ClipboardApi api = {}) : api_(api) {}
  // The window that owns what the box puts on the clipboard; nothing is copied before it exists.
  void set_owner(HWND owner) { owner_ = owner; }
  bool SetText(const std::u16string& text) override;

 private:
  ClipboardApi api_;
  HWND owner_ = nullptr;
};

class Win32Processes final : public Processes {
 public:
  std::vector<std::u16string> RunningImageNames() override;
  std::vector<std::u16string> LogicalDrives() override;

 private:
  std::vector<unsigned char> buffer_ =
      std::vector<unsigned char>(64 * 1024);  // kept for the next tick
};

// The hook lives on a thread of its own with its own message loop, so that no key of the desktop
// waits for the window's thread.
class Win32KeyboardHook final : public KeyboardHook {
 public:
  Win32KeyboardHook() = default;
  ~Win32KeyboardHook() override;
  Win32KeyboardHook(const Win32KeyboardHook&) = delete;  // one thread, one owner
  Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;

  bool Install() override;
  void Remove() override;

 private:
  std::thread thread_;  // runs while the hook is set
  DWORD thread_id_ = 0;
};

// RegisterHotKey on a message-only window made at the first registration, on that thread.
class Win32GlobalHotkeys final : public GlobalHotkeys {
 public:
  Win32GlobalHotkeys() = default;
  ~Win32GlobalHotkeys() override;
  Win32GlobalHotkeys(const Win32GlobalHotkeys&) = delete;  // the window points at it
  Win32GlobalHotkeys& operator=(const Win32GlobalHotkeys&) = delete;

  // Runs after each press has been handled: the host brings its window up to date.
  void set_after_press(std::function<void()> after) { after_press_ = std::move(after); }
  HotkeyRegistration Register(int id, const Hotkey& keys, std::function<void()> pressed) override;
  void Unregister(int id) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND window_ = nullptr;
  std::map<int, std::function<void()>> pressed_;
  std::function<void()> after_press_;
};

// SHGetFileInfoW on a thread of its own, started by the first request; icons drawn at the size
// asked for from the shell's small or large one.
class Win32FileIcons final : public FileIcons {
 public:
  Win32FileIcons();
  ~Win32FileIcons() override;
  Win32FileIcons(const Win32FileIcons&) = delete;  // the thread points at it
  Win32FileIcons& operator=(const Win32FileIcons&) = delete;

  void Fetch(const std::u16string& path, int size) override;
  std::vector<FetchedIcon> TakeFetched() override;

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<FetchedIcon> requests_;
  std::vector<FetchedIcon> fetched_;
  bool stopping_ = false;
  std::thread thread_;
};

class Win32Power final : public Power {
 public:
  bool Suspend() override;
};

// SHGetKnownFolderPath; GetTempPathW for the temporary folder.
class Win32KnownFolders final : public KnownFolders {
 public:
  std::optional<std::u16string> Get(KnownFolder folder) override;
};

// SHFileOperationW with undo for the files, after a check of each; SHEmptyRecycleBinW.
class Win32RecycleBin final : public RecycleBin {
 public:
  std::vector<RemoveResult> Recycle(const std::vector<std::u16string>& paths) override;
  bool Empty() override;
};

// MCI command strings on the mpegvideo device; state_ is what the player asked for, refreshed
// to kEnded when the device has stopped by itself.
class Win32MediaEngine final : public MediaEngine {
 public:
  Win32MediaEngine();
  ~Win32MediaEngine() override;
  Win32MediaEngine(const Win32MediaEngine&) = delete;  // the alias is made from the address
  Win32MediaEngine& operator=(const Win32MediaEngine&) = delete;

  bool Load(const std::u16string& path) override;
  std::u16string Source() const override;
  void Play() override;
  void Pause() override;
  void Stop() override;
  double Position() override;
  double Length() override;
  void SetPosition(double seconds) override;
  MediaState State() override;
  int Volume() const override;
  void SetVolume(int volume) override;
  bool Muted() const override;
  void SetMute(bool mute) override;

 private:
  // "<verb> <alias> <arguments>"; true when the device accepted it.
  bool Send(const std::wstring& verb, const std::wstring& arguments,
            std::wstring* answer = nullptr);
  double Milliseconds(const wchar_t* item);
  bool Open(const std::u16string& path);
  void Close();
  void Refresh();
  bool PlayFrom(double ms);
  void ApplyVolume();

  std::wstring alias_;
  std::u16string source_;
  MediaState state_ = MediaState::kClosed;
  int volume_ = 50;
  bool muted_ = false;
  bool spent_ = false;    // the device has run to the end since it was opened
  double length_ms_ = 0;  // of the open source: asked once, since a player asks every tick
};

// Full path of the running program.
std::u16string ProgramPath();

}  // namespace velmo
