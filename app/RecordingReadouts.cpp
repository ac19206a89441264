#include "app/RecordingReadouts.h"

#include <cmath>

#include "app/FormatTables.h"
#include "engine/CaptureBlock.h"
#include "engine/Mp3EncoderConfig.h"

CString RecordingReadouts::ElapsedText(int64_t blocks)
{
    constexpr int64_t perMinute = 60 * kBlocksPerSecond;
    constexpr int64_t perHour = 60 * perMinute;
    if (blocks < 0)
        blocks = 0;
    CString text;
    text.Format(L"%02lld:%02d:%02d.%d", static_cast<long long>(blocks / perHour),
                static_cast<int>((blocks % perHour) / perMinute),
                static_cast<int>((blocks % perMinute) / kBlocksPerSecond),
                static_cast<int>(blocks % kBlocksPerSecond));
    return text;
}

BOOL RecordingReadouts::StopProgress(int64_t blocks, int64_t stopBlocks, int& permille)
{
    if (stopBlocks <= 0)
        return FALSE;
    // In 64 bits: a 32-bit product overflows after about 60 hours.
    int64_t p = blocks * 1000 / stopBlocks;
    permille = static_cast<int>(p < 0 ? 0 : p > 1000 ? 1000 : p);
    return TRUE;
}

namespace
{
CString LevelText(uint64_t sum, unsigned visited)
{
    const float q = static_cast<float>(sum / (visited * 2147483648.0));
    float level = q > 0.0f ? static_cast<float>(10.0 * std::log10(q)) : -99.0f;
    if (level < -99.0f)
        level = -99.0f;
    const int shown = -static_cast<int>(level - 0.5f);
    CString text;
    text.Format(L"-%02d", shown);
    return text;
}

uint64_t Magnitude(int32_t sample)
{
    return sample < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(sample)) : static_cast<uint64_t>(sample);
}
} // namespace

BOOL RecordingReadouts::LevelTexts(const int32_t* samples, unsigned count, int channels, CString& left,
                                   CString& right)
{
    if (!samples || count < 2)
        return FALSE;
    uint64_t leftSum = 0;
    uint64_t rightSum = 0;
    unsigned visited = 0;
    for (unsigned i = 0; i < count - 1; i += 128)
    {
        leftSum += Magnitude(samples[i]);
        if (channels == 2)
            rightSum += Magnitude(samples[i + 1]);
        ++visited;
    }
    left = LevelText(leftSum, visited);
    right = channels == 2 ? LevelText(rightSum, visited) : left;
    return TRUE;
}

CString RecordingReadouts::FormatDescription(const RecorderSettings& s)
{
    int32_t rate = 0;
    CString rateText = L"    ?";
    if (SampleRateAt(s.nSampleRateIndex, rate))
        rateText.Format(L"%5d", rate);
    CString text;
    switch (s.nOutputFormat)
    {
    case FORMAT_WAV:
        text = s.nWavSubFormat == 0   ? L"WAV:  Unsigned 8 bit PCM"
               : s.nWavSubFormat == 1 ? L"WAV:  Signed 16 bit PCM"
                                      : L"";
        return text + FormatRateAndChannels(s);
    case FORMAT_MP3:
    {
        int kbps = 0;
        CString kbpsText = L"  ?";
        if (Mp3BitrateAt(s.nMp3BitrateIndex, kbps))
        {
            kbpsText.Format(L"%3d", kbps);
            // The rate the file will have, which a low bitrate may take below the input's.
            if (SampleRateAt(s.nSampleRateIndex, rate))
                rateText.Format(L"%5d", Mp3EncoderConfig::OutputRate(rate, kbps));
        }
        text = L"MP3:  CBR " + kbpsText + L" kbps; " + rateText + L" Hz;";
        if (s.nChannels == 1)
            return text + L" Mono;";
        static const wchar_t* const modes[3] = {L" Stereo;", L" Joint Stereo;", L" Dual Channel;"};
        return SettingRanges::kMp3ChannelMode.Contains(s.nMp3ChannelMode) ? text + modes[s.nMp3ChannelMode]
                                                                          : text;
    }
    case FORMAT_OGG:
        text.Format(L"OGG:  Quality : %.2f; %s; ", s.nOggQuality / 10.0,
                    s.nChannels == 2 ? L"Stereo" : L"Mono");
        return text + rateText + L" Hz;";
    default:
        // A hand-edited file: Record refuses such a format, and the line says so.
        return L"No output format: choose WAV, MP3 or OGG";
    }
}
