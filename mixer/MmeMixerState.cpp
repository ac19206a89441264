#include "mixer/MmeMixerState.h"

#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "mixer/InputMixer.h"
#include "mixer/MixerApi.h"

namespace
{
const MixerApi& Api()
{
    return MixerApi::Current();
}

HMIXEROBJ Object(HMIXER mixer)
{
    return reinterpret_cast<HMIXEROBJ>(mixer);
}

MmeMixerState* State(InputMixer* mixer)
{
    return static_cast<MmeMixerState*>(mixer->state);
}

std::string LineName(const char* text, size_t capacity)
{
    return std::string(text, strnlen(text, capacity));
}

MIXERCONTROLDETAILS Details(DWORD controlId, DWORD items, DWORD itemSize, void* data)
{
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = 1; // one value for all channels
    details.cMultipleItems = items;
    details.cbDetails = itemSize;
    details.paDetails = data;
    return details;
}

bool LineByType(HMIXER mixer, DWORD componentType, MIXERLINEA& line)
{
    line = MIXERLINEA();
    line.cbStruct = sizeof line;
    line.dwComponentType = componentType;
    return Api().mixerGetLineInfoA(Object(mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) ==
           MMSYSERR_NOERROR;
}

MixerControlInfo ControlOnLine(HMIXER mixer, DWORD lineId, DWORD controlType)
{
    MIXERCONTROLA control = {};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSA query = {};
    query.cbStruct = sizeof query;
    query.dwLineID = lineId;
    query.dwControlType = controlType;
    query.cControls = 1;
    query.cbmxctrl = sizeof control;
    query.pamxctrl = &control;
    MixerControlInfo info;
    if (Api().mixerGetLineControlsA(Object(mixer), &query, MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return info;
    info.found = true;
    info.id = control.dwControlID;
    info.minimum = control.Bounds.dwMinimum;
    info.maximum = control.Bounds.dwMaximum;
    info.items = control.cMultipleItems;
    return info;
}

MixerControlInfo FindControl(HMIXER mixer, DWORD componentType, DWORD controlType)
{
    MIXERLINEA line;
    if (!LineByType(mixer, componentType, line))
        return MixerControlInfo();
    return ControlOnLine(mixer, line.dwLineID, controlType);
}

// Every source line of the destination, or false when one of them cannot be read.
bool ListSourceLines(HMIXER mixer, DWORD destinationType, std::vector<MixerLineEntry>& lines)
{
    lines.clear();
    MIXERLINEA destination;
    if (!LineByType(mixer, destinationType, destination))
        return false;
    for (DWORD i = 0; i < destination.cConnections; ++i)
    {
        MIXERLINEA source = {};
        source.cbStruct = sizeof source;
        source.dwDestination = destination.dwDestination;
        source.dwSource = i;
        if (Api().mixerGetLineInfoA(Object(mixer), &source, MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
        {
            lines.clear();
            return false;
        }
        MixerLineEntry entry;
        entry.name = LineName(source.szName, sizeof source.szName);
        entry.lineId = source.dwLineID;
        entry.volume = ControlOnLine(mixer, source.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);
        lines.push_back(std::move(entry));
    }
    return true;
}

bool UsableVolume(HMIXER mixer, const MixerControlInfo& control)
{
    return mixer != nullptr && control.found && control.maximum > control.minimum;
}

// The control's position within its own range, 0.0 to 1.0; -1.0 on failure.
float ReadVolume(HMIXER mixer, const MixerControlInfo& control)
{
    if (!UsableVolume(mixer, control))
        return -1.0f;
    MIXERCONTROLDETAILS_UNSIGNED value = {};
    MIXERCONTROLDETAILS details = Details(control.id, 0, sizeof value, &value);
    if (Api().mixerGetControlDetailsA(Object(mixer), &details, MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR)
        return -1.0f;
    if (value.dwValue <= control.minimum)
        return 0.0f;
    if (value.dwValue >= control.maximum)
        return 1.0f;
    return static_cast<float>(double(value.dwValue - control.minimum) /
                              double(control.maximum - control.minimum));
}

// Writes value (clamped to 0.0-1.0) scaled into the control's range, truncating.
// 0.0 on success, -1.0 on failure.
float WriteVolume(HMIXER mixer, const MixerControlInfo& control, float value)
{
    if (!UsableVolume(mixer, control))
        return -1.0f;
    double level = value;
    if (!(level > 0.0)) // NaN too
        level = 0.0;
    if (level > 1.0)
        level = 1.0;
    MIXERCONTROLDETAILS_UNSIGNED raw = {};
    raw.dwValue = control.minimum + static_cast<DWORD>(level * double(control.maximum - control.minimum));
    MIXERCONTROLDETAILS details = Details(control.id, 0, sizeof raw, &raw);
    return Api().mixerSetControlDetails(Object(mixer), &details, MIXER_SETCONTROLDETAILSF_VALUE) ==
                   MMSYSERR_NOERROR
               ? 0.0f
               : -1.0f;
}

// The selector's item texts (each naming its line in dwParam1) and on/off values,
// sized by the selector's own item count.
bool ReadSelector(const MmeMixerState& state, std::vector<MIXERCONTROLDETAILS_LISTTEXTA>& texts,
                  std::vector<MIXERCONTROLDETAILS_BOOLEAN>& values, bool readValues)
{
    const MixerControlInfo& selector = state.inputSelect;
    if (state.inputMixer == nullptr || !selector.found || selector.items == 0)
        return false;
    try
    {
        texts.assign(selector.items, MIXERCONTROLDETAILS_LISTTEXTA());
        values.assign(selector.items, MIXERCONTROLDETAILS_BOOLEAN());
    }
    catch (const std::exception&) // a driver's absurd item count
    {
        return false;
    }
    MIXERCONTROLDETAILS details =
        Details(selector.id, selector.items, sizeof(MIXERCONTROLDETAILS_LISTTEXTA), texts.data());
    if (Api().mixerGetControlDetailsA(Object(state.inputMixer), &details,
                                      MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR)
        return false;
    if (!readValues)
        return true;
    details = Details(selector.id, selector.items, sizeof(MIXERCONTROLDETAILS_BOOLEAN), values.data());
    return Api().mixerGetControlDetailsA(Object(state.inputMixer), &details,
                                         MIXER_GETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

int SourceCount(const MmeMixerState& state)
{
    return static_cast<int>(state.inputSources.size());
}

bool IsSource(const MmeMixerState& state, int index)
{
    return index >= 0 && index < SourceCount(state);
}

const char* MixerNameOf(HMIXER mixer, bool& read, std::string& name)
{
    if (mixer == nullptr)
        return nullptr;
    if (!read)
    {
        MIXERCAPSA caps = {};
        // An open mixer's handle serves as its device identifier here.
        if (Api().mixerGetDevCapsA(reinterpret_cast<UINT_PTR>(mixer), &caps, sizeof caps) != MMSYSERR_NOERROR)
            return nullptr;
        try
        {
            name = LineName(caps.szPname, sizeof caps.szPname);
        }
        catch (const std::bad_alloc&)
        {
            return nullptr;
        }
        read = true;
    }
    return name.c_str();
}

// ---- operations

int MmeClose(InputMixer* mixer)
{
    delete State(mixer);
    mixer->state = nullptr;
    return 0;
}

int MmeMixerCount(InputMixer* mixer)
{
    const MmeMixerState* state = State(mixer);
    return (state->inputMixer != nullptr) + (state->outputMixer != nullptr);
}

const char* MmeMixerName(InputMixer* mixer, int index)
{
    MmeMixerState* state = State(mixer);
    if (index == 0)
        return MixerNameOf(state->inputMixer, state->inputMixerNameRead, state->inputMixerName);
    if (index == 1)
        return MixerNameOf(state->outputMixer, state->outputMixerNameRead, state->outputMixerName);
    return nullptr;
}

float MmeMasterVolumeGet(InputMixer* mixer)
{
    return ReadVolume(State(mixer)->outputMixer, State(mixer)->masterVolume);
}

void MmeMasterVolumeSet(InputMixer* mixer, float value)
{
    WriteVolume(State(mixer)->outputMixer, State(mixer)->masterVolume, value);
}

int MmeHasPcmOutputVolume(InputMixer* mixer)
{
    return State(mixer)->outputMixer != nullptr && State(mixer)->pcmVolume.found;
}

float MmePcmOutputVolumeGet(InputMixer* mixer)
{
    return ReadVolume(State(mixer)->outputMixer, State(mixer)->pcmVolume);
}

void MmePcmOutputVolumeSet(InputMixer* mixer, float value)
{
    WriteVolume(State(mixer)->outputMixer, State(mixer)->pcmVolume, value);
}

int MmeOutputVolumeCount(InputMixer* mixer)
{
    return static_cast<int>(State(mixer)->outputLines.size());
}

const MixerLineEntry* OutputLine(InputMixer* mixer, int index)
{
    const std::vector<MixerLineEntry>& lines = State(mixer)->outputLines;
    return index >= 0 && index < static_cast<int>(lines.size()) ? &lines[index] : nullptr;
}

const char* MmeOutputVolumeName(InputMixer* mixer, int index)
{
    const MixerLineEntry* line = OutputLine(mixer, index);
    return line ? line->name.c_str() : nullptr;
}

float MmeOutputVolumeGet(InputMixer* mixer, int index)
{
    const MixerLineEntry* line = OutputLine(mixer, index);
    return line ? ReadVolume(State(mixer)->outputMixer, line->volume) : -1.0f;
}

void MmeOutputVolumeSet(InputMixer* mixer, int index, float value)
{
    if (const MixerLineEntry* line = OutputLine(mixer, index))
        WriteVolume(State(mixer)->outputMixer, line->volume, value);
}

int MmeInputSourceCount(InputMixer* mixer)
{
    return SourceCount(*State(mixer));
}

const char* MmeInputSourceName(InputMixer* mixer, int index)
{
    const MmeMixerState& state = *State(mixer);
    return IsSource(state, index) ? state.inputSources[index].name.c_str() : nullptr;
}

// The line of the first item that is on (item 0 when none is). Without a readable
// selector the first line counts as selected, as a device with one line has none.
int MmeCurrentInputSourceGet(InputMixer* mixer)
{
    const MmeMixerState& state = *State(mixer);
    if (state.inputMixer == nullptr)
        return -1;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values;
    if (!ReadSelector(state, texts, values, true))
        return 0;
    size_t item = 0;
    while (item < values.size() && values[item].fValue == 0)
        ++item;
    if (item == values.size())
        item = 0;
    for (int j = 0; j < SourceCount(state); ++j)
        if (state.inputSources[j].lineId == texts[item].dwParam1)
            return j;
    // An item naming no known line: its position is the best guess, if it is a line at all.
    return IsSource(state, static_cast<int>(item)) ? static_cast<int>(item) : -1;
}

// Turns on the item of the line and every other item off, for both kinds of selector.
void MmeCurrentInputSourceSet(InputMixer* mixer, int index)
{
    const MmeMixerState& state = *State(mixer);
    if (!IsSource(state, index))
        return;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values;
    if (!ReadSelector(state, texts, values, false))
        return;
    const DWORD lineId = state.inputSources[index].lineId;
    size_t item = 0;
    while (item < texts.size() && texts[item].dwParam1 != lineId)
        ++item;
    // A selector without the line is left alone rather than switched all off.
    if (item == texts.size())
        return;
    values[item].fValue = 1;
    MIXERCONTROLDETAILS details = Details(state.inputSelect.id, state.inputSelect.items,
                                          sizeof(MIXERCONTROLDETAILS_BOOLEAN), values.data());
    Api().mixerSetControlDetails(Object(state.inputMixer), &details, MIXER_SETCONTROLDETAILSF_VALUE);
}

// The input volume is that of the selected line, not of the recording destination.
const MixerLineEntry* SelectedLine(InputMixer* mixer)
{
    const MmeMixerState& state = *State(mixer);
    if (state.inputMixer == nullptr)
        return nullptr;
    const int j = MmeCurrentInputSourceGet(mixer);
    return IsSource(state, j) ? &state.inputSources[j] : nullptr;
}

float MmeInputVolumeGet(InputMixer* mixer)
{
    const MixerLineEntry* line = SelectedLine(mixer);
    return line ? ReadVolume(State(mixer)->inputMixer, line->volume) : -1.0f;
}

void MmeInputVolumeSet(InputMixer* mixer, float value)
{
    if (const MixerLineEntry* line = SelectedLine(mixer))
        WriteVolume(State(mixer)->inputMixer, line->volume, value);
}

void InstallOps(InputMixerOps& ops)
{
    ops.Close = MmeClose;
    ops.MixerCount = MmeMixerCount;
    ops.MixerName = MmeMixerName;
    ops.MasterVolumeGet = MmeMasterVolumeGet;
    ops.MasterVolumeSet = MmeMasterVolumeSet;
    ops.HasPcmOutputVolume = MmeHasPcmOutputVolume;
    ops.PcmOutputVolumeGet = MmePcmOutputVolumeGet;
    ops.PcmOutputVolumeSet = MmePcmOutputVolumeSet;
    ops.OutputVolumeCount = MmeOutputVolumeCount;
    ops.OutputVolumeName = MmeOutputVolumeName;
    ops.OutputVolumeGet = MmeOutputVolumeGet;
    ops.OutputVolumeSet = MmeOutputVolumeSet;
    ops.InputSourceCount = MmeInputSourceCount;
    ops.InputSourceName = MmeInputSourceName;
    ops.CurrentInputSourceGet = MmeCurrentInputSourceGet;
    ops.CurrentInputSourceSet = MmeCurrentInputSourceSet;
    ops.InputVolumeGet = MmeInputVolumeGet;
    ops.InputVolumeSet = MmeInputVolumeSet;
}

bool OpenSides(MmeMixerState& state, UINT inputId, UINT outputId)
{
    const UINT none = static_cast<UINT>(-1);
    if (inputId != none)
    {
        if (Api().mixerOpen(&state.inputMixer, inputId, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        {
            state.inputMixer = nullptr;
            return false;
        }
        state.inputSelect =
            FindControl(state.inputMixer, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, MIXERCONTROL_CONTROLTYPE_MUX);
        if (!state.inputSelect.found)
            state.inputSelect = FindControl(state.inputMixer, MIXERLINE_COMPONENTTYPE_DST_WAVEIN,
                                            MIXERCONTROL_CONTROLTYPE_MIXER);
        if (!ListSourceLines(state.inputMixer, MIXERLINE_COMPONENTTYPE_DST_WAVEIN, state.inputSources) ||
            state.inputSources.empty())
            return false;
    }
    if (outputId != none)
    {
        if (Api().mixerOpen(&state.outputMixer, outputId, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        {
            state.outputMixer = nullptr;
            return false;
        }
        state.masterVolume = FindControl(state.outputMixer, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
                                         MIXERCONTROL_CONTROLTYPE_VOLUME);
        state.pcmVolume = FindControl(state.outputMixer, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
                                      MIXERCONTROL_CONTROLTYPE_VOLUME);
        if (!ListSourceLines(state.outputMixer, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, state.outputLines) ||
            state.outputLines.empty())
            return false;
    }
    return true;
}
} // namespace

MmeMixerState::~MmeMixerState()
{
    if (inputMixer != nullptr)
        Api().mixerClose(inputMixer);
    if (outputMixer != nullptr)
        Api().mixerClose(outputMixer);
}

int MmeOpen(InputMixer* mixer)
{
    const MixerApi& api = Api();
    const UINT none = static_cast<UINT>(-1);
    UINT inputId = none;
    UINT outputId = none;
    if (HWAVEIN waveIn = api.getStreamInputHandle(mixer->stream, 0))
        if (api.mixerGetID(reinterpret_cast<HMIXEROBJ>(waveIn), &inputId, MIXER_OBJECTF_HWAVEIN) !=
            MMSYSERR_NOERROR)
            return 0;
    if (HWAVEOUT waveOut = api.getStreamOutputHandle(mixer->stream, 0))
        if (api.mixerGetID(reinterpret_cast<HMIXEROBJ>(waveOut), &outputId, MIXER_OBJECTF_HWAVEOUT) !=
            MMSYSERR_NOERROR)
            return 0;
    if (inputId == none && outputId == none)
        return 0;

    std::unique_ptr<MmeMixerState> state(new (std::nothrow) MmeMixerState);
    if (!state)
        return 0;
    try
    {
        if (!OpenSides(*state, inputId, outputId))
            return 0;
    }
    catch (const std::exception&) // out of memory for the line list
    {
        return 0;
    }
    mixer->state = state.release();
    InstallOps(mixer->ops);
    return 1;
}
