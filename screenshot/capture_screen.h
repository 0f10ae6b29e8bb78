// The capture screen (FrmScreenShot): the frozen screen on which the user draws, moves and
// resizes a selection. Coordinates are pixels from the top-left corner of the captured area.
// The host feeds it mouse and key events and draws what it holds; it says when the capture ends.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "screenshot/geometry.h"
#include "screenshot/magnifier.h"
#include "screenshot/selection_keys.h"
#include "screenshot/snap.h"
#include "screenshot/text_clipboard.h"

namespace shot {

enum class Mode { kDraw, kMove };
enum class ResizeFlag { kEmpty, kStart, kStop };
enum class MouseButton { kLeft, kRight, kMiddle };
// The keys the capture screen acts on besides Escape (which comes as a character).
enum class Key { kLeft, kUp, kRight, kDown, kEnter, kS, kC, kOther };
enum class Cursor { kArrow, kCross, kSizeAll, kSizeNwse, kSizeNs, kSizeNesw, kSizeWe };

// How a capture ends; kNone while it goes on.
enum class CaptureEnd {
  kNone,
  kUndo,             // toolbar "撤销": back to the launcher, nothing copied
  kCopy,             // toolbar "复制到剪贴板"
  kSave,             // toolbar "保存": copy, then save the clipboard picture
  kExit,             // toolbar "退出": end the program
  kEscape,           // back to the launcher, nothing copied
  kDoubleClickCopy,  // double-click inside the selection: copy
  kPin,              // the pin icon or F3: the selection, with its marks, pinned to the screen
};

inline constexpr int kHandleCount = 8;
inline constexpr int kToolbarIconCount = 4;
inline constexpr int kKeyEscape = 27;

// Texts and colours (0x00BBGGRR) of the capture screen.
inline constexpr std::array<const char16_t*, kToolbarIconCount> kToolbarTips = {
    u"撤销", u"复制到剪贴板", u"保存", u"退出"};
inline constexpr std::uint32_t kFrameColour = 0xFF9933;   // RGB(51, 153, 255)
inline constexpr std::uint32_t kHandleColour = 0xEC7A00;  // RGB(0, 122, 236)
inline constexpr std::uint32_t kHoverFill = 0xFFFFC0;     // RGB(192, 255, 255)

// Sizes of the toolbar and its parts; the documented sizes are for 96 dpi and grow with it.
struct ToolbarMetrics {
  explicit ToolbarMetrics(int dpi);
  int Scale(int pixels_at_96) const;
  int dpi;
  int width;
  int height;
  RectI readout;    // colour readout label, toolbar coordinates
  int separator_x;  // vertical separator line
  std::array<RectI, kToolbarIconCount> icons;
  std::array<RectI, kToolbarIconCount> hover_boxes;
};

class CaptureScreen {
 public:
  // The captured area's size in pixels and the display's dots per inch; the C key copies the
  // colour under the pointer to `clipboard` (none: it copies nothing).
  CaptureScreen(int screen_width, int screen_height, int dpi = 96,
                TextClipboard* clipboard = nullptr);

  // The windows on the screen as they were at the freeze (see SnapRect).
  void SetWindows(std::vector<SnapRect> windows) { windows_ = std::move(windows); }

  // Input as the host receives it; each goes to the part under the pointer (toolbar, handle or
  // the window itself), and a part that was pressed keeps the mouse until it is released.
  void Press(MouseButton button, int x, int y);
  // `colour` is the frozen image's pixel under the pointer.
  void Move(int x, int y, bool left_down, std::uint32_t colour);
  CaptureEnd Release(MouseButton button, int x, int y);
  // The second press of a double-click (it comes instead of a press).
  CaptureEnd DoubleClick(int x, int y);
  CaptureEnd KeyPress(int code);
  // A key going down: the arrows move or size a selection, Enter copies it, Ctrl+S saves it,
  // C copies the colour the magnifier shows.
  CaptureEnd KeyDown(Key key, bool shift, bool ctrl);
  // The wheel before the first press: a notch away from the user (`notches` > 0) outlines the
  // window round the one outlined, towards the user the one inside it again; a click selects
  // what is outlined. Moving onto another control starts again from the deepest.
  void Wheel(int notches);
  // Hides the toolbar, the frame, the size label and the handles before the region is copied.
  void HideOverlays();
  // Over another part drawn on the screen (the mark-up row) the magnifier gives way.
  void HideMagnifier() { magnifier_visible_ = false; }

  // The region a copy takes: the frame's bounds rounded to whole pixels.
  RectI Region() const { return RoundRect(frame_); }
  // Where the frozen image is drawn as it is while the rest is dimmed: the selection, while one
  // is shown.
  std::optional<RectI> clear_area() const;

  Mode mode() const { return mode_; }
  ResizeFlag resize_flag() const { return resize_flag_; }
  PointF anchor() const { return anchor_; }
  PointF press_point() const { return press_; }
  EdgesF saved_edges() const { return saved_; }
  RectI selection() const { return selection_; }
  RectF frame() const { return frame_; }
  bool frame_visible() const { return frame_visible_; }
  const std::u16string& label_text() const { return label_text_; }
  PointF label_position() const { return label_position_; }
  bool label_visible() const { return label_visible_; }
  const std::array<RectF, kHandleCount>& handles() const { return handles_; }
  bool handles_visible() const { return handles_visible_; }
  float handle_size() const { return handle_size_; }
  const ToolbarMetrics& toolbar_metrics() const { return metrics_; }
  PointF toolbar_position() const { return toolbar_; }
  RectI toolbar_rect() const;
  bool toolbar_visible() const { return toolbar_visible_; }
  const std::u16string& colour_readout() const { return readout_; }
  std::optional<int> hover_box() const { return hover_box_; }
  // The window or control a click would select, outlined while the pointer hovers before a
  // selection is drawn.
  std::optional<RectI> snap_outline() const { return snap_outline_; }
  // The magnifier: shown near the pointer except over the toolbar, over a selection that is
  // not being resized, and while a selection is moved.
  const MagnifierMetrics& magnifier_metrics() const { return magnifier_metrics_; }
  bool magnifier_visible() const { return magnifier_visible_; }
  RectI magnifier_rect() const { return magnifier_rect_; }
  PointI pointer() const { return pointer_; }  // the pixel the magnifier enlarges
  std::uint32_t pointer_colour() const { return pointer_colour_; }
  const std::u16string& colour_note() const { return colour_note_; }
  Cursor cursor() const { return cursor_; }

  // Parts under a point: the toolbar icon, or the handle (the grab area is a little larger than
  // the drawn square).
  std::optional<int> ToolbarIconAt(int x, int y) const;
  std::optional<int> HandleAt(int x, int y) const;

 private:
  enum class Part { kWindow, kHandle, kToolbar };
  struct Target {
    Part part;
    int index;
  };
  Target PartAt(int x, int y) const;

  void MouseDown(int x, int y);
  void MouseMove(int x, int y, bool left_down, std::uint32_t colour);
  void MouseUp(MouseButton button);
  void HandleDown();
  void HandleMove(int i, int x, int y);
  void HandleUp();
  void ToolbarMove(int x, int y);

  void UpdateMagnifier(int x, int y, std::uint32_t colour);
  void ImageMove();
  void PlaceLabel();
  void SetLabelText();
  void PlaceToolbar();

  int screen_width_;
  int screen_height_;
  ToolbarMetrics metrics_;
  MagnifierMetrics magnifier_metrics_;
  TextClipboard* clipboard_;
  float handle_size_;

  Mode mode_ = Mode::kDraw;
  ResizeFlag resize_flag_ = ResizeFlag::kEmpty;
  PointF anchor_;
  PointF press_;
  EdgesF saved_;
  RectI selection_;
  RectF frame_;
  bool frame_visible_ = false;
  std::u16string label_text_;
  PointF label_position_;
  bool label_visible_ = false;
  std::array<RectF, kHandleCount> handles_{};
  bool handles_visible_ = false;
  PointF toolbar_;
  bool toolbar_visible_ = false;
  std::u16string readout_;
  std::optional<int> hover_box_;
  Cursor cursor_ = Cursor::kCross;
  std::vector<SnapRect> windows_;
  std::optional<RectI> snap_outline_;
  std::optional<RectI> snap_deepest_;  // what the outline starts from, under the pointer
  int snap_outward_ = 0;               // wheel notches out from it
  std::optional<RectI> click_snap_;    // what a click from the last press selects
  PointI drag_from_;
  bool dragged_ = false;
  bool magnifier_visible_ = false;
  RectI magnifier_rect_;
  PointI pointer_;
  std::uint32_t pointer_colour_ = 0;
  std::u16string colour_note_ = kColourCopyHint;
  std::optional<Target> pressed_;
  MouseButton pressed_button_ = MouseButton::kLeft;
};

// Texts shown on the capture screen.
std::u16string SizeLabelText(float width, float height);  // "320x200"
std::u16string ColourReadout(std::uint32_t colour);       // "(255,0,0)" for 0x0000FF

// The cursor shown over handle i.
Cursor HandleCursor(int i);

}  // namespace shot
