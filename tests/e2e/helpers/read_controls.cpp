// Prints the native child controls of a window as a user's screen reader would find them: one
// line per control, "class<TAB>visible (0/1)<TAB>text", in UTF-8, line breaks in the text as
// "\n"; a list box's text is its items, one a line. Exit code 3 when no window has the class.
//   read_controls.exe <window class>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n,
                      nullptr, nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

BOOL CALLBACK PrintControl(HWND child, LPARAM) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  std::wstring text;
  if (lstrcmpiW(cls, L"ListBox") == 0) {
    auto count = SendMessageW(child, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      auto length = SendMessageW(child, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
      std::wstring item(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(child, LB_GETTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(item.data()));
      item.resize(static_cast<size_t>(length));
      text += (i > 0 ? L"\n" : L"") + item;
    }
  } else {
    auto length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
    text.assign(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(child, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
  }
  std::wstring line = std::wstring(cls) + (IsWindowVisible(child) ? L"\t1\t" : L"\t0\t");
  for (wchar_t c : text) {
    if (c == L'\r') continue;
    line += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
  }
  Print(line + L"\n");
  return TRUE;
}

// Every top-level window of the class (a program may have more than one).
struct Search {
  const wchar_t* window_class;
  bool found = false;
};

BOOL CALLBACK PrintWindow(HWND window, LPARAM search_ptr) {
  auto* search = reinterpret_cast<Search*>(search_ptr);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (lstrcmpW(cls, search->window_class) != 0) return TRUE;
  search->found = true;
  EnumChildWindows(window, &PrintControl, 0);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR window_class, int) {
  Search search{window_class};
  EnumWindows(&PrintWindow, reinterpret_cast<LPARAM>(&search));
  std::fflush(stdout);
  return search.found ? 0 : 3;
}
