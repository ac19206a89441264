// The Recording page's radios: what each one stores and when it may be chosen. The
// settings come from a file a user can edit, so a value outside its group selects no
// radio and never indexes the format tables.
#pragma once

#include <windows.h>

#include "engine/FormatSupportTable.h"
#include "engine/RecorderSettings.h"

class RecordingChoices
{
public:
    enum Group
    {
        GROUP_CHANNELS,
        GROUP_RATE,
        GROUP_RESOLUTION
    };
    struct Radio
    {
        int id;
        Group group;
        int index; // position in its group: channels - 1, rate index, resolution
    };
    static constexpr int kRadioCount = 14;
    static const Radio kRadios[kRadioCount];

    // The radio with this control id; null for any other control.
    static const Radio* Find(int id);
    // Stores the radio's value in s; FALSE (s untouched) for an id that is no radio.
    static BOOL Apply(int id, RecorderSettings& s);
    // Channels and resolution follow the encoder's flags; a rate needs both the device
    // and the encoder to accept the cell of the stored channels and resolution.
    static BOOL IsEnabled(int id, const RecorderSettings& s, const FormatSupportTable& table, bool recording);

    // The radio to check in each group; -1 (none) for a value outside the group.
    static int ChannelIndex(const RecorderSettings& s);
    static int RateIndex(const RecorderSettings& s);
    static int ResolutionIndex(const RecorderSettings& s);
};
