#include "app/StopTimeRule.h"

namespace
{
int Clamp(int value, int upper)
{
    return value < 0 ? 0 : value > upper ? upper : value;
}
} // namespace

StopTime StopTimeRule::Shown(const RecorderSettings& s)
{
    return {Clamp(s.nStopHour, kMaxHours), Clamp(s.nStopMinute, kMaxMinutes),
            Clamp(s.nStopSecond, kMaxSeconds)};
}

StopTime StopTimeRule::Checked(const StopTime& shown, bool& tooShort)
{
    tooShort = IsTooShort(shown);
    return tooShort ? Minimum() : shown;
}

void StopTimeRule::Store(const StopTime& t, RecorderSettings& s)
{
    s.nStopHour = static_cast<int16_t>(t.hours);
    s.nStopMinute = static_cast<int16_t>(t.minutes);
    s.nStopSecond = static_cast<int16_t>(t.seconds);
}
