// The accessible object of a window that paints its own controls: its client area, with one
// simple element per painted item and the system's own object for each native child window.
// Screen readers reach it through WM_GETOBJECT, UI Automation clients through the system's
// bridge. Both programs' hosts use it.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <memory>
#include <optional>

#include "box/platform/accessibility.h"

namespace velmo {

// Posted to the window by a reader's default action, the item's id in wParam: the host clicks the
// item after the reader's call has returned, for a click may open a dialog that waits.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 0x41;

class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  // The window's view as it stands.
  virtual const AccessibleView& AccessibleNow() = 0;
  // The window of a native item; nullptr for a painted one.
  virtual HWND NativeWindowOf(int id) = 0;
};

// Made on the window's first WM_GETOBJECT for its client area: until a reader asks, oleacc.dll is
// not even loaded.
class AccessibleWindow {
 public:
  AccessibleWindow(HWND hwnd, AccessibleSource& source);
  // A reader that still holds the object gets CO_E_OBJNOTCONNECTED from then on.
  ~AccessibleWindow();
  AccessibleWindow(const AccessibleWindow&) = delete;
  AccessibleWindow& operator=(const AccessibleWindow&) = delete;

  // The answer to WM_GETOBJECT; nullopt for an object the window leaves to DefWindowProc.
  std::optional<LRESULT> Answer(WPARAM wp, LPARAM lp);

  struct Link;

 private:
  std::shared_ptr<Link> link_;
  IAccessible* object_ = nullptr;
  bool com_ = false;
};

}  // namespace velmo
