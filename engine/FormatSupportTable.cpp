#include "engine/FormatSupportTable.h"

#include <portaudio.h>

#include "engine/SampleConversion.h"

const int32_t kSampleRates[kSampleRateCount] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

int FormatSupportTable::CellIndex(int channels, int resolution, int rateIndex)
{
    if (channels < 1 || channels > 2 || resolution < 0 || resolution >= kResolutions || rateIndex < 0 ||
        rateIndex >= kSampleRateCount)
        return -1;
    return (resolution * 2 + channels - 1) * kSampleRateCount + rateIndex;
}

void FormatSupportTable::ProbeInputFormats(int device)
{
    for (auto& cell : m_deviceSupport)
        cell = 0;
    PaStreamParameters input{};
    input.device = device;
    input.suggestedLatency = 0.0;
    input.hostApiSpecificStreamInfo = nullptr;
    int cell = 0;
    for (int resolution = 0; resolution < kResolutions; ++resolution)
    {
        input.sampleFormat = GetCaptureSampleFormat(resolution);
        for (int channels = 1; channels <= 2; ++channels)
        {
            input.channelCount = channels;
            for (int rate = 0; rate < kSampleRateCount; ++rate)
                m_deviceSupport[cell++] =
                    Pa_IsFormatSupported(&input, nullptr, kSampleRates[rate]) == paFormatIsSupported ? 1 : 0;
        }
    }
}

void FormatSupportTable::ResetFormatCapabilities()
{
    for (auto& cell : m_encoderSupport)
        cell = 0;
    for (auto& flag : m_encoderFlags)
        flag = 0;
    MarkAllFormatsSupported();
}

void FormatSupportTable::MarkAllFormatsSupported()
{
    for (auto& cell : m_encoderSupport)
        cell = 1;
    for (auto& flag : m_encoderFlags)
        flag = 1;
}
