#include "app/FormatTables.h"

#include "engine/FormatSupportTable.h"
#include "engine/Mp3EncoderConfig.h"
#include "framework/TextConvert.h"

BOOL SampleRateAt(int index, int32_t& rate)
{
    if (index < 0 || index >= kSampleRateCount)
        return FALSE;
    rate = kSampleRates[index];
    return TRUE;
}

BOOL Mp3BitrateAt(int index, int& kbps)
{
    if (index < 0 || index >= Mp3EncoderConfig::kBitrateCount)
        return FALSE;
    kbps = Mp3EncoderConfig::kMp3Bitrates[index];
    return TRUE;
}

CString AnsiToCString(const char* text)
{
    return AnsiToWide(text, CP_ACP);
}

CString FormatRateAndChannels(const RecorderSettings& s)
{
    CString text;
    int32_t rate = 0;
    if (SampleRateAt(s.nSampleRateIndex, rate))
        text.Format(L" %5d Hz; ", static_cast<int>(rate));
    else
        text = L"    ? Hz; ";
    text += s.nChannels == 1 ? L" Mono;" : L" Stereo;";
    return text;
}
