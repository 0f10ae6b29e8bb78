// The capture screen's window: a topmost popup over the whole virtual screen that shows the
// frozen image and draws the model's frame, size label, handles and toolbar over it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "box/platform/win32/accessible_window.h"
#include "screenshot/capture_screen.h"
#include "screenshot/platform/win32/frozen_screen.h"

namespace shot {

class CaptureWindow : private velmo::AccessibleSource {
 public:
  // Called once when the user ends the capture; it may destroy the window.
  using EndHandler = std::function<void(CaptureEnd)>;

  // Creates the window, hidden, over `screen` (virtual-screen pixels).
  CaptureWindow(HINSTANCE instance, const RECT& screen, EndHandler on_end);
  ~CaptureWindow() override;
  CaptureWindow(const CaptureWindow&) = delete;
  CaptureWindow& operator=(const CaptureWindow&) = delete;

  // Shows the window with its frozen image, which must cover the window's rectangle.
  void Show(std::unique_ptr<FrozenScreen> frozen);
  HWND hwnd() const { return hwnd_; }
  const FrozenScreen& frozen() const { return *frozen_; }
  const CaptureScreen& model() const { return *model_; }
  // Hides the toolbar, frame, label and handles and repaints at once.
  void HideOverlays();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  void DrawOverlays(HDC dc);
  void DrawToolbar(HDC dc);
  RECT OverlayBounds() const;
  RECT LabelBounds() const;
  // Repaints what the last event changed and keeps the tool tips on the toolbar icons.
  void Refresh(const RECT& before);
  void PlaceToolTips();
  // The toolbar, its colour readout and the size label, for screen readers.
  const velmo::AccessibleView& AccessibleNow() override;
  HWND NativeWindowOf(int) override { return nullptr; }

  std::unique_ptr<FrozenScreen> frozen_;
  EndHandler on_end_;
  std::unique_ptr<CaptureScreen> model_;
  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;
  HFONT text_font_ = nullptr;
  HFONT icon_font_ = nullptr;
  RECT tips_at_{};
  bool ended_ = false;
  std::unique_ptr<velmo::AccessibleWindow> accessible_;  // made when a reader first asks
  velmo::AccessibleView view_;
};

}  // namespace shot
