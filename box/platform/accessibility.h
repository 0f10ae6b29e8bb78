// What a screen reader is told of a window that paints its own controls: its name and one flat
// list of items, in the order they are painted. Both programs' hosts hand it to Windows.
#pragma once

#include <string>
#include <vector>

#include "box/platform/screen.h"

namespace velmo {

enum class AccessibleRole {
  kPushButton,
  kStaticText,
  kGraphic,
  kPageTab,
  kCheckButton,
  kProgressBar,
  kAlert,
  kText,
  kList,
};

struct AccessibleItem {
  int id = 0;  // positive, and the same for the same control while its window lives
  AccessibleRole role = AccessibleRole::kStaticText;
  std::u16string name;
  std::u16string value;           // a progress bar's, "50%"
  std::u16string default_action;  // what a click on it does, as the reader says it; empty: none
  PixelRect area;                 // client pixels
  bool unavailable = false;
  bool invisible = false;  // out of view: slid away, or under what is painted above it
  bool focused = false;
  bool checked = false;  // a check button that is on, the page tab that is chosen
  bool native = false;   // a native child window, which answers for itself
  bool operator==(const AccessibleItem&) const = default;
};

struct AccessibleView {
  std::u16string name;  // the window's own
  std::vector<AccessibleItem> items;
};

// What a reader is to be told when a window goes from one view to the next. Id 0 is the window.
struct AccessibleEvent {
  enum class Kind { kShow, kAlert, kNameChange, kStateChange };
  Kind kind;
  int id;
  bool operator==(const AccessibleEvent&) const = default;
};

// An alert that comes into view, or that shows a new text, is shown and alerted; a name that
// changes is told, and so is a check or an availability that changes.
std::vector<AccessibleEvent> AccessibleChanges(const AccessibleView& before,
                                               const AccessibleView& after);

}  // namespace velmo
