// A scripted system mixer put in place of winmm (and of the stream queries) while
// the object lives: lines, controls and a selector as a test describes them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mixer/MixerApi.h"

struct FakeLine
{
    std::string name;
    DWORD lineId;
    DWORD destination; // 0 recording, 1 speakers
    DWORD componentType = 0;
    bool readable = true;
};

struct FakeControl
{
    DWORD lineId;
    DWORD type;
    DWORD id;
    DWORD minimum = 0;
    DWORD maximum = 65535;
    DWORD value = 0;
    bool readable = true;
};

class FakeMixer
{
public:
    static constexpr DWORD kRecording = 0xFFFF0000;
    static constexpr DWORD kSpeakers = 0xFFFF0001;

    FakeMixer();
    ~FakeMixer();
    FakeMixer(const FakeMixer&) = delete;
    FakeMixer& operator=(const FakeMixer&) = delete;

    PaStream* Stream() { return reinterpret_cast<PaStream*>(this); }
    FakeControl* Control(DWORD id);
    // A recording line with a volume control of the same id.
    void AddSource(const char* name, DWORD lineId, DWORD minimum = 0, DWORD maximum = 65535);
    void SetSelector(DWORD type, std::vector<DWORD> itemLines, std::vector<LONG> on);

    PaHostApiTypeId hostApi = paMME;
    bool waveIn = true;
    bool waveOut = false;
    MMRESULT getIdResult = MMSYSERR_NOERROR;
    MMRESULT openResult = MMSYSERR_NOERROR;
    std::vector<FakeLine> lines;
    std::vector<FakeControl> controls;
    std::vector<DWORD> itemLines; // selector items, each naming a line
    std::vector<LONG> itemsOn;

    // What the mixer saw.
    int opened = 0;
    int closed = 0;
    int writes = 0;
    bool badItemCount = false; // a selector call sized other than by its items
    std::function<void()> onClose;

private:
    const MixerApi* previous_;
};
