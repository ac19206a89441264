// The recording driver, qmrec.exe from this test program's folder, run to its end.
#pragma once

#include <windows.h>

#include <string>

struct DriverRun
{
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;

    // The last line of stdout.
    std::string LastLine() const;
};

std::wstring DriverPath();
// Waits at most two minutes, then ends the driver (exit code 99).
DriverRun RunDriver(const std::wstring& arguments);
