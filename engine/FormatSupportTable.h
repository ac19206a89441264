// Which combinations of resolution, channel count and sampling rate the capture device
// and the output side accept. Cell (resolution * 2 + channels - 1) * 9 + rate index;
// 1 accepted, 0 refused.
#pragma once

#include <cstdint>

constexpr int kSampleRateCount = 9;
extern const int32_t kSampleRates[kSampleRateCount];

class FormatSupportTable
{
public:
    static constexpr int kResolutions = 3;
    static constexpr int kCells = kResolutions * 2 * kSampleRateCount;
    static constexpr int kFlags = 5; // 8-bit unsigned, 8-bit signed, 16-bit, mono, stereo

    // -1 for settings outside the table (a hand-edited settings file).
    static int CellIndex(int channels, int resolution, int rateIndex);

    // Asks the audio library about every cell for this device (all 0 for an invalid one).
    void ProbeInputFormats(int device);
    void ResetFormatCapabilities();
    void MarkAllFormatsSupported();

    int32_t m_deviceSupport[kCells] = {};
    int32_t m_encoderSupport[kCells] = {};
    int32_t m_encoderFlags[kFlags] = {};
};
