// The Duration cell of the recorded-files list: whole seconds as "HH:MM:SS", the hours
// counted in full (a recording of a day and more shows 24, 25, ... hours), and read back
// for sorting.
#pragma once

#include <cstdint>

#include "framework/CString.h"

class DurationText
{
public:
    static CString Format(uint64_t seconds);
    // "H:MM:SS" with any number of hour digits; false for anything else.
    static bool Parse(LPCWSTR text, uint64_t* seconds);
};
