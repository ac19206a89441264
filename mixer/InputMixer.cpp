#include "mixer/InputMixer.h"

#include <new>

#include "mixer/MixerApi.h"
#include "mixer/MmeMixerState.h"

namespace
{
// The inert operations: zero (null for names), 0.0, nothing.
template <class Result, class... Args> Result Inert(InputMixer*, Args...)
{
    return Result();
}

int NoSource(InputMixer*)
{
    return -1;
}

bool IsValid(const InputMixer* mixer)
{
    return mixer != nullptr && mixer->magic == kInputMixerMagic;
}
} // namespace

void SetFallbackOps(InputMixerOps& ops)
{
    ops.Close = Inert<int>;
    ops.MixerCount = Inert<int>;
    ops.MixerName = Inert<const char*, int>;
    ops.MasterVolumeGet = Inert<float>;
    ops.MasterVolumeSet = Inert<void, float>;
    ops.HasPcmOutputVolume = Inert<int>;
    ops.PcmOutputVolumeGet = Inert<float>;
    ops.PcmOutputVolumeSet = Inert<void, float>;
    ops.OutputVolumeCount = Inert<int>;
    ops.OutputVolumeName = Inert<const char*, int>;
    ops.OutputVolumeGet = Inert<float, int>;
    ops.OutputVolumeSet = Inert<void, int, float>;
    ops.InputSourceCount = Inert<int>;
    ops.InputSourceName = Inert<const char*, int>;
    ops.CurrentInputSourceGet = NoSource;
    ops.CurrentInputSourceSet = Inert<void, int>;
    ops.InputVolumeGet = Inert<float>;
    ops.InputVolumeSet = Inert<void, float>;
    ops.HasOutputBalance = Inert<int>;
    ops.OutputBalanceGet = Inert<float>;
    ops.OutputBalanceSet = Inert<void, float>;
    ops.HasPlaythrough = Inert<int>;
    ops.PlaythroughGet = Inert<float>;
    ops.PlaythroughSet = Inert<void, float>;
}

InputMixer* OpenInputMixer(PaStream* stream, int /*mixerIndex*/)
{
    InputMixer* mixer = new (std::nothrow) InputMixer;
    if (mixer == nullptr)
        return nullptr;
    mixer->magic = kInputMixerMagic;
    mixer->stream = stream;
    mixer->state = nullptr;
    SetFallbackOps(mixer->ops);

    // Error codes count as "another host API": the record stays inert.
    if (MixerApi::Current().getStreamHostApiType(stream) != paMME)
        return mixer;
    if (!MmeOpen(mixer))
    {
        mixer->magic = 0;
        delete mixer;
        return nullptr;
    }
    return mixer;
}

void CloseInputMixer(InputMixer* mixer)
{
    if (!IsValid(mixer))
        return;
    // Refused from here on, so a pointer kept past the close is not read after the free.
    mixer->magic = 0;
    mixer->ops.Close(mixer);
    delete mixer;
}

int GetInputSourceCount(InputMixer* mixer)
{
    return IsValid(mixer) ? mixer->ops.InputSourceCount(mixer) : 0;
}

const char* GetSourceName(InputMixer* mixer, int index)
{
    return IsValid(mixer) ? mixer->ops.InputSourceName(mixer, index) : nullptr;
}

int GetSelectedSource(InputMixer* mixer)
{
    return IsValid(mixer) ? mixer->ops.CurrentInputSourceGet(mixer) : -1;
}

void SelectSource(InputMixer* mixer, int index)
{
    if (IsValid(mixer))
        mixer->ops.CurrentInputSourceSet(mixer, index);
}

float GetSourceVolume(InputMixer* mixer)
{
    return IsValid(mixer) ? mixer->ops.InputVolumeGet(mixer) : 0.0f;
}

void SetSourceVolume(InputMixer* mixer, float value)
{
    if (IsValid(mixer))
        mixer->ops.InputVolumeSet(mixer, value);
}
