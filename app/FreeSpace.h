// The free-space report for the volume of the output folder.
#pragma once

#include <windows.h>

#include "framework/CString.h"

struct FreeSpaceReport
{
    BOOL bKnown;        // the system answered
    double dMegabytes;  // bytes free to the caller / 2^20
    CString strStatus;  // the status-bar text
    CString strWarning; // empty unless less than 100 MB are free
};

// Asks the system for the volume that holds path (a drive, UNC or relative path) and its
// free space.
FreeSpaceReport CheckFreeSpaceOf(const CString& path);

// The texts for a volume root: the drive letter of "C:\", the whole root of a UNC path.
FreeSpaceReport BuildFreeSpaceReport(const CString& root, BOOL bKnown, double dMegabytes);
