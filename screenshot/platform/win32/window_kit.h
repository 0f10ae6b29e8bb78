// Pieces the capture screen and the launcher window share.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace shot {

// Registers a window class of this program, with its icon, unless it is registered already.
void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, LPCWSTR cursor, UINT style);

void Fill(HDC dc, const RECT& r, COLORREF colour);

// A tool-tip window for owner with one tool per text, numbered from 0, each without an area
// until PlaceToolTip gives it one. Loads the common controls on first use: importing them
// would delay every start of the program before the capture screen can show. nullptr when they
// cannot be loaded; the other calls then do nothing.
HWND CreateToolTips(HINSTANCE instance, HWND owner, std::initializer_list<const wchar_t*> texts);

// Gives tool id its area in owner's client coordinates; an empty rectangle hides it.
void PlaceToolTip(HWND tips, HWND owner, UINT_PTR id, const RECT& area);

}  // namespace shot
