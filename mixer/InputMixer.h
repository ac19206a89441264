// The system mixer behind an open capture stream: its recording lines, the selected
// line and that line's input volume. Opened on the stream rather than on a device
// number so that it always reaches the mixer of the device the stream records from.
#pragma once

#include <cstdint>

#include "portaudio.h"

struct InputMixer;

// One operation per slot; a back end replaces the slots it implements, the others
// keep inert fallbacks. Volumes run from 0.0 (silent) to 1.0 (full).
struct InputMixerOps
{
    int (*Close)(InputMixer*);
    int (*MixerCount)(InputMixer*);
    const char* (*MixerName)(InputMixer*, int index);
    float (*MasterVolumeGet)(InputMixer*);
    void (*MasterVolumeSet)(InputMixer*, float value);
    int (*HasPcmOutputVolume)(InputMixer*);
    float (*PcmOutputVolumeGet)(InputMixer*);
    void (*PcmOutputVolumeSet)(InputMixer*, float value);
    int (*OutputVolumeCount)(InputMixer*);
    const char* (*OutputVolumeName)(InputMixer*, int index);
    float (*OutputVolumeGet)(InputMixer*, int index);
    void (*OutputVolumeSet)(InputMixer*, int index, float value);
    int (*InputSourceCount)(InputMixer*);
    const char* (*InputSourceName)(InputMixer*, int index);
    int (*CurrentInputSourceGet)(InputMixer*);
    void (*CurrentInputSourceSet)(InputMixer*, int index);
    float (*InputVolumeGet)(InputMixer*);
    void (*InputVolumeSet)(InputMixer*, float value);
    int (*HasOutputBalance)(InputMixer*);
    float (*OutputBalanceGet)(InputMixer*);
    void (*OutputBalanceSet)(InputMixer*, float value);
    int (*HasPlaythrough)(InputMixer*);
    float (*PlaythroughGet)(InputMixer*);
    void (*PlaythroughSet)(InputMixer*, float value);
};

constexpr uint32_t kInputMixerMagic = 0x50544D52;

// Heap record made by OpenInputMixer and freed by CloseInputMixer. Every public
// function refuses a record whose magic is not kInputMixerMagic.
struct InputMixer
{
    uint32_t magic;
    PaStream* stream; // not owned, and not used after the open
    void* state;      // the back end's own state, null for the fallback record
    InputMixerOps ops;
};

// Fills every slot with the inert fallbacks.
void SetFallbackOps(InputMixerOps& ops);

// A record for the stream, or null when the stream's mixer cannot be opened. A stream
// of a host API without a back end gets a record whose operations are inert.
// The mixer index is accepted for callers' sake; the mixer is always the stream's own.
InputMixer* OpenInputMixer(PaStream* stream, int mixerIndex);
void CloseInputMixer(InputMixer* mixer);

int GetInputSourceCount(InputMixer* mixer);
// Narrow name in the ANSI code page, owned by the record; null when there is none.
const char* GetSourceName(InputMixer* mixer, int index);
// Index of the selected recording line, -1 when none is known.
int GetSelectedSource(InputMixer* mixer);
void SelectSource(InputMixer* mixer, int index);
// Volume of the selected line, 0.0 to 1.0, or -1.0 when it cannot be read.
float GetSourceVolume(InputMixer* mixer);
void SetSourceVolume(InputMixer* mixer, float value);
