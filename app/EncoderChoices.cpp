#include "app/EncoderChoices.h"

#include "engine/Mp3EncoderConfig.h"

const wchar_t* const EncoderChoices::kOggRows[kOggRowCount] = {
    L"Quality -0.1;  Estimated Bitrate:    48kbps",   L"Quality  0.0;  Estimated Bitrate:    64kbps",
    L"Quality\t  0.1;  Estimated Bitrate:    80kbps", L"Quality  0.2;  Estimated Bitrate:    96kbps",
    L"Quality\t  0.3;  Estimated Bitrate:   112kbps", L"Quality  0.4;  Estimated Bitrate:   128kbps",
    L"Quality\t  0.5;  Estimated Bitrate:   160kbps", L"Quality  0.6;  Estimated Bitrate:   192kbps",
};

namespace
{
// Each list's rows are its setting's values from the lowest up.
const SettingRange& RangeOf(EncoderChoices::List list)
{
    switch (list)
    {
    case EncoderChoices::LIST_WAV_CODEC:
        return SettingRanges::kWavSubFormat;
    case EncoderChoices::LIST_MP3_BITRATE:
        return SettingRanges::kMp3BitrateIndex;
    case EncoderChoices::LIST_MP3_MODE:
        return SettingRanges::kMp3ChannelMode;
    case EncoderChoices::LIST_OGG_QUALITY:
        break;
    }
    return SettingRanges::kOggQuality;
}

// The setting a list edits.
int16_t RecorderSettings::*FieldOf(EncoderChoices::List list)
{
    switch (list)
    {
    case EncoderChoices::LIST_WAV_CODEC:
        return &RecorderSettings::nWavSubFormat;
    case EncoderChoices::LIST_MP3_BITRATE:
        return &RecorderSettings::nMp3BitrateIndex;
    case EncoderChoices::LIST_MP3_MODE:
        return &RecorderSettings::nMp3ChannelMode;
    case EncoderChoices::LIST_OGG_QUALITY:
        break;
    }
    return &RecorderSettings::nOggQuality;
}

int16_t& Field(EncoderChoices::List list, RecorderSettings& s)
{
    return s.*FieldOf(list);
}

int FieldValue(EncoderChoices::List list, const RecorderSettings& s)
{
    return s.*FieldOf(list);
}
} // namespace

int EncoderChoices::RowCount(List list)
{
    return RangeOf(list).Count();
}

int EncoderChoices::RowOf(List list, const RecorderSettings& s)
{
    return RangeOf(list).IndexOf(FieldValue(list, s));
}

void EncoderChoices::Store(List list, int row, RecorderSettings& s)
{
    const bool inList = row >= 0 && row < RowCount(list);
    Field(list, s) = static_cast<int16_t>(inList ? row + RangeOf(list).low : RangeOf(list).defaultValue);
}
