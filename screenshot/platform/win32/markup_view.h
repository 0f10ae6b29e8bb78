// What the capture screen draws of the mark-up: the second toolbar row and the native text box in
// which a text mark is typed (so that input methods work).
#pragma once

#include <windows.h>

#include <optional>

#include "screenshot/marking_screen.h"

namespace shot {

// Draws the mark-up row at its place; `icon_font` is the toolbar's icon font.
void DrawMarkupBar(HDC dc, const MarkingScreen& marking, HFONT icon_font);

// The box a text mark is typed in: an EDIT child of the capture window in the mark's colour
// and size. Enter keeps the text, Escape drops it; the owner keeps it too when the user clicks
// elsewhere or the capture ends.
class TextBox {
 public:
  TextBox() = default;
  ~TextBox();
  TextBox(const TextBox&) = delete;
  TextBox& operator=(const TextBox&) = delete;

  // Opens the box with its top-left corner at `at` (capture-window pixels).
  void Open(HWND owner, PointI at, int text_height, std::uint32_t colour);
  bool open() const { return edit_ != nullptr; }
  HWND edit() const { return edit_; }
  // The typed text as a mask of coverage, with the point its top-left corner goes to; nothing
  // when the box was empty or Escape dropped it. Closes the box.
  std::optional<std::pair<PointI, TextMask>> Close();
  // WM_CTLCOLOREDIT for the box: its colours.
  LRESULT Colours(HDC dc);
  // EN_CHANGE: the box grows with its text.
  void Fit();
  // Set by the box's own Enter and Escape; the owner then closes the box.
  enum class Ending { kNone, kKeep, kDrop };
  Ending ending() const { return ending_; }

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND owner_ = nullptr;
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH back_ = nullptr;
  COLORREF text_colour_ = 0;
  COLORREF back_colour_ = 0;
  WNDPROC edit_proc_ = nullptr;
  Ending ending_ = Ending::kNone;
};

// Message the text box posts to its owner when Enter or Escape ended it.
inline constexpr UINT kTextBoxEndedMessage = WM_APP + 0x51;

}  // namespace shot
