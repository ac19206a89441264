// The automatic stop time as the Output page's three spins show it: each field within its
// spin's range, and never all zero.
#pragma once

#include "engine/RecorderSettings.h"

struct StopTime
{
    int hours;
    int minutes;
    int seconds;
};

class StopTimeRule
{
public:
    static constexpr int kMaxHours = SettingRanges::kStopHour.high;
    static constexpr int kMaxMinutes = SettingRanges::kStopMinute.high;
    static constexpr int kMaxSeconds = SettingRanges::kStopSecond.high;

    // What the spins show for the stored time: each field clamped into its spin's range
    // (a hand-edited file may hold anything).
    static StopTime Shown(const RecorderSettings& s);
    // A stop time of zero would never stop the recording.
    static bool IsTooShort(const StopTime& t) { return t.hours == 0 && t.minutes == 0 && t.seconds == 0; }
    // What a too-short time becomes: 0 h 0 min 5 s.
    static StopTime Minimum() { return {0, 0, 5}; }
    // The time to keep for what the spins show: the shown time, or the minimum when it is
    // too short (tooShort tells the caller to say so).
    static StopTime Checked(const StopTime& shown, bool& tooShort);
    static void Store(const StopTime& t, RecorderSettings& s);
};
