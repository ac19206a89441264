// The MME back end against scripted mixers: several lines, both kinds of selector,
// volume ranges and failures that the machine's own mixer cannot show.
#include <gtest/gtest.h>

#include <cmath>

#include "FakeMixer.h"
#include "mixer/InputMixer.h"

namespace
{
const DWORD kMux = MIXERCONTROL_CONTROLTYPE_MUX;
const DWORD kMulti = MIXERCONTROL_CONTROLTYPE_MIXER;

// Owns the record so a failing assertion still closes it.
struct Opened
{
    explicit Opened(FakeMixer& fake) : mixer(OpenInputMixer(fake.Stream(), 0)) {}
    ~Opened() { CloseInputMixer(mixer); }
    InputMixer* mixer;
};

void ThreeSources(FakeMixer& fake)
{
    fake.AddSource("Microphone", 10);
    fake.AddSource("Line In", 20);
    fake.AddSource("CD Audio", 30);
}
} // namespace

TEST(MmeMixer, MuxListsAndSelectsLinesByLineId)
{
    FakeMixer fake;
    ThreeSources(fake);
    // Items in another order than the source lines, and more of them.
    fake.SetSelector(kMux, {30, 99, 10, 20, 98}, {0, 0, 0, 1, 0});
    Opened o(fake);
    ASSERT_NE(nullptr, o.mixer);
    ASSERT_EQ(3, GetInputSourceCount(o.mixer));
    EXPECT_STREQ("Line In", GetSourceName(o.mixer, 1));
    EXPECT_EQ(1, GetSelectedSource(o.mixer));

    SelectSource(o.mixer, 2);
    EXPECT_EQ((std::vector<LONG>{1, 0, 0, 0, 0}), fake.itemsOn);
    EXPECT_EQ(2, GetSelectedSource(o.mixer));
    EXPECT_FALSE(fake.badItemCount);
}

TEST(MmeMixer, SelectorSizedByItsOwnItemCount)
{
    FakeMixer fake;
    ThreeSources(fake);
    fake.SetSelector(kMux, {30}, {1}); // fewer items than lines
    Opened o(fake);
    EXPECT_EQ(2, GetSelectedSource(o.mixer));
    SelectSource(o.mixer, 2);
    EXPECT_EQ(1, fake.writes);
    SelectSource(o.mixer, 0); // not among the items: left alone, not switched all off
    EXPECT_EQ(1, fake.writes);
    EXPECT_EQ(std::vector<LONG>{1}, fake.itemsOn);
    EXPECT_FALSE(fake.badItemCount);
}

TEST(MmeMixer, MultipleSelectSelectorEndsWithOneLineOn)
{
    FakeMixer fake;
    ThreeSources(fake);
    fake.SetSelector(kMulti, {10, 20, 30}, {0, 1, 1});
    Opened o(fake);
    EXPECT_EQ(1, GetSelectedSource(o.mixer));
    SelectSource(o.mixer, 2);
    EXPECT_EQ((std::vector<LONG>{0, 0, 1}), fake.itemsOn);
}

TEST(MmeMixer, CurrentSourceWhenItemsTellLittle)
{
    FakeMixer fake;
    ThreeSources(fake);
    fake.SetSelector(kMux, {20, 30, 10}, {0, 0, 0});
    {
        Opened o(fake);
        EXPECT_EQ(1, GetSelectedSource(o.mixer)); // nothing on: item 0's line
    }
    fake.itemLines = {77, 78, 79, 80};
    fake.itemsOn = {0, 1, 0, 0};
    {
        Opened o(fake);
        EXPECT_EQ(1, GetSelectedSource(o.mixer)); // unknown line: the item's own position
    }
    fake.itemsOn = {0, 0, 0, 1};
    {
        Opened o(fake);
        EXPECT_EQ(-1, GetSelectedSource(o.mixer)); // ... unless that is no line at all
        EXPECT_EQ(-1.0f, GetSourceVolume(o.mixer));
    }
}

TEST(MmeMixer, WithoutSelectorTheOnlyLineIsCurrent)
{
    FakeMixer fake;
    fake.AddSource("Master Volume", 0);
    Opened o(fake);
    EXPECT_EQ(0, GetSelectedSource(o.mixer));
    SelectSource(o.mixer, 0);
    EXPECT_EQ(0, fake.writes);
    SetSourceVolume(o.mixer, 1.0f);
    EXPECT_EQ(65535u, fake.Control(0)->value);
}

TEST(MmeMixer, IndexesAreCheckedAgainstTheCount)
{
    FakeMixer fake;
    fake.waveOut = true;
    ThreeSources(fake);
    fake.lines.push_back({"Wave", 40, 1, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT});
    fake.SetSelector(kMux, {10, 20, 30}, {1, 0, 0});
    Opened o(fake);
    const InputMixerOps& ops = o.mixer->ops;
    for (int bad : {-1, 3, 1000})
    {
        EXPECT_EQ(nullptr, GetSourceName(o.mixer, bad));
        SelectSource(o.mixer, bad);
        EXPECT_EQ(nullptr, ops.OutputVolumeName(o.mixer, bad - 2));
        EXPECT_EQ(-1.0f, ops.OutputVolumeGet(o.mixer, bad - 2));
        ops.OutputVolumeSet(o.mixer, bad - 2, 1.0f);
    }
    EXPECT_EQ(nullptr, ops.MixerName(o.mixer, -1));
    EXPECT_EQ(nullptr, ops.MixerName(o.mixer, 2));
    EXPECT_EQ(0, fake.writes);
}

TEST(MmeMixer, VolumeIsClampedAndScaledByTheControlRange)
{
    FakeMixer fake;
    fake.AddSource("Mic", 10);
    fake.AddSource("Line", 20, 100, 1100);
    fake.AddSource("Wide", 30, 0, 0xFFFFFFFF);
    fake.SetSelector(kMux, {10, 20, 30}, {1, 0, 0});
    Opened o(fake);
    const struct
    {
        int line;
        float set;
        DWORD written;
    } writes[] = {{0, 1.0f, 65535}, {0, 0.5f, 32767},      {0, 0.0f, 0},         {0, 1.5f, 65535},
                  {0, -0.25f, 0},   {0, std::nanf(""), 0}, {1, 0.5f, 600},       {1, 1.0f, 1100},
                  {1, 0.0f, 100},   {2, 1.0f, 0xFFFFFFFF}, {2, 0.5f, 0x7FFFFFFF}};
    for (const auto& w : writes)
    {
        SelectSource(o.mixer, w.line);
        SetSourceVolume(o.mixer, w.set);
        EXPECT_EQ(w.written, fake.Control(10 * (w.line + 1))->value) << w.line << " " << w.set;
    }
    const struct
    {
        int line;
        DWORD raw;
        float read;
    } reads[] = {{0, 65535, 1.0f}, {0, 0, 0.0f}, {1, 350, 0.25f}, {1, 50, 0.0f}, {1, 5000, 1.0f}};
    for (const auto& r : reads)
    {
        SelectSource(o.mixer, r.line);
        fake.Control(10 * (r.line + 1))->value = r.raw;
        EXPECT_EQ(r.read, GetSourceVolume(o.mixer)) << r.line << " " << r.raw;
    }
}

TEST(MmeMixer, VolumeFailures)
{
    FakeMixer fake;
    fake.AddSource("Mic", 10);
    fake.lines.push_back({"No volume", 20, 0});
    // Control 0 exists, as on Wine, where it is the recording destination's own volume.
    fake.controls.push_back({FakeMixer::kRecording, MIXERCONTROL_CONTROLTYPE_VOLUME, 0, 0, 65535, 65535});
    fake.SetSelector(kMux, {10, 20}, {1, 0});
    Opened o(fake);
    fake.Control(10)->readable = false;
    EXPECT_EQ(-1.0f, GetSourceVolume(o.mixer));
    SelectSource(o.mixer, 1);
    EXPECT_EQ(1, GetSelectedSource(o.mixer));
    EXPECT_EQ(-1.0f, GetSourceVolume(o.mixer));
    SetSourceVolume(o.mixer, 0.5f);
    EXPECT_EQ(1, fake.writes); // only the selection
    EXPECT_EQ(65535u, fake.Control(0)->value);
}

TEST(MmeMixer, FailedOpensReleaseWhatTheyTook)
{
    const std::function<void(FakeMixer&)> faults[] = {
        [](FakeMixer&) {}, // no recording lines
        [](FakeMixer& f)
        {
            f.AddSource("Mic", 1);
            f.lines[0].readable = false;
        },
        [](FakeMixer& f)
        {
            f.AddSource("Mic", 1);
            f.getIdResult = MMSYSERR_INVALHANDLE;
        },
        [](FakeMixer& f)
        {
            f.AddSource("Mic", 1);
            f.openResult = MMSYSERR_NOMEM;
        },
        [](FakeMixer& f)
        {
            f.AddSource("Mic", 1);
            f.waveIn = false;
        },
        [](FakeMixer& f)
        {
            f.AddSource("Mic", 1);
            f.waveOut = true;
        }, // no speaker lines
    };
    for (const auto& fault : faults)
    {
        FakeMixer fake;
        fault(fake);
        EXPECT_EQ(nullptr, OpenInputMixer(fake.Stream(), 0));
        EXPECT_EQ(fake.opened, fake.closed);
    }
}

TEST(MmeMixer, OutputSideOfADuplexStream)
{
    FakeMixer fake;
    fake.waveOut = true;
    fake.AddSource("Mic", 10);
    fake.lines.push_back({"Wave", 40, 1, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT});
    fake.controls.push_back({FakeMixer::kSpeakers, MIXERCONTROL_CONTROLTYPE_VOLUME, 50, 0, 1000, 250});
    fake.controls.push_back({40, MIXERCONTROL_CONTROLTYPE_VOLUME, 40, 0, 65535, 65535});
    Opened o(fake);
    ASSERT_NE(nullptr, o.mixer);
    const InputMixerOps& ops = o.mixer->ops;
    EXPECT_EQ(2, ops.MixerCount(o.mixer));
    EXPECT_STREQ("Fake In", ops.MixerName(o.mixer, 0));
    EXPECT_STREQ("Fake Out", ops.MixerName(o.mixer, 1));
    EXPECT_EQ(0.25f, ops.MasterVolumeGet(o.mixer));
    ops.MasterVolumeSet(o.mixer, 0.5f);
    EXPECT_EQ(500u, fake.Control(50)->value);
    EXPECT_EQ(1, ops.HasPcmOutputVolume(o.mixer));
    EXPECT_EQ(1.0f, ops.PcmOutputVolumeGet(o.mixer));
    ASSERT_EQ(1, ops.OutputVolumeCount(o.mixer));
    EXPECT_STREQ("Wave", ops.OutputVolumeName(o.mixer, 0));
    ops.OutputVolumeSet(o.mixer, 0, 0.0f);
    EXPECT_EQ(0u, fake.Control(40)->value);
    // Balance and playthrough are left to the fallbacks.
    const int writes = fake.writes;
    EXPECT_EQ(0, ops.HasOutputBalance(o.mixer));
    EXPECT_EQ(0.0f, ops.OutputBalanceGet(o.mixer));
    ops.OutputBalanceSet(o.mixer, 1.0f);
    EXPECT_EQ(0, ops.HasPlaythrough(o.mixer));
    EXPECT_EQ(0.0f, ops.PlaythroughGet(o.mixer));
    ops.PlaythroughSet(o.mixer, 1.0f);
    EXPECT_EQ(writes, fake.writes);
}

TEST(MmeMixer, CaptureStreamHasOnlyTheInputSide)
{
    FakeMixer fake;
    fake.AddSource("Mic", 10);
    Opened o(fake);
    const InputMixerOps& ops = o.mixer->ops;
    EXPECT_EQ(1, ops.MixerCount(o.mixer));
    EXPECT_EQ(nullptr, ops.MixerName(o.mixer, 1));
    EXPECT_EQ(0, ops.OutputVolumeCount(o.mixer));
    EXPECT_EQ(0, ops.HasPcmOutputVolume(o.mixer));
    EXPECT_EQ(-1.0f, ops.MasterVolumeGet(o.mixer));
}
