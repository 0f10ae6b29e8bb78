// The slide rule and hover-image buttons.
#include "box/shell/window_parts.h"

#include "box/shell/artwork.h"

namespace velmo {

bool SlideTick(int& value, int step, int end) {
  value += step;
  if ((step < 0 && value <= end) || (step > 0 && value >= end)) {
    value = end;
    return true;
  }
  return false;
}

void Place(Control& c, int left, int top, int width, int height) {
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
}

int HeaderActionLeft(HeaderAction action) { return 2955 + 540 * static_cast<int>(action); }

Control& AddLabel(Form& form, Control& parent, const char* name, std::u16string text) {
  Control& label = form.Add(parent, ControlKind::kLabel, name);
  label.text = std::move(text);
  label.font = {u"微软雅黑", 95, false};
  label.fore_color = palette::kText;
  return label;
}

Control& AddBox(Form& form, Control& parent, ControlKind kind, const char* name, int left, int top,
                int width, int height) {
  Control& field = form.Add(parent, ControlKind::kShape, std::string("Shp") + name);
  Place(field, left - 135, top - 60, width + 270, height + 120);
  field.shape = ShapeKind::kRoundedRectangle;
  field.fill_color = palette::kCard;
  field.border_color = palette::kBorder;
  Control& box = form.Add(parent, kind, name);
  Place(box, left, top, width, height);
  box.font = {u"微软雅黑", 95, false};
  box.fore_color = palette::kText;
  box.back_color = palette::kCard;
  return box;
}

CopiedNote::CopiedNote(Form& form, Control& label, std::string timer_name)
    : label_(label), timer_(form.AddTimer(std::move(timer_name), kShowMs, nullptr)) {
  timer_.on_tick = [this] {
    timer_.Stop();
    // A label that has been given another text since keeps it.
    if (label_.text == kNote) label_.text = after_;
  };
}

void CopiedNote::Show() {
  if (!timer_.enabled) after_ = label_.text;
  label_.text = kNote;
  timer_.Stop();
  timer_.Start();
}

std::u16string CopiedNote::Keep(std::u16string text) {
  if (!timer_.enabled) return text;
  after_ = std::move(text);
  return std::u16string(kNote);
}

void PrependClick(Control& c, std::function<void()> handler) {
  c.on_click = [handler = std::move(handler), old = std::move(c.on_click)](const MouseEvent& e) {
    handler();
    if (old) old(e);
  };
}

void MakeHoverButton(Control& button, const ImageList& list, int normal, std::u16string tool_tip) {
  button.image_list = &list;
  button.image = normal;
  button.tool_tip = std::move(tool_tip);
  button.on_mouse_move = [&button](const MouseEvent&) { ShowHoverImage(button); };
  button.on_mouse_leave = [&button] { RestoreNormalImage(button); };
}

Control& AddHoverButton(Form& form, Control& parent, std::string name, int left, int top,
                        const ImageList& list, int normal, std::u16string tool_tip) {
  Control& button = form.Add(parent, ControlKind::kPicture, std::move(name));
  Place(button, left, top, 360, 360);
  MakeHoverButton(button, list, normal, std::move(tool_tip));
  return button;
}

// Normal images sit at odd indexes, hover images at the even index after them.
void ShowHoverImage(Control& button) {
  if (button.image % 2 == 1) ++button.image;
}

void RestoreNormalImage(Control& button) {
  if (button.image > 0 && button.image % 2 == 0) --button.image;
}

void RestoreButtonsOn(Control& surface) {
  for (auto& child : surface.children()) {
    if (child->kind == ControlKind::kPicture && child->image_list) RestoreNormalImage(*child);
  }
}

}  // namespace velmo
