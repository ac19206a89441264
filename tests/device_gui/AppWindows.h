// What the device tests need beyond RunningApp: the program's message box text, the
// Device page's own controls, pixels and the clipboard.
#pragma once

#include <windows.h>

#include <string>

// The text of a message box of the program (its text control).
std::wstring MessageBoxText(HWND box);
// Whether any pixel of the window's client area on screen has this colour.
bool WindowShowsColour(HWND hWnd, COLORREF colour);
// The clipboard's Unicode text; empty when there is none.
std::wstring ClipboardText();
bool ClearClipboard();
// Sends a control notification to the control's parent as the control would.
void PostNotify(HWND control, WORD code);
// A trackbar moved by the user to position.
void DragTrackbar(HWND trackbar, int position);
