// The four lists of the Encoder Settings dialog: their rows, the row that shows a stored
// value, and the value a row stores. The writers index their tables with these values, so
// a list without a selection stores the default, never -1.
#pragma once

#include "engine/RecorderSettings.h"

class EncoderChoices
{
public:
    enum List
    {
        LIST_WAV_CODEC,
        LIST_MP3_BITRATE,
        LIST_MP3_MODE,
        LIST_OGG_QUALITY
    };
    static constexpr int kOggRowCount = SettingRanges::kOggQuality.Count();
    // The OGG rows, which the dialog adds itself (the other lists come with the template).
    static const wchar_t* const kOggRows[kOggRowCount];

    static int RowCount(List list);
    // The row showing the stored value; -1 when the value has no row.
    static int RowOf(List list, const RecorderSettings& s);
    // Stores the value of row; a row outside the list stores the setting's default.
    static void Store(List list, int row, RecorderSettings& s);
};
