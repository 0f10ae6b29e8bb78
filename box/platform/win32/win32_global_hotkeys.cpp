// RegisterHotKey on a message-only window of the service's own, made on the thread that
// registers (the window's): WM_HOTKEY comes through the window's message loop.
#include <cstdio>
#include <cstdlib>

#include "box/platform/win32/startup_trace.h"
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

constexpr wchar_t kClassName[] = L"VelmoBoxHotkeys";

}  // namespace

Win32GlobalHotkeys::~Win32GlobalHotkeys() {
  for (auto& [id, pressed] : pressed_) UnregisterHotKey(window_, id);
  if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK Win32GlobalHotkeys::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32GlobalHotkeys*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg != WM_HOTKEY || !self) return DefWindowProcW(hwnd, msg, wp, lp);
  static const bool timing = std::getenv("VELMO_TIMING") != nullptr;
  if (timing) {
    std::printf("hotkey id=%d unix_ms=%.1f\n", static_cast<int>(wp), UnixMsNow());
    std::fflush(stdout);
  }
  auto it = self->pressed_.find(static_cast<int>(wp));
  if (it == self->pressed_.end()) return 0;
  // A copy: the handler may release the hotkey it runs for.
  std::function<void()> pressed = it->second;
  pressed();
  if (self->after_press_) self->after_press_();
  return 0;
}

HotkeyRegistration Win32GlobalHotkeys::Register(int id, const Hotkey& keys,
                                                std::function<void()> pressed) {
  if (!window_) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Win32GlobalHotkeys::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, this);
    if (!window_) return HotkeyRegistration::kFailed;
  }
  // Held down, the keys repeat: one press is one call.
  UINT modifiers = MOD_NOREPEAT | (keys.ctrl ? MOD_CONTROL : 0) | (keys.alt ? MOD_ALT : 0) |
                   (keys.shift ? MOD_SHIFT : 0) | (keys.win ? MOD_WIN : 0);
  if (!RegisterHotKey(window_, id, modifiers, static_cast<UINT>(keys.key))) {
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? HotkeyRegistration::kTaken
                                                             : HotkeyRegistration::kFailed;
  }
  pressed_[id] = std::move(pressed);
  return HotkeyRegistration::kRegistered;
}

void Win32GlobalHotkeys::Unregister(int id) {
  auto it = pressed_.find(id);
  if (it == pressed_.end()) return;
  UnregisterHotKey(window_, id);
  pressed_.erase(it);
}

}  // namespace velmo
