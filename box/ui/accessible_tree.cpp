// The items a screen reader reads from a window model.
#include "box/ui/accessible_tree.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace velmo {
namespace {

using Role = AccessInfo::Role;

// The icon font's glyphs lie in the private use area: a reader has nothing to say for them.
bool IconGlyph(char16_t ch) { return ch >= 0xE000 && ch <= 0xF8FF; }
bool Blank(char16_t ch) {
  return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n' || ch == u'\u3000';
}

std::u16string Readable(const std::u16string& text) {
  std::u16string out;
  for (char16_t ch : text) {
    if (!IconGlyph(ch)) out += ch;
  }
  auto first = std::find_if_not(out.begin(), out.end(), Blank);
  auto last = std::find_if_not(out.rbegin(), out.rend(), Blank).base();
  return first < last ? std::u16string(first, last) : std::u16string();
}

std::u16string NameOf(const Control& c) {
  // A box's text is what it holds, not what it is.
  std::u16string caption = c.IsNative() ? std::u16string() : Readable(c.text);
  if (!caption.empty()) return caption;
  return c.tool_tip.empty() ? c.access.name : c.tool_tip;
}

bool TakesClick(const Control& c) { return c.on_click || c.on_mouse_down || c.on_double_click; }

// What a notice says: the texts it holds, in order.
void NoticeText(const Control& c, std::u16string& out) {
  for (const auto& child : c.children()) {
    if (!child->visible) continue;
    if (child->kind == ControlKind::kLabel || child->IsNative()) {
      std::u16string text = Readable(child->text);
      if (text.empty()) continue;
      if (!out.empty()) out += u'\n';
      out += text;
    }
    NoticeText(*child, out);
  }
}

std::u16string Percent(float value) {
  std::string digits = std::to_string(std::lround(value));
  return std::u16string(digits.begin(), digits.end()) + u'%';
}

std::optional<AccessibleItem> ItemOf(const Form& form, const Control& c) {
  AccessibleItem item;
  item.id = c.id();
  if (c.IsNative()) {
    item.role = c.kind == ControlKind::kListBox ? AccessibleRole::kList : AccessibleRole::kText;
    item.native = true;
  } else if (c.access.role == Role::kPageTab) {
    item.role = AccessibleRole::kPageTab;
  } else if (c.access.role == Role::kCheckButton) {
    item.role = AccessibleRole::kCheckButton;
  } else if (c.access.role == Role::kProgressBar) {
    item.role = AccessibleRole::kProgressBar;
    item.value = Percent(c.access.value);
  } else if (c.access.role == Role::kAlert) {
    item.role = AccessibleRole::kAlert;
  } else if (TakesClick(c)) {
    item.role = AccessibleRole::kPushButton;
  } else if (c.kind == ControlKind::kLabel) {
    item.role = AccessibleRole::kStaticText;
  } else if (c.kind == ControlKind::kPicture) {
    item.role = AccessibleRole::kGraphic;
  } else {
    return std::nullopt;  // a plain panel holds items
  }
  if (item.role == AccessibleRole::kAlert) {
    NoticeText(c, item.name);
  } else {
    item.name = NameOf(c);
  }
  // A box always is one: the system's own object tells the rest.
  if (item.name.empty() && !item.native) return std::nullopt;
  if (!item.native && TakesClick(c)) {
    if (c.on_double_click) {
      item.default_action = u"双击";
    } else if (item.role == AccessibleRole::kCheckButton) {
      item.default_action = c.access.checked ? u"取消选中" : u"选中";
    } else if (item.role == AccessibleRole::kPageTab) {
      item.default_action = u"切换";
    } else {
      item.default_action = u"按下";
    }
  }
  item.checked =
      (item.role == AccessibleRole::kCheckButton || item.role == AccessibleRole::kPageTab) &&
      c.access.checked;
  item.unavailable = !c.EnabledInTree();
  item.focused = form.focus() == &c;
  return item;
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool Empty(const PixelRect& r) { return r.left >= r.right || r.top >= r.bottom; }

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

// Controls are numbered in paint order; what a control holds follows it.
struct Walk {
  const Form& form;
  const PixelScale& scale;
  struct Placed {
    AccessibleItem item;
    int last;        // the number of the last control it holds, or its own
    PixelRect seen;  // what of it its containers and the window leave in view
    bool title;
  };
  std::vector<Placed> placed;
  struct Cover {
    int number;
    PixelRect area;
  };
  std::vector<Cover> covers;  // opaque panels: what lies under them and was painted first is hidden
  int number = 0;

  void Visit(const Control& c, int x, int y, const PixelRect& clip) {
    if (!c.visible || c.kind == ControlKind::kShape || c.kind == ControlKind::kLine) return;
    const int me = ++number;
    PixelRect rect = scale.Rect(c.left, c.top, c.width, c.height);
    rect = {rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
    const PixelRect seen = Intersect(rect, clip);
    if (c.kind == ControlKind::kPanel && c.back_color != kNoBackground)
      covers.push_back({me, seen});
    std::optional<std::size_t> mine;
    if (std::optional<AccessibleItem> item = ItemOf(form, c)) {
      item->area = rect;
      placed.push_back({std::move(*item), me, seen, c.access.role == Role::kTitle});
      mine = placed.size() - 1;
    }
    bool folded =
        c.IsNative() || c.access.role == Role::kCheckButton || c.access.role == Role::kProgressBar;
    if (!folded) {
      for (const auto& child : c.children()) Visit(*child, rect.left, rect.top, seen);
    }
    if (mine) placed[*mine].last = number;
  }
};

Control* FindById(Control& c, int id) {
  if (c.id() == id) return &c;
  for (const auto& child : c.children()) {
    if (Control* hit = FindById(*child, id)) return hit;
  }
  return nullptr;
}

}  // namespace

AccessibleView AccessibleViewOf(const Form& form, const PixelScale& scale) {
  Walk walk{form, scale, {}, {}, 0};
  const PixelRect client = scale.Rect(0, 0, form.width, form.height);
  for (const auto& child : form.root().children()) walk.Visit(*child, 0, 0, client);
  AccessibleView view;
  view.name = form.caption;
  for (Walk::Placed& p : walk.placed) {
    p.item.invisible = Empty(p.seen) ||
                       std::any_of(walk.covers.begin(), walk.covers.end(), [&](const auto& cover) {
                         return cover.number > p.last && Contains(cover.area, p.seen);
                       });
    if (p.title && !p.item.invisible) view.name = p.item.name;
    view.items.push_back(std::move(p.item));
  }
  return view;
}

bool DoAccessibleAction(Form& form, int id) {
  AccessibleView view = AccessibleViewOf(form, PixelScale(96));
  auto item = std::find_if(view.items.begin(), view.items.end(),
                           [id](const AccessibleItem& i) { return i.id == id; });
  if (item == view.items.end() || item->default_action.empty() || item->unavailable) return false;
  Control& c = *FindById(form.root(), id);
  if (c.on_double_click) {
    form.DoubleClickOn(c);
  } else {
    form.ClickOn(c);
  }
  return true;
}

}  // namespace velmo
