// The font a control was given, as the self-drawn controls copy it.
#pragma once

#include <windows.h>

// The LOGFONTW of the window's font, else of the default GUI font, else of the ANSI
// variable font; false when none can be read.
bool GetControlLogFont(HWND hWnd, LOGFONTW* lf);
