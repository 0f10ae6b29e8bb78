#include "box/shell/mini_window.h"

#include <algorithm>

#include "box/shell/artwork.h"
#include "box/shell/window_parts.h"

namespace velmo {
namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 585;
constexpr int kTop = 120;
constexpr Color kSeeThrough = Rgb(255, 255, 255);

}  // namespace

MiniWindow::MiniWindow(MainWindow& main, Screen& screen)
    : window_(main), main_(main.form()), screen_(screen) {
  form_.caption = std::u16string(kMiniCaption);
  form_.width = kWidth;
  form_.height = kHeight;
  form_.topmost = true;
  form_.layered = true;
  form_.back_color = kSeeThrough;
  form_.color_key = kSeeThrough;

  // A blue disc with the box's rocket; everything around it is see-through.
  Control& disc = form_.Add(form_.root(), ControlKind::kShape, "ShpBadge");
  Place(disc, 15, 15, kWidth - 30, kHeight - 30);
  disc.shape = ShapeKind::kCircle;
  disc.fill_color = palette::kAccent;
  disc.border_color = Rgb(34, 76, 184);
  disc.border_width = 1;
  Control& glyph = form_.Add(form_.root(), ControlKind::kLabel, "LblBadge");
  Place(glyph, 0, 0, kWidth, kHeight);
  glyph.text.assign(1, u'\uEB9B');  // rocket
  glyph.font = {u"Material Icons", 150, false};
  glyph.fore_color = Rgb(250, 250, 250);
  glyph.align = TextAlign::kCenter;

  form_.root().on_mouse_down = [this](const MouseEvent& e) {
    if (e.button == MouseButton::kLeft) form_.StartWindowDrag();
  };
  form_.root().on_double_click = [this](const MouseEvent&) { Restore(); };
  main.form().Get("PicMiniWindow").on_click = [this](const MouseEvent&) { Show(); };
}

void MiniWindow::FinishStartup() {
  form_.top = kTop;
  form_.left = screen_.WidthTwips() / 2 - kWidth / 2;
}

void MiniWindow::Show() {
  form_.visible = true;
  main_.visible = false;
}

// Shown where it was, a docked box would be a strip of a few pixels far from the pointer.
void MiniWindow::Restore() {
  PixelScale scale = screen_.Scale();
  PixelPoint p = screen_.CursorPosition();
  PixelRect area{0, 0, screen_.WidthPixels(), screen_.HeightPixels()};
  for (const PixelRect& a : screen_.WorkAreas()) {
    if (a.left <= p.x && p.x < a.right && a.top <= p.y && p.y < a.bottom) area = a;
  }
  int width = scale.Pixels(main_.width);
  int left = std::max(area.left, std::min(p.x - width / 2, area.right - width));
  window_.docking().ShowWhole(scale.Twips(left));
  main_.SetFocus(&window_.command_box());
  main_.visible = true;
  form_.visible = false;
}

}  // namespace velmo
