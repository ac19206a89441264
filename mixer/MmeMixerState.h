// The input mixer's back end for streams of the Windows MME host API: the mixers
// behind the stream's wave handles, read through the narrow winmm mixer functions.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

struct InputMixer;

// A control found on a line: its identifier, its value range and, for a selector,
// how many items it lists.
struct MixerControlInfo
{
    bool found = false;
    DWORD id = 0;
    DWORD minimum = 0;
    DWORD maximum = 0;
    DWORD items = 0;
};

struct MixerLineEntry
{
    std::string name;
    DWORD lineId = 0;
    MixerControlInfo volume;
};

// One per MME record; the record's Close deletes it, which closes both mixers.
struct MmeMixerState
{
    HMIXER inputMixer = nullptr;
    bool inputMixerNameRead = false;
    std::string inputMixerName;
    std::vector<MixerLineEntry> inputSources;
    HMIXER outputMixer = nullptr;
    bool outputMixerNameRead = false;
    std::string outputMixerName;
    std::vector<MixerLineEntry> outputLines;
    MixerControlInfo inputSelect;
    MixerControlInfo masterVolume;
    MixerControlInfo pcmVolume;

    MmeMixerState() = default;
    MmeMixerState(const MmeMixerState&) = delete;
    MmeMixerState& operator=(const MmeMixerState&) = delete;
    ~MmeMixerState();
};

// Opens the mixers behind the record's stream and installs the MME operations.
// Nonzero on success; on failure everything it took is released.
int MmeOpen(InputMixer* mixer);
