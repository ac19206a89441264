// Cell texts of the report list: numbers and dates written into cells and read back.
#pragma once

#include <windows.h>

#include <string>

#include "framework/CString.h"

// precision >= 0: that many decimals; < 0: "%f" without trailing zeros and point.
CString FormatNumberText(double value, int precision);
// The number of a cell: the whole text, or the text up to a '%' that ends it. Not a
// number ("nan") fails: it would compare equal to every number.
bool ParseNumberText(LPCWSTR text, double* value);
// The user's default date and time format; an invalid time gives an empty text.
CString FormatDateText(const SYSTEMTIME& when);
// A date and time in the user's default format, as a variant time.
bool ParseDateText(LPCWSTR text, double* when);
// The text in a code page (the ANSI one unless told), sized by asking the conversion first.
std::string ToAnsiText(LPCWSTR text, UINT codePage = CP_ACP);
