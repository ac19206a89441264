// The recording devices as the window lists them: their names, how many fit the
// Device(s) menu's command ids, and which one is chosen at start.
#pragma once

#include <vector>

#include "framework/CString.h"

class DeviceListing
{
public:
    // Commands 101 to 199: at most 99 devices, so no id reaches another command.
    static constexpr int kMaxDevices = 99;
    static constexpr unsigned kFirstCommand = 101;

    // The name without any " - Input".
    static CString CleanName(const CString& name);
    // The list entry to select: the stored index when it is within the list, else the
    // entry of the system's default input, else -1.
    static int ChooseEntry(int stored, const std::vector<int>& itemData, int defaultInput);
};
