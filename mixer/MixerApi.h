// Every outside call the input mixer makes: the stream queries of the audio library
// and the winmm mixer functions. Tests replace the table to act out mixers that the
// machine at hand does not have.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "portaudio.h"

struct MixerApi
{
    PaHostApiTypeId (*getStreamHostApiType)(PaStream* stream);
    HWAVEIN (*getStreamInputHandle)(PaStream* stream, int handleIndex);
    HWAVEOUT (*getStreamOutputHandle)(PaStream* stream, int handleIndex);
    MMRESULT(WINAPI* mixerGetID)(HMIXEROBJ hmxobj, UINT* puMxId, DWORD fdwId);
    MMRESULT(WINAPI* mixerOpen)
    (LPHMIXER phmx, UINT uMxId, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen);
    MMRESULT(WINAPI* mixerClose)(HMIXER hmx);
    MMRESULT(WINAPI* mixerGetDevCapsA)(UINT_PTR uMxId, LPMIXERCAPSA pmxcaps, UINT cbmxcaps);
    MMRESULT(WINAPI* mixerGetLineInfoA)(HMIXEROBJ hmxobj, LPMIXERLINEA pmxl, DWORD fdwInfo);
    MMRESULT(WINAPI* mixerGetLineControlsA)(HMIXEROBJ hmxobj, LPMIXERLINECONTROLSA pmxlc, DWORD fdwControls);
    MMRESULT(WINAPI* mixerGetControlDetailsA)
    (HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails);
    MMRESULT(WINAPI* mixerSetControlDetails)(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails);

    // The table in use: System() unless a test replaced it.
    static const MixerApi& Current();
    // The real functions.
    static const MixerApi& System();
    // Puts api in use (null: the real functions again) and gives the one it replaces.
    static const MixerApi* Replace(const MixerApi* api);
};
