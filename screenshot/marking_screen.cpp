// The mark-up row and the routing of input between the marks and the capture screen.
#include "screenshot/marking_screen.h"

#include <algorithm>

namespace shot {
namespace {

constexpr int kBarGap = 2;  // between the toolbar and the mark-up row

}  // namespace

MarkupBarMetrics::MarkupBarMetrics(int dpi) {
  auto scale = [dpi](int pixels_at_96) { return (pixels_at_96 * dpi + 48) / 96; };
  height = scale(26);
  auto box = [&](int x) { return RectI{scale(x), scale(3), scale(x + 20), scale(23)}; };
  int x = 4;
  for (int i = 0; i < kToolCount; ++i, x += 24) items[kFirstTool + i] = box(x);
  separators[0] = scale(x + 1);
  x += 4;
  for (int i = 0; i < kWidthCount; ++i, x += 24) items[kFirstWidth + i] = box(x);
  separators[1] = scale(x + 1);
  x += 4;
  for (int i = 0; i < kColourCount; ++i, x += 22) items[kFirstColour + i] = box(x);
  separators[2] = scale(x + 1);
  x += 4;
  items[kUndoItem] = box(x);
  items[kRedoItem] = box(x + 24);
  x += 48;
  separators[3] = scale(x + 1);
  x += 4;
  items[kPinItem] = box(x);
  width = scale(x + 24);
  static constexpr int kLineWidths[kWidthCount] = {2, 4, 8};
  static constexpr int kTextHeights[kWidthCount] = {16, 22, 30};
  for (int i = 0; i < kWidthCount; ++i) {
    line_widths[i] = scale(kLineWidths[i]);
    text_heights[i] = scale(kTextHeights[i]);
  }
}

MarkingScreen::MarkingScreen(CaptureScreen& screen, int screen_width, int screen_height, int dpi)
    : screen_(screen), screen_width_(screen_width), screen_height_(screen_height), metrics_(dpi) {}

bool MarkingScreen::bar_visible() const {
  return screen_.toolbar_visible() && screen_.mode() == Mode::kMove;
}

// Right-aligned with the toolbar, just below it, or just above it where the screen ends.
RectI MarkingScreen::bar_rect() const {
  const RectI bar = screen_.toolbar_rect();
  int left = std::min(bar.right, screen_width_) - metrics_.width;
  if (left < 0) left = 0;
  int top = bar.bottom + kBarGap;
  if (top + metrics_.height > screen_height_) top = bar.top - kBarGap - metrics_.height;
  return {left, top, left + metrics_.width, top + metrics_.height};
}

std::optional<int> MarkingScreen::BarItemAt(int x, int y) const {
  const RectI bar = bar_rect();
  if (!bar_visible() || !bar.Contains(x, y)) return std::nullopt;
  for (int i = 0; i < kBarItemCount; ++i) {
    if (metrics_.items[i].Contains(x - bar.left, y - bar.top)) return i;
  }
  return std::nullopt;
}

Cursor MarkingScreen::cursor() const {
  if (over_bar_) return Cursor::kArrow;
  if (pressed_ == Pressed::kStroke || over_drawing_) return Cursor::kCross;
  return screen_.cursor();
}

// A tool draws on the selection, except on its handles and the toolbar.
bool MarkingScreen::DrawsAt(int x, int y) const {
  if (tool_ == Tool::kNone || screen_.mode() != Mode::kMove) return false;
  if (!screen_.Region().Contains(x, y) || screen_.HandleAt(x, y)) return false;
  return !(screen_.toolbar_visible() && screen_.toolbar_rect().Contains(x, y));
}

void MarkingScreen::Press(MouseButton button, int x, int y) {
  if (bar_visible() && bar_rect().Contains(x, y)) {
    pressed_ = Pressed::kBar;
    pressed_item_ = button == MouseButton::kLeft ? BarItemAt(x, y) : std::nullopt;
    return;
  }
  if (button == MouseButton::kLeft && DrawsAt(x, y)) {
    if (tool_ == Tool::kText) {
      pressed_ = Pressed::kText;
      text_request_ = PointI{x, y};
    } else {
      pressed_ = Pressed::kStroke;
      markup_.Begin(tool_, colour(), metrics_.line_widths[width_], {x, y});
    }
    return;
  }
  pressed_ = Pressed::kScreen;
  screen_.Press(button, x, y);
}

void MarkingScreen::Move(int x, int y, bool left_down, std::uint32_t colour, bool shift) {
  if (pressed_ == Pressed::kStroke) {
    markup_.Extend({x, y}, shift);
    return;
  }
  if (pressed_ == Pressed::kBar || pressed_ == Pressed::kText) return;
  const bool on_bar = pressed_ == Pressed::kNone && bar_visible() && bar_rect().Contains(x, y);
  screen_.Move(x, y, left_down && !on_bar, colour);
  if (on_bar) screen_.HideMagnifier();
  over_bar_ = on_bar;
  hover_ = on_bar ? BarItemAt(x, y) : std::nullopt;
  over_drawing_ = pressed_ == Pressed::kNone && DrawsAt(x, y);
}

CaptureEnd MarkingScreen::Release(MouseButton button, int x, int y, bool shift) {
  const Pressed pressed = pressed_;
  pressed_ = Pressed::kNone;
  switch (pressed) {
    case Pressed::kStroke:
      markup_.Extend({x, y}, shift);
      markup_.Commit();
      return CaptureEnd::kNone;
    case Pressed::kText:
      return CaptureEnd::kNone;
    case Pressed::kBar: {
      const auto item = BarItemAt(x, y);
      if (button != MouseButton::kLeft || !item || item != pressed_item_) return CaptureEnd::kNone;
      return ClickItem(*item);
    }
    case Pressed::kScreen:
    case Pressed::kNone:
      break;
  }
  return screen_.Release(button, x, y);
}

CaptureEnd MarkingScreen::ClickItem(int item) {
  if (item < kFirstWidth) {
    const Tool chosen = kTools[item - kFirstTool];
    tool_ = tool_ == chosen ? Tool::kNone : chosen;  // a second click puts the tool away
  } else if (item < kFirstColour) {
    width_ = item - kFirstWidth;
  } else if (item < kUndoItem) {
    colour_ = item - kFirstColour;
  } else if (item == kUndoItem) {
    markup_.Undo();
  } else if (item == kRedoItem) {
    markup_.Redo();
  } else {
    return KeyDown(kKeyF3);
  }
  return CaptureEnd::kNone;
}

CaptureEnd MarkingScreen::DoubleClick(int x, int y) {
  if (bar_visible() && bar_rect().Contains(x, y)) {
    Press(MouseButton::kLeft, x, y);
    return CaptureEnd::kNone;
  }
  // The first click of a double-click drew nothing (a shape needs a drag), so a double-click
  // inside the selection copies with any tool, as without one.
  if (DrawsAt(x, y)) {
    pressed_ = Pressed::kText;  // its release is not a click
    text_request_.reset();
    return CaptureEnd::kDoubleClickCopy;
  }
  pressed_ = Pressed::kScreen;
  return screen_.DoubleClick(x, y);
}

CaptureEnd MarkingScreen::KeyPress(int code) {
  if (code == kKeyCtrlZ || code == kKeyCtrlY) {
    code == kKeyCtrlZ ? markup_.Undo() : markup_.Redo();
    return CaptureEnd::kNone;
  }
  return screen_.KeyPress(code);
}

CaptureEnd MarkingScreen::KeyDown(int virtual_key) {
  if (virtual_key != kKeyF3 || screen_.mode() != Mode::kMove) return CaptureEnd::kNone;
  const RectI region = screen_.Region();
  if (region.width() <= 0 || region.height() <= 0) return CaptureEnd::kNone;
  return CaptureEnd::kPin;
}

RectI MarkingScreen::TakeMarksChanged() { return markup_.TakeChanged(); }

std::optional<PointI> MarkingScreen::TakeTextRequest() {
  std::optional<PointI> at = text_request_;
  text_request_.reset();
  return at;
}

void MarkingScreen::AddText(PointI at, TextMask mask) {
  if (mask.width <= 0 || mask.height <= 0) return;
  Stroke text{Tool::kText, colour(), 1, {at}, std::move(mask)};
  markup_.Add(std::move(text));
}

}  // namespace shot
