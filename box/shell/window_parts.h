// Building blocks the window models share: the slide rule and hover-image
// buttons.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "box/ui/form.h"

namespace velmo {

// Every page, panel and drawer slide moves 300 twips per 10 ms tick.
inline constexpr int kSlideStep = 300;
inline constexpr int kSlideIntervalMs = 10;

// One tick of a slide: value += step; once it has reached or passed `end` it is
// set to exactly `end` and the slide is over (returns true).
bool SlideTick(int& value, int step, int end);

void Place(Control& c, int left, int top, int width, int height);

// Every page's header row: the back button (or an add page's cancel button) at the left, the
// actions at the right. A list page's actions stand in one order, add, delete, clear, each in its
// own place on every page, so that a page without one leaves its place free; an add page's
// confirm button stands where clear does.
enum class HeaderAction { kAdd, kDelete, kClear, kConfirm = kClear };
inline constexpr int kHeaderTop = 195;
inline constexpr int kHeaderBackLeft = 180;
int HeaderActionLeft(HeaderAction action);

// A label in the pages' text style.
Control& AddLabel(Form& form, Control& parent, const char* name, std::u16string text);
// A native box on a rounded white field with a border, like the command box. The rectangle is
// the box's own; the field reaches 135 twips beyond it at the sides and 60 above and below.
Control& AddBox(Form& form, Control& parent, ControlKind kind, const char* name, int left, int top,
                int width, int height);
// A title that says "已复制" for a moment after a copy to the clipboard, then what it said.
class CopiedNote {
 public:
  static constexpr std::u16string_view kNote = u"已复制";
  static constexpr int kShowMs = 1500;
  CopiedNote(Form& form, Control& label, std::string timer_name);
  void Show();
  // For a handler that sets the label's text anew: the note while it shows, and `text` after it.
  std::u16string Keep(std::u16string text);

 private:
  Control& label_;
  Timer& timer_;
  std::u16string after_;  // the text the note stands in for
};

// Runs `handler` before what the control already did on a click.
void PrependClick(Control& c, std::function<void()> handler);

// A picture button with its normal image at the odd index `normal` of `list`
// and its hover image at normal + 1, shown while the pointer is over it.
void MakeHoverButton(Control& button, const ImageList& list, int normal, std::u16string tool_tip);
void ShowHoverImage(Control& button);
void RestoreNormalImage(Control& button);
// A 360 x 360 picture button at (left, top) of `parent`, as MakeHoverButton makes it.
Control& AddHoverButton(Form& form, Control& parent, std::string name, int left, int top,
                        const ImageList& list, int normal, std::u16string tool_tip);
// Restores the normal image of every picture button directly on `surface`.
void RestoreButtonsOn(Control& surface);

}  // namespace velmo
