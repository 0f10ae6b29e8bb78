// The native children of the Win32 host (see window_host.h): text boxes, rich text and list
// boxes made when first shown, mirrored from the model, placed and clipped under the layers
// above them, and given the keyboard where the model has its focus.
#include <richedit.h>

#include <algorithm>
#include <cstdio>

#include "box/platform/win32/startup_trace.h"
#include "box/platform/win32/wide.h"
#include "box/platform/win32/window_host.h"

namespace velmo {
namespace {
// EM_REPLACESEL stops at the limit, which is some 32,000 characters when none is set: no limit
// is the largest there is.
void LimitText(HWND edit, ControlKind kind, std::size_t max_length) {
  if (kind == ControlKind::kRichText) {
    SendMessageW(edit, EM_EXLIMITTEXT, 0, max_length ? max_length : 0x7FFFFFFE);
  } else {
    SendMessageW(edit, EM_LIMITTEXT, max_length, 0);  // 0: the most an EDIT takes
  }
}

bool Opaque(const Control& c) {
  return c.kind == ControlKind::kPanel && c.back_color != kNoBackground;
}

}  // namespace

void WindowHost::CollectNatives(Control& c, std::vector<Control*>& out) {
  if (c.IsNative()) out.push_back(&c);
  for (auto& child : c.children()) CollectNatives(*child, out);
}

void WindowHost::SyncNatives() {
  std::vector<Control*> natives;
  CollectNatives(form_.root(), natives);
  mirroring_ = true;
  for (Control* c : natives) SyncNative(*c);
  mirroring_ = false;
}

namespace {
// Paint-order walk that collects the rectangles of opaque panels drawn after
// `target` that are not its containers: those cover the native control.
struct CoverWalk {
  const Control* target;
  bool after = false;
  std::vector<RECT> covers;
  std::function<int(int)> px;

  void Walk(const Control& c, int x, int y, bool ancestor_of_target) {
    if (!c.visible) return;
    if (&c == target) {
      after = true;
      return;  // its own children never cover it
    }
    int cx = x + px(c.left), cy = y + px(c.top);
    if (c.parent() && after && !ancestor_of_target && Opaque(c)) {
      covers.push_back({cx, cy, cx + px(c.width), cy + px(c.height)});
      return;
    }
    for (auto& child : c.children()) {
      bool anc = false;
      for (const Control* p = target->parent(); p; p = p->parent()) anc |= (p == child.get());
      Walk(*child, c.parent() ? cx : 0, c.parent() ? cy : 0, anc);
    }
  }
};
}  // namespace

void WindowHost::SyncNative(Control& c) {
  Native& n = natives_[&c];
  if (!n.hwnd) {
    // A box is made when it is first shown: the boxes of hidden pages cost nothing at start-up.
    if (!c.ShownInTree()) return;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    const wchar_t* cls = L"EDIT";
    if (c.kind == ControlKind::kListBox) {
      cls = L"LISTBOX";
      // Drawn by the host: every entry alike, none of them greyed by a focus mark, the marked
      // one told apart, and pictures where the list has them.
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    } else {
      if (c.kind == ControlKind::kRichText) {
        static const bool loaded = LoadLibraryW(L"Msftedit.dll") != nullptr;  // only when needed
        (void)loaded;
        cls = MSFTEDIT_CLASS;
      }
      style |= ES_AUTOHSCROLL;
      if (c.multi_line) style = (style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL;
      // A read-only text shows no scroll bar unless it asks; an editable one gets one for long
      // notes.
      if (c.multi_line && (!c.read_only || c.scroll_bar)) style |= WS_VSCROLL;
      if (c.read_only) style |= ES_READONLY;
    }
    n.hwnd = CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!n.hwnd) return;
    SendMessageW(n.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    if (c.kind == ControlKind::kRichText) {
      SendMessageW(n.hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
    }
    SetWindowLongPtrW(n.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    child_procs_[n.hwnd] = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        n.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowHost::ChildProc)));
    if (c.kind != ControlKind::kListBox) LimitText(n.hwnd, c.kind, c.max_length);
    n.max_length = c.max_length;
    n.text.clear();
    n.selected = -1;
  }
  if (c.kind == ControlKind::kListBox) {
    if (c.items != n.items) {
      // Only the entries between what stayed at the start and at the end change: an add to a
      // list of thousands costs the window one entry, not a refill.
      const std::size_t old_size = n.items.size(), new_size = c.items.size();
      std::size_t head = 0;
      while (head < old_size && head < new_size && n.items[head] == c.items[head]) ++head;
      std::size_t tail = 0;
      while (tail < old_size - head && tail < new_size - head &&
             n.items[old_size - 1 - tail] == c.items[new_size - 1 - tail]) {
        ++tail;
      }
      // Redraw switched back on would show a hidden list: only a shown one is held still.
      const bool shown = IsWindowVisible(n.hwnd) != FALSE;
      if (shown) SendMessageW(n.hwnd, WM_SETREDRAW, FALSE, 0);

      for (std::size_t i = old_size - tail; i > head; --i) {
        SendMessageW(n.hwnd, LB_DELETESTRING, i - 1, 0);
      }
      for (std::size_t i = head; i < new_size - tail; ++i) {
        SendMessageW(n.hwnd, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(W(c.items[i])));
      }
      if (shown) {
        SendMessageW(n.hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(n.hwnd, nullptr, TRUE);
      }
      auto first = n.items.begin() + static_cast<std::ptrdiff_t>(head);
      first = n.items.erase(first, n.items.end() - static_cast<std::ptrdiff_t>(tail));
      n.items.insert(first, c.items.begin() + static_cast<std::ptrdiff_t>(head),
                     c.items.end() - static_cast<std::ptrdiff_t>(tail));
      n.selected = -1;
    }
    if (c.selected != n.selected) {
      SendMessageW(n.hwnd, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
      n.selected = c.selected;
    }
    // A line of text, or the picture where it is taller, with a little room above and below.
    int height = std::max(Px(c.icon_twips), MulDiv(c.font.size_tenths, dpi_, 540)) + Px(90);
    if (height != n.item_height) {
      n.item_height = height;
      SendMessageW(n.hwnd, LB_SETITEMHEIGHT, 0, height);
      InvalidateRect(n.hwnd, nullptr, TRUE);
    }
    if (c.item_icons != n.icons || c.marked != n.marked) {
      n.icons = c.item_icons;
      n.marked = c.marked;
      InvalidateRect(n.hwnd, nullptr, FALSE);
    }
  } else {
    if (c.max_length != n.max_length) {
      n.max_length = c.max_length;
      LimitText(n.hwnd, c.kind, c.max_length);
    }
    if (c.text != n.text) {
      // A pane that lines are added to takes only the new ones: setting the whole text again
      // grows slow with tens of thousands of lines, and leaves the view at the top.
      bool appended = !n.text.empty() && c.text.size() > n.text.size() &&
                      std::u16string_view(c.text).starts_with(n.text) &&
                      (c.max_length == 0 || c.text.size() <= c.max_length);
      if (appended) {
        int end = GetWindowTextLengthW(n.hwnd);  // never short of the end; past it is the end
        SendMessageW(n.hwnd, EM_SETSEL, end, end);
        SendMessageW(n.hwnd, EM_REPLACESEL, FALSE,
                     reinterpret_cast<LPARAM>(W(c.text) + n.text.size()));
        SendMessageW(n.hwnd, EM_SCROLLCARET, 0, 0);
      } else {
        SetWindowTextW(n.hwnd, W(c.text));
      }
      n.text = c.text;
    }
    if (c.select_all) {
      c.select_all = false;
      SendMessageW(n.hwnd, EM_SETSEL, 0, -1);
    }
    if (c.caret_to_end) {
      c.caret_to_end = false;
      int end = GetWindowTextLengthW(n.hwnd);
      SendMessageW(n.hwnd, EM_SETSEL, end, end);
      SendMessageW(n.hwnd, EM_SCROLLCARET, 0, 0);
    }
  }
  if (c.kind == ControlKind::kRichText && c.back_color != kNoBackground && c.back_color != n.back) {
    SendMessageW(n.hwnd, EM_SETBKGNDCOLOR, 0, c.back_color);
  }
  n.fore = c.fore_color;
  n.back = c.back_color;
  if (bool enabled = c.EnabledInTree(); enabled != n.enabled) {
    n.enabled = enabled;
    EnableWindow(n.hwnd, enabled);
  }

  // Where it stands, and what of it is visible inside its containers and above
  // other layers.
  int x = Px(c.ClientLeft()), y = Px(c.ClientTop());
  int w = Px(c.width), h = Px(c.height);
  RECT visible{x, y, x + w, y + h};
  for (const Control* p = c.parent(); p && p->parent(); p = p->parent()) {
    RECT pr{Px(p->ClientLeft()), Px(p->ClientTop()), Px(p->ClientLeft()) + Px(p->width),
            Px(p->ClientTop()) + Px(p->height)};
    IntersectRect(&visible, &visible, &pr);
  }
  CoverWalk walk{&c, false, {}, [this](int t) { return Px(t); }};
  walk.Walk(form_.root(), 0, 0, true);
  std::vector<RECT> region{visible};
  region.insert(region.end(), walk.covers.begin(), walk.covers.end());
  bool shown = c.ShownInTree() && !IsRectEmpty(&visible);
  // Only changes reach the window: the 100 ms timers sync every control while the box idles.
  RECT placed{x, y, x + w, y + h};
  if (!EqualRect(&placed, &n.placed)) {
    n.placed = placed;
    SetWindowPos(n.hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bool region_changed = region.size() != n.region.size() ||
                        !std::equal(region.begin(), region.end(), n.region.begin(),
                                    [](const RECT& a, const RECT& b) { return EqualRect(&a, &b); });
  if (region_changed) {
    n.region = region;
    HRGN rgn =
        CreateRectRgn(visible.left - x, visible.top - y, visible.right - x, visible.bottom - y);
    for (const RECT& cover : walk.covers) {
      HRGN cut = CreateRectRgn(cover.left - x, cover.top - y, cover.right - x, cover.bottom - y);
      CombineRgn(rgn, rgn, cut, RGN_DIFF);
      DeleteObject(cut);
    }
    SetWindowRgn(n.hwnd, rgn, TRUE);  // the window owns rgn now
  }
  if (shown != n.shown) {
    n.shown = shown;
    ShowWindow(n.hwnd, shown ? SW_SHOWNA : SW_HIDE);
  }
}

void WindowHost::SyncFocus() {
  // A hidden window never takes the keyboard; shown again, it takes it back where it was.
  if (!form_.visible) {
    applied_focus_hwnd_ = nullptr;
    return;
  }
  Control* focus = form_.focus();
  auto it = focus ? natives_.find(focus) : natives_.end();
  HWND target = it != natives_.end() && it->second.hwnd ? it->second.hwnd : hwnd_;
  // A box given the focus before it was first shown takes it once it has been made.
  if (focus == applied_focus_ && target == applied_focus_hwnd_) return;
  applied_focus_ = focus;
  applied_focus_hwnd_ = target;
  SetFocus(target);
}

void WindowHost::DrawListEntry(const Control& c, const DRAWITEMSTRUCT& d) {
  const Native& n = natives_[&c];
  const bool selected = (d.itemState & ODS_SELECTED) != 0;
  RECT r = d.rcItem;
  Color back = c.back_color == kNoBackground ? Rgb(255, 255, 255) : c.back_color;
  FillRect(d.hDC, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : BrushFor(back));
  if (d.itemID >= n.items.size()) return;  // an empty list's focus
  const int pad = Px(60), size = Px(c.icon_twips);
  const int x = r.left + pad, y = r.top + (r.bottom - r.top - size) / 2;
  if (d.itemID < n.icons.size() && n.icons[d.itemID])
    BlendIcon(d.hDC, *n.icons[d.itemID], x, y, size);
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, selected            ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                      : c.EnabledInTree() ? c.fore_color
                                          : GetSysColor(COLOR_GRAYTEXT));
  // The marked entry (the playing track): in bold, a play mark at its right end.
  const bool marked = static_cast<int>(d.itemID) == c.marked;
  RECT text{x + size + pad, r.top, r.right - pad, r.bottom};
  if (marked) {
    RECT mark{text.right - (r.bottom - r.top), r.top, text.right, r.bottom};
    text.right = mark.left;
    HGDIOBJ glyphs = SelectObject(d.hDC, GlyphFont(Twips(r.bottom - r.top) * 3 / 4));
    const wchar_t play[2] = {0xE037, 0};
    DrawTextW(d.hDC, play, 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(d.hDC, glyphs);
  }
  Font face = c.font;
  face.bold = face.bold || marked;
  HGDIOBJ font = SelectObject(d.hDC, FontFor(face));
  const std::u16string& item = n.items[d.itemID];
  DrawTextW(d.hDC, W(item), static_cast<int>(item.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(d.hDC, font);
}

Control* WindowHost::ControlOf(HWND child) {
  for (auto& [control, native] : natives_) {
    if (native.hwnd == child) return const_cast<Control*>(control);
  }
  return nullptr;
}

}  // namespace velmo
