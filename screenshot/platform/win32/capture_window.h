// The capture screen's window: a topmost popup over the whole virtual screen that shows the
// frozen image and draws the model's frame, size label, handles and toolbar over it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <future>
#include <memory>
#include <vector>

#include "box/platform/win32/accessible_window.h"
#include "screenshot/capture_screen.h"
#include "screenshot/marking_screen.h"
#include "screenshot/platform/win32/clipboard.h"
#include "screenshot/platform/win32/frozen_screen.h"
#include "screenshot/platform/win32/markup_view.h"

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

  // Shows the window with its frozen image, which must cover the window's rectangle, and starts
  // reading the windows under it for snapping.
  void Show(std::unique_ptr<FrozenScreen> frozen);
  // The windows under the capture screen in place of those read (benchmarks and tests).
  void SetWindows(std::vector<SnapRect> windows);
  HWND hwnd() const { return hwnd_; }
  const FrozenScreen& frozen() const { return *frozen_; }
  // Hands the frozen image over as the capture ends; the window is to be destroyed next, so
  // that its own picture on the display is gone before the image is used (a pin is made).
  std::unique_ptr<FrozenScreen> TakeFrozen() { return std::move(frozen_); }
  const CaptureScreen& model() const { return *model_; }
  // Hides the toolbar, frame, label and handles and repaints at once.
  void HideOverlays();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The parts drawn over the frozen image, each with the area it covers (empty when hidden).
  enum Piece {
    kFramePiece,
    kHandlesPiece,
    kLabelPiece,
    kToolbarPiece,
    kMagnifierPiece,
    kSnapPiece,
    kMarkupBarPiece,
    kStrokePiece,
    kPieceCount
  };
  using Pieces = std::array<RECT, kPieceCount>;
  Pieces PiecesNow() const;
  // What is drawn, to tell after an event what changed.
  struct Drawn {
    Pieces pieces;
    bool dimmed;
    std::u16string readout;
    std::optional<int> hover_box;
  };
  Drawn DrawnNow() const;
  void Paint();
  // Paints one rectangle of the window: the frozen image, dimmed outside the selection, and
  // whatever overlays reach into it.
  void PaintPart(HDC screen, const RECT& r);
  // Draws the overlays that reach into `part` (window pixels).
  void DrawOverlays(HDC dc, const RECT& part);
  void DrawToolbar(HDC dc);
  void DrawMagnifier(HDC dc);
  RECT LabelBounds() const;
  // Repaints what the last event changed and keeps the tool tips on the toolbar icons.
  void Refresh(const Drawn& before);
  void InvalidateRing(const RECT& r, int out, int in);
  void PlaceToolTips();
  void PlaceBarToolTips();
  // The frozen image as captured, and the marks to draw over it: none once they are drawn into
  // the image itself as the capture ends.
  PixelView Image() const;
  const std::vector<Stroke>& Marks() const;
  // Mark-up: a text box opened or closed, the marks that changed shown again.
  void FollowMarkup();
  void CloseTextBox();
  // The toolbar, its colour readout and the size label, for screen readers.
  const velmo::AccessibleView& AccessibleNow() override;
  HWND NativeWindowOf(int) override { return nullptr; }

  std::unique_ptr<FrozenScreen> frozen_;
  std::future<std::vector<SnapRect>> windows_;  // being read; taken at the first input
  EndHandler on_end_;
  std::unique_ptr<WindowsTextClipboard> text_clipboard_;
  std::unique_ptr<CaptureScreen> model_;
  std::unique_ptr<MarkingScreen> marking_;  // input goes through it to model_
  TextBox text_box_;
  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;
  HFONT text_font_ = nullptr;
  HFONT icon_font_ = nullptr;
  // The magnifier's lens, drawn into a DIB of its own and copied into the picture.
  HDC lens_dc_ = nullptr;
  HBITMAP lens_bitmap_ = nullptr;
  HGDIOBJ lens_old_ = nullptr;
  std::uint32_t* lens_bits_ = nullptr;
  RECT tips_at_{};
  HWND bar_tips_ = nullptr;
  RECT bar_tips_at_{};
  bool ended_ = false;
  bool marks_in_image_ = false;
  std::unique_ptr<velmo::AccessibleWindow> accessible_;  // made when a reader first asks
  velmo::AccessibleView view_;
};

}  // namespace shot
