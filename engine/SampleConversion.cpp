#include "engine/SampleConversion.h"

#include <portaudio.h>

#include <cstring>

PaSampleFormat GetCaptureSampleFormat(int resolution)
{
    switch (resolution)
    {
    case 0:
        return paUInt8;
    case 1:
        return paInt8;
    default:
        return paInt16;
    }
}

int GetCaptureSampleBytes(int resolution)
{
    return resolution == 0 || resolution == 1 ? 1 : 2;
}

void ConvertCaptureToInt32(const void* src, int32_t* dst, unsigned count, int resolution)
{
    std::memset(dst, 0, count * sizeof(int32_t));
    // Built in unsigned arithmetic: shifting a negative value left is not defined before C++20.
    switch (resolution)
    {
    case 0:
    {
        const uint8_t* p = static_cast<const uint8_t*>(src);
        for (unsigned i = 0; i < count; ++i)
            dst[i] = static_cast<int32_t>(static_cast<uint32_t>(p[i] ^ 0x80u) << 24);
        break;
    }
    case 1:
    {
        const uint8_t* p = static_cast<const uint8_t*>(src);
        for (unsigned i = 0; i < count; ++i)
            dst[i] = static_cast<int32_t>(static_cast<uint32_t>(p[i]) << 24);
        break;
    }
    case 2:
    {
        const uint8_t* p = static_cast<const uint8_t*>(src);
        for (unsigned i = 0; i < count; ++i)
        {
            uint16_t s;
            std::memcpy(&s, p + 2 * i, 2);
            dst[i] = static_cast<int32_t>(static_cast<uint32_t>(s) << 16);
        }
        break;
    }
    default:
        break;
    }
}

void ApplyBalance(int32_t* samples, unsigned frames, float leftGain, float rightGain)
{
    const double left = leftGain;
    const double right = rightGain;
    for (unsigned i = 0; i < frames; ++i)
    {
        samples[2 * i] = static_cast<int32_t>(samples[2 * i] * left);
        samples[2 * i + 1] = static_cast<int32_t>(samples[2 * i + 1] * right);
    }
}
