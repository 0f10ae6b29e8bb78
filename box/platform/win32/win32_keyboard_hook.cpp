// The keyboard hook as WH_KEYBOARD_LL on the thread that runs the box's message loop.
#include "box/platform/win32/win32_services.h"

namespace velmo {
namespace {

// CallNextHookEx ignores its first argument, so the procedure needs no handle and no state.
LRESULT CALLBACK DiscardKey(int code, WPARAM w_param, LPARAM l_param) {
  // Below zero the event is not ours to judge: the chain's answer is the answer.
  if (code < 0) return CallNextHookEx(nullptr, code, w_param, l_param);
  // The other hooks still see the key; a non-zero return keeps it from every window.
  CallNextHookEx(nullptr, code, w_param, l_param);
  return 1;
}

}  // namespace

Win32KeyboardHook::~Win32KeyboardHook() { Remove(); }

bool Win32KeyboardHook::Install() {
  if (!hook_) hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, DiscardKey, GetModuleHandleW(nullptr), 0);
  return hook_ != nullptr;
}

void Win32KeyboardHook::Remove() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
}

}  // namespace velmo
