#include "FakeMixer.h"

#include <cstring>

namespace
{
FakeMixer* g_fake = nullptr;

const DWORD kSelectorId = 900;

bool IsSelector(const FakeControl& c)
{
    return c.type == MIXERCONTROL_CONTROLTYPE_MUX || c.type == MIXERCONTROL_CONTROLTYPE_MIXER;
}

void FillLine(const FakeLine& from, MIXERLINEA* to)
{
    to->dwLineID = from.lineId;
    to->dwDestination = from.destination;
    to->dwComponentType = from.componentType;
    strcpy(to->szName, from.name.c_str());
}

PaHostApiTypeId HostApi(PaStream*)
{
    return g_fake->hostApi;
}

HWAVEIN InputHandle(PaStream*, int)
{
    return g_fake->waveIn ? reinterpret_cast<HWAVEIN>(0x10) : nullptr;
}

HWAVEOUT OutputHandle(PaStream*, int)
{
    return g_fake->waveOut ? reinterpret_cast<HWAVEOUT>(0x20) : nullptr;
}

MMRESULT WINAPI GetId(HMIXEROBJ, UINT* id, DWORD flags)
{
    *id = flags == MIXER_OBJECTF_HWAVEIN ? 0 : 1;
    return g_fake->getIdResult;
}

MMRESULT WINAPI Open(LPHMIXER mixer, UINT id, DWORD_PTR, DWORD_PTR, DWORD)
{
    if (g_fake->openResult != MMSYSERR_NOERROR)
        return g_fake->openResult;
    ++g_fake->opened;
    *mixer = reinterpret_cast<HMIXER>(static_cast<UINT_PTR>(0x100 + id));
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI Close(HMIXER)
{
    ++g_fake->closed;
    if (g_fake->onClose)
        g_fake->onClose();
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI Caps(UINT_PTR id, LPMIXERCAPSA caps, UINT)
{
    strcpy(caps->szPname, id == 0x100 ? "Fake In" : "Fake Out");
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI LineInfo(HMIXEROBJ, LPMIXERLINEA line, DWORD flags)
{
    const bool byType = flags == MIXER_GETLINEINFOF_COMPONENTTYPE;
    if (byType && (line->dwComponentType == MIXERLINE_COMPONENTTYPE_DST_WAVEIN ||
                   line->dwComponentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS))
    {
        const DWORD destination = line->dwComponentType == MIXERLINE_COMPONENTTYPE_DST_WAVEIN ? 0 : 1;
        line->dwDestination = destination;
        line->dwLineID = destination ? FakeMixer::kSpeakers : FakeMixer::kRecording;
        line->cConnections = 0;
        for (const FakeLine& l : g_fake->lines)
            line->cConnections += l.destination == destination;
        return MMSYSERR_NOERROR;
    }
    DWORD source = 0;
    for (const FakeLine& l : g_fake->lines)
    {
        if (byType && l.componentType == line->dwComponentType)
            return FillLine(l, line), MMSYSERR_NOERROR;
        if (!byType && l.destination == line->dwDestination && source++ == line->dwSource)
            return l.readable ? (FillLine(l, line), MMSYSERR_NOERROR) : MIXERR_INVALLINE;
    }
    return MIXERR_INVALLINE;
}

MMRESULT WINAPI LineControls(HMIXEROBJ, LPMIXERLINECONTROLSA query, DWORD)
{
    for (const FakeControl& c : g_fake->controls)
        if (c.lineId == query->dwLineID && c.type == query->dwControlType)
        {
            MIXERCONTROLA& to = *query->pamxctrl;
            to.dwControlID = c.id;
            to.dwControlType = c.type;
            to.Bounds.dwMinimum = c.minimum;
            to.Bounds.dwMaximum = c.maximum;
            to.cMultipleItems = IsSelector(c) ? static_cast<DWORD>(g_fake->itemLines.size()) : 0;
            return MMSYSERR_NOERROR;
        }
    return MIXERR_INVALCONTROL;
}

// Finds the control and checks the detail layout a real driver would rely on.
FakeControl* Check(LPMIXERCONTROLDETAILS d, DWORD itemSize)
{
    FakeControl* c = g_fake->Control(d->dwControlID);
    if (c == nullptr || !c->readable)
        return nullptr;
    const DWORD items = IsSelector(*c) ? static_cast<DWORD>(g_fake->itemLines.size()) : 0;
    if (d->cMultipleItems != items || d->cbDetails != itemSize || d->cChannels != 1)
    {
        g_fake->badItemCount = true;
        return nullptr;
    }
    return c;
}

MMRESULT WINAPI GetDetails(HMIXEROBJ, LPMIXERCONTROLDETAILS d, DWORD flags)
{
    if (flags == MIXER_GETCONTROLDETAILSF_LISTTEXT)
    {
        if (!Check(d, sizeof(MIXERCONTROLDETAILS_LISTTEXTA)))
            return MIXERR_INVALCONTROL;
        auto* texts = static_cast<MIXERCONTROLDETAILS_LISTTEXTA*>(d->paDetails);
        for (size_t i = 0; i < g_fake->itemLines.size(); ++i)
            texts[i].dwParam1 = g_fake->itemLines[i];
        return MMSYSERR_NOERROR;
    }
    FakeControl* c = Check(d, 4);
    if (c == nullptr)
        return MIXERR_INVALCONTROL;
    if (IsSelector(*c))
        memcpy(d->paDetails, g_fake->itemsOn.data(), 4 * g_fake->itemsOn.size());
    else
        static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(d->paDetails)->dwValue = c->value;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI SetDetails(HMIXEROBJ, LPMIXERCONTROLDETAILS d, DWORD)
{
    FakeControl* c = Check(d, 4);
    if (c == nullptr)
        return MIXERR_INVALCONTROL;
    ++g_fake->writes;
    if (IsSelector(*c))
        memcpy(g_fake->itemsOn.data(), d->paDetails, 4 * g_fake->itemsOn.size());
    else
        c->value = static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(d->paDetails)->dwValue;
    return MMSYSERR_NOERROR;
}

const MixerApi kFakeApi = {HostApi, InputHandle, OutputHandle, GetId,      Open,      Close,
                           Caps,    LineInfo,    LineControls, GetDetails, SetDetails};
} // namespace

FakeMixer::FakeMixer() : previous_(MixerApi::Replace(&kFakeApi))
{
    g_fake = this;
}

FakeMixer::~FakeMixer()
{
    MixerApi::Replace(previous_);
    g_fake = nullptr;
}

FakeControl* FakeMixer::Control(DWORD id)
{
    for (FakeControl& c : controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

void FakeMixer::AddSource(const char* name, DWORD lineId, DWORD minimum, DWORD maximum)
{
    lines.push_back({name, lineId, 0});
    controls.push_back({lineId, MIXERCONTROL_CONTROLTYPE_VOLUME, lineId, minimum, maximum});
}

void FakeMixer::SetSelector(DWORD type, std::vector<DWORD> items, std::vector<LONG> on)
{
    controls.push_back({kRecording, type, kSelectorId});
    itemLines = std::move(items);
    itemsOn = std::move(on);
}
