// Conversion between UTF-16 and narrow code pages, for the borders of the program
// (narrow library names, narrow archive strings, encoder file names, text files).
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

// Conversions into fixed buffers. codePage kAnsiCodePage is the system's ANSI code page,
// asked at each call; 65001 is UTF-8.
constexpr int kAnsiCodePage = -1;
UINT ResolveCodePage(int codePage);
// Bytes written without the terminator; 0 (and a zeroed buffer) when the conversion
// fails or an argument is unusable.
int WideToMultiByte(LPCWSTR text, char* out, int outBytes, int codePage = kAnsiCodePage,
                    char replacement = '#');
// Bytes needed, terminator included; 0 on failure.
int GetRequiredMultiByteLength(LPCWSTR text, int codePage = kAnsiCodePage);
// Wide characters written without the terminator; 0 (and a zeroed buffer) on failure.
int MultiByteToWide(LPCSTR text, wchar_t* out, int outChars, int codePage = kAnsiCodePage);
// Wide characters needed, terminator included; 0 on failure.
int GetRequiredWideLength(LPCSTR text, int codePage = kAnsiCodePage);
