#include "screenshot/platform/win32/window_kit.h"

#include <commctrl.h>

namespace shot {
namespace {

bool LoadCommonControls() {
  HMODULE library = LoadLibraryW(L"comctl32.dll");
  auto init = library
                  ? reinterpret_cast<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(
                        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))
                  : nullptr;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  return init && init(&controls);
}

}  // namespace

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, LPCWSTR cursor, UINT style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name, &wc)) return;
  wc.style = style;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, cursor);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

HWND CreateToolTips(HINSTANCE instance, HWND owner, std::initializer_list<const wchar_t*> texts) {
  static const bool loaded = LoadCommonControls();  // the library stays for the process
  if (!loaded) return nullptr;
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
  UINT_PTR id = 0;
  for (const wchar_t* text : texts) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = id++;
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return tips;
}

void PlaceToolTip(HWND tips, HWND owner, UINT_PTR id, const RECT& area) {
  if (!tips) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner;
  tool.uId = id;
  tool.rect = area;
  SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace shot
