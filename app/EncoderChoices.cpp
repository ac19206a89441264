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
// Rows are values, except OGG quality, whose first row is -1.
int FirstValue(EncoderChoices::List list)
{
    return list == EncoderChoices::LIST_OGG_QUALITY ? -1 : 0;
}

int DefaultValue(EncoderChoices::List list)
{
    switch (list)
    {
    case EncoderChoices::LIST_WAV_CODEC:
        return 1;
    case EncoderChoices::LIST_MP3_BITRATE:
        return 11;
    case EncoderChoices::LIST_MP3_MODE:
        return 1;
    case EncoderChoices::LIST_OGG_QUALITY:
        break;
    }
    return 3;
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
    switch (list)
    {
    case LIST_WAV_CODEC:
        return 2;
    case LIST_MP3_BITRATE:
        return Mp3EncoderConfig::kBitrateCount;
    case LIST_MP3_MODE:
        return 3;
    case LIST_OGG_QUALITY:
        break;
    }
    return kOggRowCount;
}

int EncoderChoices::RowOf(List list, const RecorderSettings& s)
{
    const int row = FieldValue(list, s) - FirstValue(list);
    return row >= 0 && row < RowCount(list) ? row : -1;
}

void EncoderChoices::Store(List list, int row, RecorderSettings& s)
{
    const bool inList = row >= 0 && row < RowCount(list);
    Field(list, s) = static_cast<int16_t>(inList ? row + FirstValue(list) : DefaultValue(list));
}
