#include "mixer/MixerApi.h"

#if __has_include("pa_win_waveformat.h")
#include "pa_win_wmme.h"
#else
// The MME extension header needs a companion header that the package leaves out;
// these two declarations are all the mixer takes from it.
extern "C"
{
    HWAVEIN PaWinMME_GetStreamInputHandle(PaStream* stream, int handleIndex);
    HWAVEOUT PaWinMME_GetStreamOutputHandle(PaStream* stream, int handleIndex);
}
#endif

namespace
{
const MixerApi kSystemApi = {
    Pa_GetStreamHostApiType,
    PaWinMME_GetStreamInputHandle,
    PaWinMME_GetStreamOutputHandle,
    mixerGetID,
    mixerOpen,
    mixerClose,
    mixerGetDevCapsA,
    mixerGetLineInfoA,
    mixerGetLineControlsA,
    mixerGetControlDetailsA,
    mixerSetControlDetails,
};

const MixerApi* g_api = &kSystemApi;
} // namespace

const MixerApi& MixerApi::Current()
{
    return *g_api;
}

const MixerApi& MixerApi::System()
{
    return kSystemApi;
}

const MixerApi* MixerApi::Replace(const MixerApi* api)
{
    const MixerApi* previous = g_api;
    g_api = api ? api : &kSystemApi;
    return previous;
}
