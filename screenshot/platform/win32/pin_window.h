// A selection pinned to the screen: a borderless, always-on-top window that holds its own
// picture and nothing of the frozen screen.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "screenshot/pin.h"
#include "screenshot/platform/win32/frozen_screen.h"

namespace shot {

class PinWindow {
 public:
  // Shows `picture` with its top-left pixel at `at` (virtual-screen pixels). `on_closed` is
  // called once the window is gone; the object may then be destroyed.
  PinWindow(HINSTANCE instance, std::unique_ptr<FrozenScreen> picture, POINT at,
            std::function<void()> on_closed);
  ~PinWindow();
  PinWindow(const PinWindow&) = delete;
  PinWindow& operator=(const PinWindow&) = delete;

  bool open() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  void Place();
  void Copy();
  void Save();
  void Close();

  std::unique_ptr<FrozenScreen> picture_;
  Pin model_;
  std::function<void()> on_closed_;
  HWND hwnd_ = nullptr;
};

}  // namespace shot
