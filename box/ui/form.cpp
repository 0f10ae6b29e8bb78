// Control tree, timers and input routing of a window model.
#include "box/ui/form.h"

#include <algorithm>
#include <cassert>

namespace velmo {

bool Control::ShownInTree() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible) return false;
  }
  return true;
}

bool Control::EnabledInTree() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->enabled) return false;
  }
  return true;
}

int Control::ClientLeft() const {
  int x = 0;
  for (const Control* c = this; c->parent_; c = c->parent_) x += c->left;
  return x;
}

int Control::ClientTop() const {
  int y = 0;
  for (const Control* c = this; c->parent_; c = c->parent_) y += c->top;
  return y;
}

Form::Form() : root_(std::make_unique<Control>(ControlKind::kPanel, "Form", -1)) {}

Control& Form::Add(Control& parent, ControlKind kind, std::string name, int index) {
  auto c = std::make_unique<Control>(kind, std::move(name), index);
  c->id_ = ++last_id_;
  c->parent_ = &parent;
  parent.children_.push_back(std::move(c));
  return *parent.children_.back();
}

void Form::BringToFront(Control& c) {
  auto& siblings = c.parent_->children_;
  for (auto it = siblings.begin(); it != siblings.end(); ++it) {
    if (it->get() == &c) {
      std::unique_ptr<Control> moved = std::move(*it);
      siblings.erase(it);
      siblings.push_back(std::move(moved));
      return;
    }
  }
}

namespace {
Control* FindIn(Control& c, std::string_view name, int index) {
  if (c.name == name && c.index == index) return &c;
  for (auto& child : c.children()) {
    if (Control* hit = FindIn(*child, name, index)) return hit;
  }
  return nullptr;
}
}  // namespace

Control* Form::Find(std::string_view name, int index) { return FindIn(*root_, name, index); }

Control& Form::Get(std::string_view name, int index) {
  Control* c = Find(name, index);
  assert(c && "control exists");
  return *c;
}

Timer& Form::AddTimer(std::string name, int interval_ms, std::function<void()> on_tick) {
  auto t = std::make_unique<Timer>();
  t->name = std::move(name);
  t->interval_ms = interval_ms;
  t->animates = interval_ms > 0 && interval_ms <= kAnimationMaxIntervalMs;
  t->on_tick = std::move(on_tick);
  timers_.push_back(std::move(t));
  return *timers_.back();
}

Timer* Form::FindTimer(std::string_view name) {
  for (auto& t : timers_) {
    if (t->name == name) return t.get();
  }
  return nullptr;
}

Timer& Form::timer(std::string_view name) {
  Timer* t = FindTimer(name);
  assert(t && "timer exists");
  return *t;
}

void Form::Tick(Timer& t) {
  if (t.enabled && t.on_tick) t.on_tick();
}

Control* Form::HitTestIn(Control& c, int x, int y) {
  if (!c.visible || c.kind == ControlKind::kLine) return nullptr;
  if (x < 0 || y < 0 || x >= c.width || y >= c.height) return nullptr;
  // Later children lie above earlier ones.
  for (auto it = c.children().rbegin(); it != c.children().rend(); ++it) {
    Control& child = **it;
    if (Control* hit = HitTestIn(child, x - child.left, y - child.top)) return hit;
  }
  return &c;
}

Control* Form::TopmostAt(int x, int y) {
  root_->width = width;
  root_->height = height;
  return HitTestIn(*root_, x, y);
}

Control* Form::HitTest(int x, int y) {
  Control* hit = TopmostAt(x, y);
  // A disabled control lets its container take the pointer.
  while (hit && hit->parent() && !hit->EnabledInTree()) hit = hit->parent();
  return hit;
}

void Form::Deliver(Control* c, Handler h, int x, int y, MouseButton b, Modifiers m) {
  for (; c; c = c->parent()) {
    if (c->*h && c->EnabledInTree()) {
      MouseEvent e{b, m, x - c->ClientLeft(), y - c->ClientTop()};
      (c->*h)(e);
      return;
    }
  }
}

void Form::Hover(Control* hit) {
  Control* left = hovered_;
  hovered_ = hit;
  for (Control* c = left; c; c = c->parent()) {
    for (Control* inside = hit; inside; inside = inside->parent()) {
      if (inside == c) return;
    }
    if (c->on_mouse_leave) c->on_mouse_leave();
  }
}

void Form::MouseMove(int x, int y, MouseButton held, Modifiers m) {
  if (on_any_mouse_move) on_any_mouse_move();
  Control* hit = HitTest(x, y);
  // Leaves first: a control left for its neighbour gives up its hover look before the
  // neighbour takes one.
  Hover(hit);
  Deliver(pressed_ ? pressed_ : hit, &Control::on_mouse_move, x, y, held, m);
}

void Form::MouseDown(int x, int y, MouseButton b, Modifiers m) {
  // A press on a box that takes no typing leaves no other box with the keyboard: what the
  // user types next, meant for that box, must not land in another.
  if (Control* under = TopmostAt(x, y); under && under->IsNative() && !under->EnabledInTree()) {
    focus_ = nullptr;
  }
  pressed_ = HitTest(x, y);
  Deliver(pressed_, &Control::on_mouse_down, x, y, b, m);
}

void Form::MouseUp(int x, int y, MouseButton b, Modifiers m) {
  Control* pressed = pressed_;
  pressed_ = nullptr;
  Deliver(pressed, &Control::on_mouse_up, x, y, b, m);
  // A click needs the release over the control that was pressed, still enabled.
  if (pressed && b == MouseButton::kLeft && HitTest(x, y) == pressed) {
    Deliver(pressed, &Control::on_click, x, y, b, m);
  }
}

void Form::DoubleClick(int x, int y, MouseButton b, Modifiers m) {
  Control* hit = HitTest(x, y);
  for (Control* c = hit; c; c = c->parent()) {
    if (c->on_double_click && c->EnabledInTree()) {
      Deliver(c, &Control::on_double_click, x, y, b, m);
      return;
    }
    if (c->on_click) break;
  }
  // Without a double-click handler the second press is one more click.
  MouseDown(x, y, b, m);
  MouseUp(x, y, b, m);
}

bool Form::KeyDown(const KeyEvent& e, Control* target) {
  if (on_key_preview && on_key_preview(e)) return true;
  Control* c = target ? target : focus_;
  return c && c->on_key_down && c->EnabledInTree() && c->on_key_down(e);
}

void Form::KeyUp(const KeyEvent& e, Control* target) {
  Control* c = target ? target : focus_;
  if (c && c->on_key_up && c->EnabledInTree()) c->on_key_up(e);
}

void Form::TextEdited(Control& c, std::u16string text) {
  if (c.text == text) return;
  c.text = std::move(text);
  if (c.on_change) c.on_change();
}

void Form::SelectionMade(Control& c, int selected) {
  if (c.selected == selected) return;
  c.selected = selected;
  if (c.on_change) c.on_change();
}

void Form::Click(Control& c) {
  int x = c.ClientLeft() + c.width / 2;
  int y = c.ClientTop() + c.height / 2;
  MouseDown(x, y, MouseButton::kLeft, {});
  MouseUp(x, y, MouseButton::kLeft, {});
}

void Form::ClickOn(Control& c) {
  int x = c.ClientLeft() + c.width / 2;
  int y = c.ClientTop() + c.height / 2;
  Deliver(&c, &Control::on_mouse_down, x, y, MouseButton::kLeft, {});
  Deliver(&c, &Control::on_mouse_up, x, y, MouseButton::kLeft, {});
  Deliver(&c, &Control::on_click, x, y, MouseButton::kLeft, {});
}

void Form::DoubleClickOn(Control& c) {
  Deliver(&c, &Control::on_double_click, c.ClientLeft() + c.width / 2, c.ClientTop() + c.height / 2,
          MouseButton::kLeft, {});
}

void Form::MoveOver(Control& c) {
  MouseMove(c.ClientLeft() + c.width / 2, c.ClientTop() + c.height / 2, MouseButton::kNone, {});
}

namespace {
// FNV-1a over the fields a host shows.
struct Hasher {
  std::uint64_t h = 1469598103934665603ull;
  void Add(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= (v >> (i * 8)) & 0xFF;
      h *= 1099511628211ull;
    }
  }
  void Add(const std::u16string& s) {
    Add(s.size());
    for (char16_t ch : s) Add(static_cast<std::uint64_t>(ch));
  }
};

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool Empty(const PixelRect& r) { return r.left >= r.right || r.top >= r.bottom; }

// `x` and `y`: the pixel origin of the control's container, as the host paints it.
void CollectLooks(const PixelScale& scale, const Control& c, int x, int y, const PixelRect& clip,
                  std::vector<ControlLook>& out) {
  if (!c.visible || c.IsNative()) return;
  PixelRect rect = scale.Rect(c.left, c.top, c.width, c.height);
  rect = {rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
  Hasher hs;
  PixelRect area = rect;
  if (c.kind == ControlKind::kLine) {
    // Its ends lie between pixels and its stroke reaches past them: a margin of its width.
    int x2 = x + scale.Pixels(c.left + c.width), y2 = y + scale.Pixels(c.top + c.height);
    int margin = scale.Pixels(c.border_width * 15) + 2;
    area = {std::min(rect.left, x2) - margin, std::min(rect.top, y2) - margin,
            std::max(rect.left, x2) + margin, std::max(rect.top, y2) + margin};
    hs.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.left)) << 32 |
           static_cast<std::uint32_t>(c.top));
    hs.Add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.width)) << 32 |
           static_cast<std::uint32_t>(c.height));
  }
  area = Intersect(area, clip);
  if (Empty(area)) return;
  auto pair = [](int a, int b) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32 |
           static_cast<std::uint32_t>(b);
  };
  // Where it stands, not only what of it shows: a label sliding under its container's edge.
  hs.Add(pair(rect.left, rect.top));
  hs.Add(pair(rect.right, rect.bottom));
  hs.Add(static_cast<unsigned>(c.kind) | (c.enabled ? 16u : 0u) |
         (static_cast<unsigned>(c.image) << 5));
  hs.Add(reinterpret_cast<std::uintptr_t>(c.image_list));
  hs.Add(reinterpret_cast<std::uintptr_t>(c.icon.get()));
  hs.Add(c.text);
  hs.Add(c.font.face);
  hs.Add(static_cast<std::uint64_t>(c.font.size_tenths) << 1 | (c.font.bold ? 1u : 0u));
  hs.Add(static_cast<std::uint64_t>(c.fore_color) << 32 | c.back_color);
  hs.Add(static_cast<std::uint64_t>(c.fill_color) << 32 | c.border_color);
  hs.Add(static_cast<std::uint64_t>(c.border_width) << 8 | static_cast<unsigned>(c.shape) << 4 |
         static_cast<unsigned>(c.align) << 1 | (c.word_wrap ? 1u : 0u));
  out.push_back({&c, area, hs.h});
  if (c.kind == ControlKind::kLine) return;
  for (const auto& child : c.children())
    CollectLooks(scale, *child, rect.left, rect.top, area, out);
}

}  // namespace

std::vector<ControlLook> Form::Looks(const PixelScale& scale) const {
  std::vector<ControlLook> looks;
  const PixelRect client = scale.Rect(0, 0, width, height);
  looks.push_back({root_.get(), client, back_color});  // the window's own background
  for (const auto& child : root_->children()) CollectLooks(scale, *child, 0, 0, client, looks);
  return looks;
}

}  // namespace velmo
