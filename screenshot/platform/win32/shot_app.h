// The 截屏 program: a capture at start, then the launcher between captures.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "screenshot/capture_screen.h"
#include "screenshot/platform/win32/capture_window.h"
#include "screenshot/platform/win32/launcher_window.h"
#include "screenshot/platform/win32/pin_window.h"

namespace shot {

class ShotApp {
 public:
  // With `report_timing`, prints the first capture's start-up and copy times and the memory
  // use to stdout.
  ShotApp(HINSTANCE instance, bool report_timing);
  ~ShotApp();
  ShotApp(const ShotApp&) = delete;
  ShotApp& operator=(const ShotApp&) = delete;

  // Opens the first capture and runs until the program ends; returns the exit code.
  int Run();

 private:
  void StartCapture();
  void EndCapture(CaptureEnd end);
  void CopyOrSave(const RectI& region, bool save);
  void Tell(const char16_t* title, const char16_t* text);
  void ShowLauncher(bool reset_hover_frame);
  void PinClosed();

  HINSTANCE instance_;
  bool report_timing_;
  double entered_ms_ = 0;  // from process creation to the program's own code
  std::unique_ptr<CaptureWindow> capture_;
  std::unique_ptr<LauncherWindow> launcher_;
  HANDLE instance_mutex_ = nullptr;
  std::vector<std::unique_ptr<PinWindow>> pins_;
  bool quit_with_last_pin_ = false;  // a second instance ends when its pins are closed
};

}  // namespace shot
