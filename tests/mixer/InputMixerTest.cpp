// The record: inert operations for other host APIs, refusal of invalid records.
#include <gtest/gtest.h>

#include "FakeMixer.h"
#include "mixer/InputMixer.h"

namespace
{
void ExpectInert(InputMixer* mixer)
{
    EXPECT_EQ(0, GetInputSourceCount(mixer));
    EXPECT_EQ(nullptr, GetSourceName(mixer, 0));
    EXPECT_EQ(-1, GetSelectedSource(mixer));
    EXPECT_EQ(0.0f, GetSourceVolume(mixer));
    SelectSource(mixer, 0);
    SetSourceVolume(mixer, 1.0f);
}
// Every one of the 24 slots of the record's own table.
void ExpectInertTable(InputMixer* mixer)
{
    const InputMixerOps& ops = mixer->ops;
    EXPECT_EQ(0, ops.Close(mixer));
    EXPECT_EQ(0, ops.MixerCount(mixer));
    EXPECT_EQ(nullptr, ops.MixerName(mixer, 0));
    EXPECT_EQ(0.0f, ops.MasterVolumeGet(mixer));
    ops.MasterVolumeSet(mixer, 1.0f);
    EXPECT_EQ(0, ops.HasPcmOutputVolume(mixer));
    EXPECT_EQ(0.0f, ops.PcmOutputVolumeGet(mixer));
    ops.PcmOutputVolumeSet(mixer, 1.0f);
    EXPECT_EQ(0, ops.OutputVolumeCount(mixer));
    EXPECT_EQ(nullptr, ops.OutputVolumeName(mixer, 0));
    EXPECT_EQ(0.0f, ops.OutputVolumeGet(mixer, 0));
    ops.OutputVolumeSet(mixer, 0, 1.0f);
    EXPECT_EQ(0, ops.InputSourceCount(mixer));
    EXPECT_EQ(nullptr, ops.InputSourceName(mixer, 0));
    EXPECT_EQ(-1, ops.CurrentInputSourceGet(mixer));
    ops.CurrentInputSourceSet(mixer, 0);
    EXPECT_EQ(0.0f, ops.InputVolumeGet(mixer));
    ops.InputVolumeSet(mixer, 1.0f);
    EXPECT_EQ(0, ops.HasOutputBalance(mixer));
    EXPECT_EQ(0.0f, ops.OutputBalanceGet(mixer));
    ops.OutputBalanceSet(mixer, 1.0f);
    EXPECT_EQ(0, ops.HasPlaythrough(mixer));
    EXPECT_EQ(0.0f, ops.PlaythroughGet(mixer));
    ops.PlaythroughSet(mixer, 1.0f);
}
} // namespace

TEST(InputMixer, OtherHostApiGivesInertRecord)
{
    for (PaHostApiTypeId api : {paDirectSound, paWASAPI, static_cast<PaHostApiTypeId>(paBadStreamPtr)})
    {
        FakeMixer fake;
        fake.hostApi = api;
        fake.AddSource("Mic", 1);
        InputMixer* mixer = OpenInputMixer(fake.Stream(), 0);
        ASSERT_NE(nullptr, mixer);
        EXPECT_EQ(fake.Stream(), mixer->stream);
        EXPECT_EQ(nullptr, mixer->state);
        ExpectInert(mixer);
        ExpectInertTable(mixer);
        CloseInputMixer(mixer);
        EXPECT_EQ(0, fake.opened + fake.writes); // never reached the mixer
    }
}

TEST(InputMixer, InvalidRecordsAreRefused)
{
    ExpectInert(nullptr);
    CloseInputMixer(nullptr);

    FakeMixer fake;
    fake.AddSource("Mic", 1);
    fake.AddSource("Line", 2);
    fake.SetSelector(MIXERCONTROL_CONTROLTYPE_MUX, {1, 2}, {1, 0});
    InputMixer* mixer = OpenInputMixer(fake.Stream(), 0);
    ASSERT_NE(nullptr, mixer);
    // A copy whose magic is gone still carries live operations: none may run.
    InputMixer stale = *mixer;
    stale.magic = 0;
    ExpectInert(&stale);
    CloseInputMixer(&stale);
    EXPECT_EQ(0, fake.writes);
    EXPECT_EQ(0, fake.closed);
    CloseInputMixer(mixer);
}

TEST(InputMixer, RecordIsRefusedOnceClosingStarts)
{
    FakeMixer fake;
    fake.AddSource("Mic", 1);
    InputMixer* mixer = OpenInputMixer(fake.Stream(), 0);
    ASSERT_NE(nullptr, mixer);
    ASSERT_EQ(1, GetInputSourceCount(mixer));
    int countDuringClose = -1;
    fake.onClose = [&] { countDuringClose = GetInputSourceCount(mixer); };
    CloseInputMixer(mixer);
    EXPECT_EQ(1, fake.closed);
    EXPECT_EQ(0, countDuringClose);
}
