// Command line of the recording driver.
#pragma once

#include "engine/RecorderSettings.h"
#include "framework/CString.h"

struct DriverOptions
{
    bool help = false;
    bool list = false;
    int device = -1; // -1: the default input device
    int seconds = 0; // 0: until Ctrl+C
    RecorderSettings settings;

    // FALSE with the reason in error.
    BOOL Parse(int argc, wchar_t** argv, CString& error);

    static const wchar_t* Usage();
};
