#include "app/RecordingChoices.h"

#include "resources/resource.h"

const RecordingChoices::Radio RecordingChoices::kRadios[kRadioCount] = {
    {IDC_RECORDING_MONO, GROUP_CHANNELS, 0},          {IDC_RECORDING_STEREO, GROUP_CHANNELS, 1},
    {IDC_RECORDING_RATE_8000, GROUP_RATE, 0},         {IDC_RECORDING_RATE_11025, GROUP_RATE, 1},
    {IDC_RECORDING_RATE_12000, GROUP_RATE, 2},        {IDC_RECORDING_RATE_16000, GROUP_RATE, 3},
    {IDC_RECORDING_RATE_22050, GROUP_RATE, 4},        {IDC_RECORDING_RATE_24000, GROUP_RATE, 5},
    {IDC_RECORDING_RATE_32000, GROUP_RATE, 6},        {IDC_RECORDING_RATE_44100, GROUP_RATE, 7},
    {IDC_RECORDING_RATE_48000, GROUP_RATE, 8},        {IDC_RECORDING_8BIT_UNSIGNED, GROUP_RESOLUTION, 0},
    {IDC_RECORDING_8BIT_SIGNED, GROUP_RESOLUTION, 1}, {IDC_RECORDING_16BIT_SIGNED, GROUP_RESOLUTION, 2},
};

namespace
{
// The encoder's flags: 8-bit unsigned, 8-bit signed, 16-bit, mono, stereo.
constexpr int kMonoFlag = 3;
} // namespace

const RecordingChoices::Radio* RecordingChoices::Find(int id)
{
    for (const Radio& radio : kRadios)
        if (radio.id == id)
            return &radio;
    return nullptr;
}

BOOL RecordingChoices::Apply(int id, RecorderSettings& s)
{
    const Radio* radio = Find(id);
    if (!radio)
        return FALSE;
    switch (radio->group)
    {
    case GROUP_CHANNELS:
        s.nChannels = static_cast<int16_t>(radio->index + 1);
        break;
    case GROUP_RATE:
        s.nSampleRateIndex = static_cast<int16_t>(radio->index);
        break;
    case GROUP_RESOLUTION:
        s.nResolution = static_cast<int16_t>(radio->index);
        break;
    }
    return TRUE;
}

BOOL RecordingChoices::IsEnabled(int id, const RecorderSettings& s, const FormatSupportTable& table,
                                 bool recording)
{
    const Radio* radio = Find(id);
    if (!radio || recording)
        return FALSE;
    switch (radio->group)
    {
    case GROUP_CHANNELS:
        return table.m_encoderFlags[kMonoFlag + radio->index] != 0;
    case GROUP_RESOLUTION:
        return table.m_encoderFlags[radio->index] != 0;
    case GROUP_RATE:
        break;
    }
    const int cell = FormatSupportTable::CellIndex(s.nChannels, s.nResolution, radio->index);
    return cell >= 0 && table.m_deviceSupport[cell] != 0 && table.m_encoderSupport[cell] != 0;
}

int RecordingChoices::ChannelIndex(const RecorderSettings& s)
{
    return SettingRanges::kChannels.IndexOf(s.nChannels);
}

int RecordingChoices::RateIndex(const RecorderSettings& s)
{
    return SettingRanges::kSampleRateIndex.IndexOf(s.nSampleRateIndex);
}

int RecordingChoices::ResolutionIndex(const RecorderSettings& s)
{
    return SettingRanges::kResolution.IndexOf(s.nResolution);
}
