// The settings that take a value from a range: the default and the lowest and highest
// value, declared once. The settings record starts from the defaults; loading, the pages'
// lists and the engine's checks read the bounds from here.
#pragma once

#include "engine/FormatSupportTable.h"

struct SettingRange
{
    int defaultValue;
    int low;
    int high;

    constexpr bool Contains(int value) const { return value >= low && value <= high; }
    constexpr int Count() const { return high - low + 1; }
    // The value's place from the lowest (a list's row, a radio of a group); -1 outside.
    constexpr int IndexOf(int value) const { return Contains(value) ? value - low : -1; }
};

namespace SettingRanges
{
// The stop time's fields, as far as their spins go.
constexpr SettingRange kStopHour{0, 0, 99};
constexpr SettingRange kStopMinute{2, 0, 59};
constexpr SettingRange kStopSecond{30, 0, 59};
// Channel gains in percent.
constexpr SettingRange kBalance{100, 0, 100};
constexpr SettingRange kSampleRateIndex{7, 0, kSampleRateCount - 1}; // 44100 Hz
constexpr SettingRange kChannels{2, 1, 2};
constexpr SettingRange kResolution{2, 0, FormatSupportTable::kResolutions - 1}; // RESOLUTION_S16
// 0 unsigned 8-bit, 1 signed 16-bit.
constexpr SettingRange kWavSubFormat{1, 0, 1};
// Rows of the bit rate table, 8 to 192 kbit/s; the default is 128.
constexpr SettingRange kMp3BitrateIndex{11, 0, 13};
// 0 stereo, 1 joint stereo, 2 dual channel.
constexpr SettingRange kMp3ChannelMode{1, 0, 2};
// The encoder's quality word, fixed at 9.
constexpr SettingRange kMp3Quality{9, 0, 9};
// Vorbis quality in tenths.
constexpr SettingRange kOggQuality{3, -1, 6};
} // namespace SettingRanges
