// The launcher window's host: a borderless window titled "截屏工具" drawn from the launcher model.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "box/platform/win32/accessible_window.h"
#include "screenshot/launcher.h"

namespace shot {

class LauncherWindow : private velmo::AccessibleSource {
 public:
  // Called for the capture button; the window has already been hidden and is gone from the
  // screen by then.
  using CaptureHandler = std::function<void()>;
  // Called when the window is closed, which ends the program.
  using CloseHandler = std::function<void()>;

  LauncherWindow(HINSTANCE instance, CaptureHandler on_capture, CloseHandler on_close);
  ~LauncherWindow() override;
  LauncherWindow(const LauncherWindow&) = delete;
  LauncherWindow& operator=(const LauncherWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  void Show(bool reset_hover_frame);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void ApplyDpi(int dpi, const RECT* suggested);
  void Paint();
  int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }
  int Twips(int pixels) const { return MulDiv(pixels, 1440, dpi_); }
  RECT PxRect(const TwipsRect& r, int dx = 0, int dy = 0) const;
  void Apply(LauncherCommand command);
  // Its title, its buttons and the capture button, for screen readers.
  const velmo::AccessibleView& AccessibleNow() override;
  HWND NativeWindowOf(int) override { return nullptr; }

  CaptureHandler on_capture_;
  CloseHandler on_close_;
  Launcher model_;
  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;
  int dpi_ = 96;
  HFONT title_font_ = nullptr;
  HFONT menu_font_ = nullptr;
  HFONT camera_font_ = nullptr;
  bool tracking_ = false;
  std::unique_ptr<velmo::AccessibleWindow> accessible_;  // made when a reader first asks
  velmo::AccessibleView view_;
};

}  // namespace shot
