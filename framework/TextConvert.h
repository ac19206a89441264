// Conversion between UTF-16 and narrow code pages, for the borders of the program
// (narrow library names, narrow archive strings, encoder file names).
#pragma once

#include <windows.h>

#include <string>

#include "framework/CString.h"

// Narrow text in codePage to UTF-16. A null text gives an empty string; length -1 means
// the text is terminated.
CString AnsiToWide(LPCSTR text, UINT codePage = CP_ACP, int length = -1);

// UTF-16 to codePage. Characters the code page lacks become defaultChar where the code
// page allows a default character (not UTF-7/UTF-8).
std::string WideToAnsi(LPCWSTR text, UINT codePage = CP_ACP, char defaultChar = '#', int length = -1);
