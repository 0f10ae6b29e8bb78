// What happens between captures: copying, saving, the launcher and its single instance.
#include "screenshot/platform/win32/shot_app.h"

#include <psapi.h>

#include <cstdio>
#include <future>
#include <utility>

#include "screenshot/platform/win32/clipboard.h"
#include "screenshot/platform/win32/save_dialog.h"
#include "screenshot/platform/win32/wide.h"
#include "screenshot/save_choice.h"

namespace shot {
namespace {

// Named per user session: a second 截屏 sees the launcher of the first.
constexpr wchar_t kLauncherMutex[] = L"Local\\VelmoBox.截屏.Launcher";

ULONGLONG Now() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

double MillisecondsSince(ULONGLONG filetime_100ns) {
  return static_cast<double>(Now() - filetime_100ns) / 10000.0;
}

ULONGLONG ProcessStart() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The pin's own copy of the region, marks included, and where it goes on the screen.
std::unique_ptr<FrozenScreen> PinPicture(const FrozenScreen& frozen, const RectI& region,
                                         POINT* at) {
  const RectI r = ClipToImage(region, frozen.width(), frozen.height());
  if (r.width() <= 0 || r.height() <= 0) return nullptr;
  auto picture = std::make_unique<FrozenScreen>(frozen.dc(), POINT{r.left, r.top},
                                                SIZE{r.width(), r.height()});
  if (!picture->ok()) return nullptr;
  *at = {frozen.origin().x + r.left, frozen.origin().y + r.top};
  return picture;
}

}  // namespace

ShotApp::ShotApp(HINSTANCE instance, bool report_timing)
    : instance_(instance), report_timing_(report_timing) {
  if (report_timing_) entered_ms_ = MillisecondsSince(ProcessStart());
}

ShotApp::~ShotApp() {
  capture_.reset();
  pins_.clear();
  launcher_.reset();
  if (instance_mutex_) CloseHandle(instance_mutex_);
}

int ShotApp::Run() {
  StartCapture();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void ShotApp::StartCapture() {
  // The screen is copied while the (still hidden) window is being made.
  auto copying = std::async(std::launch::async, [] {
    const ULONGLONG before = Now();
    std::unique_ptr<FrozenScreen> frozen = FrozenScreen::CaptureVirtualScreen();
    return std::make_pair(std::move(frozen), MillisecondsSince(before));
  });
  capture_ = std::make_unique<CaptureWindow>(instance_, FrozenScreen::VirtualScreen(),
                                             [this](CaptureEnd end) { EndCapture(end); });
  auto [frozen, capture_ms] = copying.get();
  capture_->Show(std::move(frozen));
  if (!report_timing_) return;
  report_timing_ = false;  // the figures are those of the program's first capture
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  std::printf(
      "screen %dx%d entered_ms %.1f capture_ms %.1f shown_ms %.1f peak_working_set_mb %.1f\n",
      capture_->frozen().width(), capture_->frozen().height(), entered_ms_, capture_ms,
      MillisecondsSince(ProcessStart()),
      static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
  std::fflush(stdout);
}

void ShotApp::EndCapture(CaptureEnd end) {
  if (end == CaptureEnd::kExit) {
    capture_.reset();
    PostQuitMessage(0);
    return;
  }
  const bool copies =
      end == CaptureEnd::kCopy || end == CaptureEnd::kSave || end == CaptureEnd::kDoubleClickCopy;
  if (copies) {
    capture_->HideOverlays();
    RectI region = capture_->model().Region();
    // An empty selection copies and saves nothing; the clipboard keeps what it had.
    if (region.width() > 0 && region.height() > 0) CopyOrSave(region, end == CaptureEnd::kSave);
  }
  const RectI region = capture_->model().Region();
  std::unique_ptr<FrozenScreen> frozen = end == CaptureEnd::kPin ? capture_->TakeFrozen() : nullptr;
  // The capture screen's window goes first, then the pin's picture is copied, then the frozen
  // screen goes: never two screens' worth at once besides the pin.
  capture_.reset();
  POINT pin_at{};
  std::unique_ptr<FrozenScreen> pin = frozen ? PinPicture(*frozen, region, &pin_at) : nullptr;
  frozen.reset();
  if (pin) {
    pins_.push_back(
        std::make_unique<PinWindow>(instance_, std::move(pin), pin_at, [this] { PinClosed(); }));
    if (!pins_.back()->open()) pins_.pop_back();  // no window could be made
  }
  const bool through_toolbar = end == CaptureEnd::kUndo || end == CaptureEnd::kCopy ||
                               end == CaptureEnd::kSave || end == CaptureEnd::kPin;
  ShowLauncher(through_toolbar);
}

void ShotApp::CopyOrSave(const RectI& region, bool save) {
  const bool copied = ScrnCap(capture_->frozen(), region);
  if (save) {
    switch (CutdSave(capture_->hwnd(), capture_->frozen().PackedDib(region))) {
      case SaveResult::kSaved:
        return;
      case SaveResult::kFailed:
        Tell(kSaveFailedTitle, copied ? kSaveFailedOnClipboardText : kSaveFailedText);
        return;
      case SaveResult::kCancelled:
        break;  // the picture was to stay on the clipboard
    }
  }
  if (!copied) Tell(kCopyFailedTitle, kCopyFailedText);
}

// 截屏 has no message panel: a message box above the capture screen.
void ShotApp::Tell(const char16_t* title, const char16_t* text) {
  MessageBoxW(capture_->hwnd(), W(text), W(title), MB_OK | MB_ICONWARNING);
}

void ShotApp::ShowLauncher(bool reset_hover_frame) {
  if (!launcher_) {
    instance_mutex_ = CreateMutexW(nullptr, FALSE, kLauncherMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      // Its pins stay on the screen until they are closed.
      if (pins_.empty()) PostQuitMessage(0);
      quit_with_last_pin_ = true;
      return;
    }
    launcher_ = std::make_unique<LauncherWindow>(
        instance_, [this] { StartCapture(); }, [] { PostQuitMessage(0); });
  }
  launcher_->Show(reset_hover_frame);
}

}  // namespace shot

namespace shot {

void ShotApp::PinClosed() {
  std::erase_if(pins_, [](const std::unique_ptr<PinWindow>& pin) { return !pin->open(); });
  if (quit_with_last_pin_ && pins_.empty()) PostQuitMessage(0);
}

}  // namespace shot
