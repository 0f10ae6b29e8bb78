// A window model: geometry in twips, a tree of controls, timers and the input
// routing that turns host events into control handlers. The Win32 host renders
// it; tests drive it directly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "box/platform/file_icons.h"
#include "box/platform/screen.h"

namespace velmo {

// 0x00BBGGRR, as the box stores colours.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
// An image background that lets the surface beneath show through.
inline constexpr Color kNoBackground = 0xFF000000;

// One picture of an image list: an icon-font glyph in a colour on a background.
struct ImageEntry {
  char16_t glyph = 0;
  Color color = 0;
  Color background = kNoBackground;
};

// Indexes are 1-based like the box's image lists; normal images at odd N, hover
// at N + 1.
struct ImageList {
  std::string name;
  int glyph_twips = 360;  // glyph size
  std::vector<ImageEntry> entries;
  const ImageEntry* At(int index) const {
    return index >= 1 && index <= static_cast<int>(entries.size()) ? &entries[index - 1] : nullptr;
  }
};

enum class ControlKind { kPanel, kLabel, kPicture, kShape, kLine, kTextBox, kRichText, kListBox };
enum class ShapeKind { kRectangle, kSquare, kOval, kCircle, kRoundedRectangle };
enum class TextAlign { kLeft, kCenter, kRight };
enum class MouseButton { kNone, kLeft, kRight, kMiddle };

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

struct MouseEvent {
  MouseButton button = MouseButton::kNone;
  Modifiers modifiers;
  int x = 0;  // twips from the control's top-left corner
  int y = 0;
};

struct KeyEvent {
  int key = 0;  // virtual key code: 32 space, 27 escape, 37..40 arrows, 'A'..'Z'
  Modifiers modifiers;
};

struct Font {
  std::u16string face = u"微软雅黑";
  int size_tenths = 90;  // tenths of a point
  bool bold = false;
};

class Form;

// What a screen reader is told of a control beyond its kind, caption, tool tip and handlers; read
// by box/ui/accessible_tree.h.
struct AccessInfo {
  enum class Role {
    kAuto,         // from its kind and handlers
    kPageTab,      // a label that shows one page of several
    kCheckButton,  // a panel that is one on/off switch; what it holds is its picture
    kProgressBar,  // a panel that is one bar; what it holds is its picture
    kAlert,        // a panel that is a notice: its text is read out when it comes into view
    kTitle,        // a label that titles what it lies on: the window's name while in view
  };
  Role role = Role::kAuto;
  std::u16string name;   // when neither a caption nor a tool tip names the control
  bool checked = false;  // a check button that is on, the page tab that is chosen
  float value = 0;       // a progress bar's percentage
};

class Control {
 public:
  Control(ControlKind kind, std::string name, int index)
      : kind(kind), name(std::move(name)), index(index) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlKind kind;
  const std::string name;
  const int index;  // position in a control array, -1 for a single control
  // Unique in its form, in the order controls were added; the form's root has 0.
  int id() const { return id_; }

  // Twips relative to the parent's top-left corner. A line runs from (left,
  // top) to (left + width, top + height).
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool enabled = true;

  std::u16string text;  // caption, content of a text box, glyphs of a picture's own text
  std::u16string tool_tip;
  std::u16string tag;
  AccessInfo access;
  Font font;
  Color fore_color = Rgb(0, 0, 0);
  Color back_color = kNoBackground;
  TextAlign align = TextAlign::kLeft;
  bool word_wrap = false;

  // Pictures: an image from a list, drawn in a square at the left when the
  // picture has text, centred otherwise; with caption_below the text is a
  // caption in the picture's lowest third, under the image.
  bool caption_below = false;

  // List boxes: the entry drawn as the current one (the playing track), -1 for none.
  int marked = -1;
  const ImageList* image_list = nullptr;
  int image = 0;
  // Pictures: a file's system icon filling the control's box, in place of an image-list entry.
  std::shared_ptr<const IconPixels> icon;

  // Shapes and lines.
  ShapeKind shape = ShapeKind::kRectangle;
  Color fill_color = kNoBackground;
  Color border_color = kNoBackground;
  int border_width = 1;  // pixels

  // Text boxes, rich text and list boxes: native controls mirrored by the host.
  bool multi_line = false;
  bool read_only = false;
  // A multi-line box gets a vertical scroll bar when it is editable, or when this asks for one
  // (a read-only log pane).
  bool scroll_bar = false;
  std::size_t max_length = 0;  // text boxes: characters the user may type; 0 for no limit
  bool select_all = false;     // a request: the host selects the whole text, then clears it
  bool caret_to_end = false;   // a request: the host puts the caret after the text, then clears it
  std::vector<std::u16string> items;
  int selected = -1;
  // List boxes: a picture before each entry, `icon_twips` square (nullptr: a blank place). With
  // icon_twips 0 the entries are text alone.
  int icon_twips = 0;
  std::vector<std::shared_ptr<const IconPixels>> item_icons;

  std::function<void(const MouseEvent&)> on_click;
  std::function<void(const MouseEvent&)> on_double_click;
  std::function<void(const MouseEvent&)> on_mouse_down;
  std::function<void(const MouseEvent&)> on_mouse_move;
  std::function<void(const MouseEvent&)> on_mouse_up;
  // The pointer left the control: to a control outside it, or out of the window.
  // Sent whatever the control's enabled state, so a hover look always ends.
  std::function<void()> on_mouse_leave;
  // Returns true when the key is consumed.
  std::function<bool(const KeyEvent&)> on_key_down;
  std::function<void(const KeyEvent&)> on_key_up;
  std::function<void()> on_change;

  Control* parent() const { return parent_; }
  const std::vector<std::unique_ptr<Control>>& children() const { return children_; }
  bool IsNative() const {
    return kind == ControlKind::kTextBox || kind == ControlKind::kRichText ||
           kind == ControlKind::kListBox;
  }
  // Visible and enabled together with every container above it.
  bool ShownInTree() const;
  bool EnabledInTree() const;
  // Top-left corner in the window's client area, twips.
  int ClientLeft() const;
  int ClientTop() const;
  void ShowImage(int n) { image = n; }

 private:
  friend class Form;
  int id_ = 0;
  Control* parent_ = nullptr;
  std::vector<std::unique_ptr<Control>> children_;
};

// Timers this fast drive animations (slides, a switch's knob) unless told otherwise.
inline constexpr int kAnimationMaxIntervalMs = 25;

struct Timer {
  std::string name;
  int interval_ms = 0;
  // An animation: the host paces it at its interval exactly, whatever the system's timer
  // granularity. A fast display refresh that may tick late clears it.
  bool animates = false;
  bool enabled = false;
  std::function<void()> on_tick;
  void Start() { enabled = true; }
  void Stop() { enabled = false; }
};

struct ControlLook {
  const Control* control = nullptr;
  PixelRect area;
  std::uint64_t look = 0;
  bool operator==(const ControlLook&) const = default;
};

class Form {
 public:
  Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  std::u16string caption;
  int left = 0;  // twips, screen coordinates
  int top = 0;
  int width = 0;
  int height = 0;
  bool topmost = false;
  bool visible = false;
  int opacity = 255;     // 0..255, applied while layered
  bool layered = false;  // the layered extended style; once set it stays
  // A layered window's see-through colour: its pixels show and take the pointer for what lies
  // beneath.
  Color color_key = kNoBackground;
  Color back_color = Rgb(255, 255, 255);

  // The client area: every control hangs below it.
  Control& root() { return *root_; }
  const Control& root() const { return *root_; }
  Control& Add(Control& parent, ControlKind kind, std::string name, int index = -1);
  Control* Find(std::string_view name, int index = -1);
  // Moves a control above its siblings.
  void BringToFront(Control& c);
  Control& Get(std::string_view name, int index = -1);  // the control must exist

  Timer& AddTimer(std::string name, int interval_ms, std::function<void()> on_tick);
  Timer* FindTimer(std::string_view name);
  Timer& timer(std::string_view name);  // the timer must exist
  const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }
  // Runs one tick of an enabled timer; a stopped timer does nothing.
  void Tick(Timer& t);
  void Tick(std::string_view name) { Tick(timer(name)); }

  // Focus: nullptr is the window itself.
  Control* focus() const { return focus_; }
  void SetFocus(Control* c) { focus_ = c; }

  // The window is the active one: the keyboard's. The host keeps it.
  bool active = false;
  // Asks the host to make the window the active one, taking the keyboard from whatever program
  // has it (kTake), or to hand the keyboard back to the window it was taken from (kGiveBack).
  enum class KeyboardRequest { kNone, kTake, kGiveBack };
  void RequestKeyboard(KeyboardRequest r) { keyboard_request_ = r; }
  KeyboardRequest TakeKeyboardRequest() {
    return std::exchange(keyboard_request_, KeyboardRequest::kNone);
  }

  // From a mouse-down handler: the system moves the window with the pointer until the button is
  // released; left and top then say where it went.
  void StartWindowDrag() { drag_requested_ = true; }
  bool TakeDragRequest() { return std::exchange(drag_requested_, false); }

  // System beeps asked for since the host last took them.
  void Beep() { ++beeps_; }
  int TakeBeeps() {
    int n = beeps_;
    beeps_ = 0;
    return n;
  }

  // Runs before any control sees a mouse move: the window's own reaction to
  // pointer activity.
  std::function<void()> on_any_mouse_move;
  // Sees every key press before the focused control; returns true to consume
  // it.
  std::function<bool(const KeyEvent&)> on_key_preview;

  // Input from the host, in client twips. Mouse events go to the topmost shown,
  // enabled control under the point with a handler for them, else to its
  // containers.
  Control* HitTest(int x, int y);
  void MouseMove(int x, int y, MouseButton held, Modifiers m);
  void MouseDown(int x, int y, MouseButton b, Modifiers m);
  void MouseUp(int x, int y, MouseButton b, Modifiers m);
  void DoubleClick(int x, int y, MouseButton b, Modifiers m);
  // The pointer left the window.
  void MouseLeave() { Hover(nullptr); }
  // The control under the pointer (nullptr: outside the window); in a leave handler, the one the
  // pointer went to.
  Control* hovered() const { return hovered_; }
  // Key press for the focused control (or `target`, a native control that has
  // the real focus). Returns true when consumed.
  bool KeyDown(const KeyEvent& e, Control* target);
  // Key release, for the same control a key press would go to; the modifiers are those still
  // held.
  void KeyUp(const KeyEvent& e, Control* target);
  // A native control's content changed in the host.
  void TextEdited(Control& c, std::u16string text);
  void SelectionMade(Control& c, int selected);

  // Test conveniences that act as a user would.
  void Click(Control& c);
  void MoveOver(Control& c);
  // A left click on `c` wherever it stands, as if nothing lay above it: its press, release and
  // click go to it or to the container that takes them. What a screen reader's default action
  // does.
  void ClickOn(Control& c);
  // The same for a double-click.
  void DoubleClickOn(Control& c);

  // What the host draws at `scale`, control by control: every shown control that paints, with
  // the client pixels it may cover (inside its containers) and a hash of how it looks there.
  // A host repaints where a control's look or area changed, or where a control came or went.
  // Geometry counts in whole pixels (a bar that grows by less than a pixel a tick repaints
  // nothing), except a line's ends, which are drawn between pixels.
  std::vector<ControlLook> Looks(const PixelScale& scale) const;

 private:
  Control* HitTestIn(Control& c, int x, int y);
  // The topmost shown control under the point, enabled or not.
  Control* TopmostAt(int x, int y);
  // The pointer is now over `hit` (nullptr: outside the window); every control it
  // was inside and is no longer gets its leave, innermost first.
  void Hover(Control* hit);
  using Handler = std::function<void(const MouseEvent&)> Control::*;
  void Deliver(Control* c, Handler h, int x, int y, MouseButton b, Modifiers m);

  std::unique_ptr<Control> root_;
  std::vector<std::unique_ptr<Timer>> timers_;
  Control* focus_ = nullptr;
  Control* pressed_ = nullptr;
  Control* hovered_ = nullptr;
  int beeps_ = 0;
  int last_id_ = 0;
  bool drag_requested_ = false;
  KeyboardRequest keyboard_request_ = KeyboardRequest::kNone;
};

}  // namespace velmo
