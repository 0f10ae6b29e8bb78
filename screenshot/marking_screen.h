// Mark-up on the capture screen: the second toolbar row (tools, widths, colours, undo, redo,
// pin) and the strokes drawn on the selection. Input goes through here first; what is not
// mark-up goes on to the capture screen unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "screenshot/capture_screen.h"
#include "screenshot/markup.h"

namespace shot {

inline constexpr int kToolCount = 6;
inline constexpr int kWidthCount = 3;
inline constexpr int kColourCount = 6;
// Items of the mark-up row, left to right.
inline constexpr int kFirstTool = 0;
inline constexpr int kFirstWidth = kFirstTool + kToolCount;
inline constexpr int kFirstColour = kFirstWidth + kWidthCount;
inline constexpr int kUndoItem = kFirstColour + kColourCount;
inline constexpr int kRedoItem = kUndoItem + 1;
inline constexpr int kPinItem = kRedoItem + 1;
inline constexpr int kBarItemCount = kPinItem + 1;

inline constexpr std::array<Tool, kToolCount> kTools = {
    Tool::kRectangle, Tool::kEllipse, Tool::kArrow, Tool::kPen, Tool::kText, Tool::kMosaic};
inline constexpr std::array<const char16_t*, kBarItemCount> kBarTips = {u"矩形",
                                                                        u"椭圆",
                                                                        u"箭头",
                                                                        u"画笔",
                                                                        u"文字",
                                                                        u"马赛克",
                                                                        u"细",
                                                                        u"中",
                                                                        u"粗",
                                                                        u"红色",
                                                                        u"黄色",
                                                                        u"绿色",
                                                                        u"蓝色",
                                                                        u"黑色",
                                                                        u"白色",
                                                                        u"撤销标注 (Ctrl+Z)",
                                                                        u"重做标注 (Ctrl+Y)",
                                                                        u"贴到屏幕 (F3)"};
// 0x00BBGGRR: red, yellow, green, blue, black, white.
inline constexpr std::array<std::uint32_t, kColourCount> kMarkColours = {
    0x0000FF, 0x00FFFF, 0x00C800, 0xFF6400, 0x000000, 0xFFFFFF};
inline constexpr int kKeyCtrlY = 25;
inline constexpr int kKeyCtrlZ = 26;
inline constexpr int kKeyF3 = 0x72;  // virtual-key code

// Sizes of the mark-up row at the display's density (documented toolbar sizes are at 96 dpi).
struct MarkupBarMetrics {
  explicit MarkupBarMetrics(int dpi);
  int width;
  int height;
  std::array<RectI, kBarItemCount> items;  // hover boxes, row coordinates
  std::array<int, 4> separators;           // x of the separator lines
  std::array<int, kWidthCount> line_widths;
  std::array<int, kWidthCount> text_heights;
};

class MarkingScreen {
 public:
  MarkingScreen(CaptureScreen& screen, int screen_width, int screen_height, int dpi = 96);

  void Press(MouseButton button, int x, int y);
  // `shift`: Shift is held, which squares a shape and turns an arrow to a multiple of 45 degrees.
  void Move(int x, int y, bool left_down, std::uint32_t colour, bool shift = false);
  CaptureEnd Release(MouseButton button, int x, int y, bool shift = false);
  CaptureEnd DoubleClick(int x, int y);
  CaptureEnd KeyPress(int code);        // a character (Ctrl+Z is 26)
  CaptureEnd KeyDown(int virtual_key);  // keys without a character (F3)

  // The mark-up row shows with the toolbar once a selection exists, next to it.
  bool bar_visible() const;
  RectI bar_rect() const;
  std::optional<int> BarItemAt(int x, int y) const;
  const MarkupBarMetrics& bar_metrics() const { return metrics_; }
  std::optional<int> bar_hover() const { return hover_; }
  Tool tool() const { return tool_; }
  int colour_index() const { return colour_; }
  int width_index() const { return width_; }
  Cursor cursor() const;

  const Markup& markup() const { return markup_; }
  // The pixels whose marked look changed since the last call (strokes drawn, undone, redone):
  // they are to be shown again.
  RectI TakeMarksChanged();
  // Where the user clicked with the text tool, once: the host opens a text box there.
  std::optional<PointI> TakeTextRequest();
  int text_height() const { return metrics_.text_heights[width_]; }
  std::uint32_t colour() const { return kMarkColours[colour_]; }
  // The typed text, as the host drew it, becomes a mark at the requested point.
  void AddText(PointI at, TextMask mask);

 private:
  enum class Pressed { kNone, kScreen, kBar, kStroke, kText };
  bool DrawsAt(int x, int y) const;
  CaptureEnd ClickItem(int item);

  CaptureScreen& screen_;
  int screen_width_;
  int screen_height_;
  MarkupBarMetrics metrics_;
  Markup markup_;
  Tool tool_ = Tool::kNone;
  int colour_ = 0;
  int width_ = 0;
  std::optional<int> hover_;
  Pressed pressed_ = Pressed::kNone;
  std::optional<int> pressed_item_;
  bool over_bar_ = false;
  bool over_drawing_ = false;
  std::optional<PointI> text_request_;
};

}  // namespace shot
