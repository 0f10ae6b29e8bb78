// The capture screen's selection behaviour: drawing, moving, the eight handles, the toolbar,
// snapping, the magnifier and the keys.
#include "screenshot/capture_screen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace shot {
namespace {

constexpr int kHandleGrab = 3;    // extra pixels round a handle that still catch it
constexpr float kToolbarGap = 4;  // between the selection's bottom and the toolbar
constexpr int kClickSlack = 2;    // a press that moves no further than this is a click

std::u16string Ascii(const char* first, const char* last) { return std::u16string(first, last); }

}  // namespace

ToolbarMetrics::ToolbarMetrics(int dots_per_inch) : dpi(dots_per_inch) {
  width = Scale(205);
  height = Scale(26);
  readout = {Scale(6), 0, Scale(96), height};
  separator_x = Scale(101);
  for (int i = 0; i < kToolbarIconCount; ++i) {
    int box = Scale(109 + 24 * i);
    hover_boxes[i] = {box, Scale(3), box + Scale(20), Scale(23)};
    icons[i] = {box + Scale(2), Scale(5), box + Scale(18), Scale(21)};
  }
}

int ToolbarMetrics::Scale(int pixels_at_96) const { return (pixels_at_96 * dpi + 48) / 96; }

CaptureScreen::CaptureScreen(int screen_width, int screen_height, int dpi, TextClipboard* clipboard)
    : screen_width_(screen_width),
      screen_height_(screen_height),
      metrics_(dpi),
      magnifier_metrics_(dpi),
      clipboard_(clipboard),
      // 8 x 8 at 96 dpi: found at a glance on any screen, and an even size keeps it centred on
      // its point.
      handle_size_(static_cast<float>(metrics_.Scale(8))) {
  toolbar_ = {0, static_cast<float>(-metrics_.height)};
}

RectI CaptureScreen::toolbar_rect() const {
  return RoundRect({toolbar_.x, toolbar_.y, static_cast<float>(metrics_.width),
                    static_cast<float>(metrics_.height)});
}

std::optional<int> CaptureScreen::ToolbarIconAt(int x, int y) const {
  RectI bar = toolbar_rect();
  if (!toolbar_visible_ || !bar.Contains(x, y)) return std::nullopt;
  for (int i = 0; i < kToolbarIconCount; ++i) {
    if (metrics_.hover_boxes[i].Contains(x - bar.left, y - bar.top)) return i;
  }
  return std::nullopt;
}

std::optional<int> CaptureScreen::HandleAt(int x, int y) const {
  if (!handles_visible_) return std::nullopt;
  for (int i = 0; i < kHandleCount; ++i) {
    RectI r = RoundRect(handles_[i]);
    RectI grab{r.left - kHandleGrab, r.top - kHandleGrab, r.right + kHandleGrab,
               r.bottom + kHandleGrab};
    if (grab.Contains(x, y)) return i;
  }
  return std::nullopt;
}

CaptureScreen::Target CaptureScreen::PartAt(int x, int y) const {
  if (toolbar_visible_ && toolbar_rect().Contains(x, y)) {
    return {Part::kToolbar, ToolbarIconAt(x, y).value_or(-1)};
  }
  if (auto handle = HandleAt(x, y)) return {Part::kHandle, *handle};
  return {Part::kWindow, -1};
}

void CaptureScreen::Press(MouseButton button, int x, int y) {
  Target target = PartAt(x, y);
  pressed_ = target;
  pressed_button_ = button;
  if (target.part == Part::kWindow) MouseDown(x, y);
  if (target.part == Part::kHandle) HandleDown();
}

void CaptureScreen::Move(int x, int y, bool left_down, std::uint32_t colour) {
  Target target = pressed_ ? *pressed_ : PartAt(x, y);
  snap_outline_.reset();
  if (pressed_) {
    dragged_ = dragged_ || std::abs(x - drag_from_.x) > kClickSlack ||
               std::abs(y - drag_from_.y) > kClickSlack;
  } else if (mode_ == Mode::kDraw) {
    const std::optional<RectI> deepest = SnapAt(windows_, x, y, screen_width_, screen_height_);
    if (deepest != snap_deepest_) snap_outward_ = 0;
    snap_deepest_ = deepest;
    snap_outline_ = SnapAt(windows_, x, y, screen_width_, screen_height_, snap_outward_);
  }
  UpdateMagnifier(x, y, colour);
  switch (target.part) {
    case Part::kWindow:
      // The hover boxes belong to the toolbar: leaving it clears them.
      if (!pressed_) hover_box_.reset();
      MouseMove(x, y, left_down, colour);
      break;
    case Part::kHandle:
      HandleMove(target.index, x, y);
      break;
    case Part::kToolbar:
      ToolbarMove(x, y);
      break;
  }
}

CaptureEnd CaptureScreen::Release(MouseButton button, int x, int y) {
  Target target = pressed_ ? *pressed_ : PartAt(x, y);
  pressed_.reset();
  switch (target.part) {
    case Part::kWindow:
      MouseUp(button);
      break;
    case Part::kHandle:
      HandleUp();
      break;
    case Part::kToolbar: {
      // A click is a left press and release on the same icon.
      auto icon = ToolbarIconAt(x, y);
      if (button != MouseButton::kLeft || pressed_button_ != MouseButton::kLeft || !icon ||
          *icon != target.index) {
        break;
      }
      static constexpr CaptureEnd kIconEnds[] = {CaptureEnd::kUndo, CaptureEnd::kCopy,
                                                 CaptureEnd::kSave, CaptureEnd::kExit};
      return kIconEnds[*icon];
    }
  }
  return CaptureEnd::kNone;
}

CaptureEnd CaptureScreen::DoubleClick(int x, int y) {
  Target target = PartAt(x, y);
  if (target.part != Part::kWindow) {
    // The second press of a double-click on the toolbar or a handle is a plain press there.
    Press(MouseButton::kLeft, x, y);
    return CaptureEnd::kNone;
  }
  if (selection_.Contains(RoundPixel(press_.x), RoundPixel(press_.y))) {
    return CaptureEnd::kDoubleClickCopy;
  }
  return CaptureEnd::kNone;
}

CaptureEnd CaptureScreen::KeyPress(int code) {
  return code == kKeyEscape ? CaptureEnd::kEscape : CaptureEnd::kNone;
}

CaptureEnd CaptureScreen::KeyDown(Key key, bool shift, bool ctrl) {
  if (key == Key::kC && !ctrl && !shift && magnifier_visible_) {
    const std::u16string hex = HexText(pointer_colour_);
    colour_note_ =
        clipboard_ && clipboard_->CopyText(hex) ? kColourCopied + hex : kColourCopyFailed;
    return CaptureEnd::kNone;
  }
  // The other keys act on a finished selection, never in the middle of a drag.
  if (mode_ != Mode::kMove || pressed_) return CaptureEnd::kNone;
  switch (key) {
    case Key::kEnter:
      return ctrl || shift ? CaptureEnd::kNone : CaptureEnd::kCopy;
    case Key::kS:
      return ctrl && !shift ? CaptureEnd::kSave : CaptureEnd::kNone;
    case Key::kLeft:
    case Key::kUp:
    case Key::kRight:
    case Key::kDown: {
      static constexpr Arrow kArrows[] = {Arrow::kLeft, Arrow::kUp, Arrow::kRight, Arrow::kDown};
      frame_ = NudgeFrame(frame_, kArrows[static_cast<int>(key)], shift, ctrl, screen_width_,
                          screen_height_);
      anchor_ = {frame_.left, frame_.top};
      ImageMove();
      SetLabelText();
      PlaceLabel();
      frame_visible_ = true;
      label_visible_ = true;
      PlaceToolbar();
      return CaptureEnd::kNone;
    }
    case Key::kC:
    case Key::kOther:
      break;
  }
  return CaptureEnd::kNone;
}

std::optional<RectI> CaptureScreen::clear_area() const {
  if (!frame_visible_) return std::nullopt;
  return RoundRect(frame_);
}

void CaptureScreen::HideOverlays() {
  magnifier_visible_ = false;
  toolbar_visible_ = false;
  frame_visible_ = false;
  label_visible_ = false;
  handles_visible_ = false;
}

void CaptureScreen::Wheel(int notches) {
  if (mode_ != Mode::kDraw || pressed_ || !snap_outline_) return;
  const PointI at = pointer_;
  auto outline = [&](int outward) {
    return SnapAt(windows_, at.x, at.y, screen_width_, screen_height_, outward);
  };
  snap_outward_ = std::max(0, snap_outward_ + notches);
  // Past the top-level window the outline stays on it.
  while (snap_outward_ > 0 && outline(snap_outward_ - 1) == outline(snap_outward_)) --snap_outward_;
  snap_outline_ = outline(snap_outward_);
}

void CaptureScreen::MouseDown(int x, int y) {
  toolbar_visible_ = false;
  snap_outline_.reset();
  drag_from_ = {x, y};
  dragged_ = false;
  click_snap_ = SnapAt(windows_, x, y, screen_width_, screen_height_,
                       mode_ == Mode::kDraw ? snap_outward_ : 0);
  PointF point{static_cast<float>(x), static_cast<float>(y)};
  if (mode_ == Mode::kDraw) {
    frame_visible_ = true;
    frame_ = {point.x, point.y, 0, 0};
    anchor_ = point;
    return;
  }
  cursor_ = Cursor::kCross;
  selection_ = RoundRect(frame_);
  // Every press is kept, so that a later double-click tests the point it was made at.
  press_ = point;
  if (selection_.Contains(x, y)) return;
  frame_ = {point.x, point.y, 0, 0};
  anchor_ = point;
  frame_visible_ = false;
  label_visible_ = false;
  handles_visible_ = false;
  cursor_ = Cursor::kArrow;
  mode_ = Mode::kDraw;
}

void CaptureScreen::MouseMove(int x, int y, bool left_down, std::uint32_t colour) {
  readout_ = ColourReadout(colour);
  cursor_ = Cursor::kCross;
  if (!left_down) return;
  frame_visible_ = false;
  label_visible_ = false;
  float px = static_cast<float>(x);
  float py = static_cast<float>(y);
  if (mode_ == Mode::kMove) {
    cursor_ = Cursor::kSizeAll;
    frame_.left = anchor_.x - (press_.x - px);
    frame_.top = anchor_.y - (press_.y - py);
    if (frame_.left < 0) frame_.left = 0;
    if (frame_.top < 0) frame_.top = 0;
    if (frame_.width + frame_.left > screen_width_) frame_.left = screen_width_ - frame_.width;
    if (frame_.height + frame_.top > screen_height_) frame_.top = screen_height_ - frame_.height;
    PlaceLabel();
  } else {
    float ax = anchor_.x;
    float ay = anchor_.y;
    if (px != ax && py != ay) {
      frame_ = {std::min(px, ax), std::min(py, ay), std::abs(px - ax), std::abs(py - ay)};
    }
    SetLabelText();
    PlaceLabel();
    cursor_ = Cursor::kCross;
  }
  ImageMove();
  frame_visible_ = true;
  label_visible_ = true;
}

void CaptureScreen::MouseUp(MouseButton button) {
  if (button != MouseButton::kLeft) return;
  if (mode_ == Mode::kDraw && !dragged_ && click_snap_) {
    // A click selects the window or control under it.
    const RectI& r = *click_snap_;
    frame_ = {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.width()),
              static_cast<float>(r.height())};
    ImageMove();
    SetLabelText();
    PlaceLabel();
    frame_visible_ = true;
    label_visible_ = true;
  }
  mode_ = Mode::kMove;
  anchor_ = {frame_.left, frame_.top};
  PlaceToolbar();
}

void CaptureScreen::HandleDown() {
  if (mode_ != Mode::kMove) return;
  resize_flag_ = ResizeFlag::kStart;
  saved_ = {frame_.left, frame_.top, frame_.right(), frame_.bottom()};
  toolbar_visible_ = false;
}

void CaptureScreen::HandleMove(int i, int x, int y) {
  cursor_ = HandleCursor(i);
  if (resize_flag_ != ResizeFlag::kStart) return;
  float px = static_cast<float>(x);
  float py = static_cast<float>(y);
  handles_[i].left = px;
  handles_[i].top = py;
  const float half = handle_size_ / 2;
  const EdgesF& s = saved_;
  RectF next;
  switch (i) {
    case 0:
      next = {px + half, py + half, s.right - px, s.bottom - py};
      break;
    case 1:
      next = {s.left, py + half, s.right - s.left, s.bottom - py};
      break;
    case 2:
      next = {s.left, py + half, px - s.left + half, s.bottom - py};
      break;
    case 3:
      next = {px + half, s.top, s.right - px, s.bottom - s.top};
      break;
    case 4:
      next = {px + half, s.top, s.right - px, py - s.top};
      break;
    case 5:
      next = {s.left, s.top, s.right - s.left, py - s.top};
      break;
    case 6:
      next = {s.left, s.top, px - s.left, py - s.top};
      break;
    default:
      next = {s.left, s.top, px - s.left, s.bottom - s.top};
      break;
  }
  // Past the opposite edge the size turns negative: the frame keeps its last valid bounds.
  if (next.width >= 0 && next.height >= 0) frame_ = next;
  ImageMove();
  SetLabelText();
  PlaceLabel();
  anchor_ = {frame_.left, frame_.top};
}

void CaptureScreen::HandleUp() {
  resize_flag_ = ResizeFlag::kStop;
  PlaceToolbar();
}

void CaptureScreen::ToolbarMove(int x, int y) {
  cursor_ = Cursor::kArrow;
  hover_box_ = ToolbarIconAt(x, y);
}

void CaptureScreen::UpdateMagnifier(int x, int y, std::uint32_t colour) {
  if (pointer_ != PointI{x, y}) colour_note_ = kColourCopyHint;
  pointer_ = {x, y};
  pointer_colour_ = colour;
  const Part part = pressed_ ? pressed_->part : PartAt(x, y).part;
  bool shown = part != Part::kToolbar;
  if (part == Part::kWindow && mode_ == Mode::kMove) {
    // Over a finished selection, or while it is dragged, the pixels need no enlarging.
    shown = !pressed_ && !RoundRect(frame_).Contains(x, y);
  }
  magnifier_visible_ = shown;
  if (shown) {
    magnifier_rect_ = PlaceMagnifier(x, y, magnifier_metrics_, screen_width_, screen_height_);
  }
}

void CaptureScreen::ImageMove() {
  const float l = frame_.left, t = frame_.top, r = frame_.right(), b = frame_.bottom();
  const float cx = l + frame_.width / 2, cy = t + frame_.height / 2;
  const PointF centres[kHandleCount] = {{l, t}, {cx, t}, {r, t}, {l, cy},
                                        {l, b}, {cx, b}, {r, b}, {r, cy}};
  const float half = handle_size_ / 2;
  for (int i = 0; i < kHandleCount; ++i) {
    handles_[i] = {centres[i].x - half, centres[i].y - half, handle_size_, handle_size_};
  }
  handles_[2].left = r - handle_size_ * 2 / 3;
  handles_visible_ = true;
}

void CaptureScreen::PlaceLabel() { label_position_ = {frame_.left + 2, frame_.top + 2}; }

void CaptureScreen::SetLabelText() { label_text_ = SizeLabelText(frame_.width, frame_.height); }

void CaptureScreen::PlaceToolbar() {
  const float width = static_cast<float>(metrics_.width);
  const float height = static_cast<float>(metrics_.height);
  toolbar_.x = frame_.right() - width;
  if (frame_.bottom() + kToolbarGap + height <= screen_height_) {
    toolbar_.y = frame_.bottom() + kToolbarGap;
  } else {
    toolbar_.y = frame_.bottom() - height - kToolbarGap;
  }
  if (toolbar_.x < 0) toolbar_.x = 0;
  toolbar_visible_ = true;
}

std::u16string SizeLabelText(float width, float height) {
  char buf[64];
  auto w = std::to_chars(buf, buf + 30, width);
  *w.ptr = 'x';
  auto h = std::to_chars(w.ptr + 1, buf + sizeof buf, height);
  return Ascii(buf, h.ptr);
}

std::u16string ColourReadout(std::uint32_t colour) {
  char buf[32];
  char* p = buf;
  *p++ = '(';
  for (int shift = 0; shift <= 16; shift += 8) {
    p = std::to_chars(p, buf + sizeof buf, (colour >> shift) & 0xFF).ptr;
    *p++ = shift == 16 ? ')' : ',';
  }
  return Ascii(buf, p);
}

Cursor HandleCursor(int i) {
  static constexpr Cursor kCursors[kHandleCount] = {
      Cursor::kSizeNwse, Cursor::kSizeNs, Cursor::kSizeNesw, Cursor::kSizeWe,
      Cursor::kSizeNesw, Cursor::kSizeNs, Cursor::kSizeNwse, Cursor::kSizeWe};
  return kCursors[i];
}

}  // namespace shot
