// The keyboard hook as WH_KEYBOARD_LL on a thread of its own. The system calls a low-level hook
// through the message loop of the thread that set it: on the window's thread every key of the
// desktop would wait while the window is busy, and Windows silently removes a hook that keeps
// it waiting too long.
#include <future>

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
  if (thread_.joinable()) return true;
  std::promise<DWORD> ready;  // the thread's id once its hook is set, 0 when it was refused
  std::future<DWORD> id = ready.get_future();
  thread_ = std::thread([&ready] {
    MSG msg;
    // The thread's message queue exists before anyone posts to it.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, DiscardKey, GetModuleHandleW(nullptr), 0);
    ready.set_value(hook ? GetCurrentThreadId() : 0);
    if (!hook) return;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
  });
  thread_id_ = id.get();
  if (thread_id_ == 0) thread_.join();
  return thread_id_ != 0;
}

void Win32KeyboardHook::Remove() {
  if (!thread_.joinable()) return;
  PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
  thread_.join();
  thread_id_ = 0;
}

}  // namespace velmo
