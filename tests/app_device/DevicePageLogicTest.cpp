// The Device page's decisions: which device an entry is, the stream that reaches its
// mixer, the read-outs, and the volume control's two launchers.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/DevicePageLogic.h"

TEST(DevicePageLogic, AnEntryWithoutADeviceIsNoDevice)
{
    EXPECT_EQ(paNoDevice, DevicePageLogic::DeviceOfEntry(-1, CB_ERR));
    EXPECT_EQ(paNoDevice, DevicePageLogic::DeviceOfEntry(0, CB_ERR));
    EXPECT_EQ(paNoDevice, DevicePageLogic::DeviceOfEntry(0, 0x10000));
    EXPECT_EQ(5, DevicePageLogic::DeviceOfEntry(2, 5));
    EXPECT_EQ(0, DevicePageLogic::DeviceOfEntry(0, 0));

    // The menu's radio group follows the list: entry 2 of 4 is command 103 of 101..104.
    UINT first = 0, last = 0, marked = 0;
    ASSERT_TRUE(DevicePageLogic::DeviceMenuMark(2, 4, first, last, marked));
    EXPECT_EQ(101u, first);
    EXPECT_EQ(104u, last);
    EXPECT_EQ(103u, marked);
    EXPECT_FALSE(DevicePageLogic::DeviceMenuMark(-1, 4, first, last, marked));
    EXPECT_FALSE(DevicePageLogic::DeviceMenuMark(0, 0, first, last, marked));

    const int data[3] = {1, 4, 7};
    EXPECT_EQ(1, DevicePageLogic::EntryOfDevice(data, 3, 4));
    EXPECT_EQ(-1, DevicePageLogic::EntryOfDevice(data, 3, 2));
}

TEST(DevicePageLogic, TheProbeStreamAsksForNoMoreChannelsThanTheDeviceHas)
{
    PaDeviceInfo mono = {};
    mono.maxInputChannels = 1;
    mono.defaultLowInputLatency = 0.09;
    mono.defaultSampleRate = 22050.0;
    PaStreamParameters p;
    double rate = 0.0;
    PaStreamFlags flags = 12345;

    ASSERT_TRUE(DevicePageLogic::ProbeStreamParameters(3, &mono, 2, 2, p, rate, flags));
    EXPECT_EQ(3, p.device);
    EXPECT_EQ(1, p.channelCount);
    EXPECT_EQ(paInt16, p.sampleFormat);
    EXPECT_EQ(0.09, p.suggestedLatency);
    EXPECT_EQ(nullptr, p.hostApiSpecificStreamInfo);
    EXPECT_EQ(22050.0, rate); // the device's rate, not the recording's
    EXPECT_EQ(paNoFlag, flags);

    PaDeviceInfo stereo = mono;
    stereo.maxInputChannels = 8;
    ASSERT_TRUE(DevicePageLogic::ProbeStreamParameters(0, &stereo, 2, 0, p, rate, flags));
    EXPECT_EQ(2, p.channelCount);
    EXPECT_EQ(paUInt8, p.sampleFormat);
    EXPECT_EQ(paDitherOff, flags);
    ASSERT_TRUE(DevicePageLogic::ProbeStreamParameters(0, &stereo, 1, 1, p, rate, flags));
    EXPECT_EQ(1, p.channelCount);
    EXPECT_EQ(paInt8, p.sampleFormat);
    EXPECT_EQ(paDitherOff, flags);

    // No input side, no description, no device: no stream.
    PaDeviceInfo speakers = stereo;
    speakers.maxInputChannels = 0;
    EXPECT_FALSE(DevicePageLogic::ProbeStreamParameters(0, &speakers, 2, 2, p, rate, flags));
    EXPECT_FALSE(DevicePageLogic::ProbeStreamParameters(0, nullptr, 2, 2, p, rate, flags));
    EXPECT_FALSE(DevicePageLogic::ProbeStreamParameters(paNoDevice, &stereo, 2, 2, p, rate, flags));

    const PaSampleFormat formats[6] = {paUInt8, paInt8, paInt16, paInt24, paInt32, paFloat32};
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(formats[r], DevicePageLogic::ProbeSampleFormat(r)) << r;
    EXPECT_EQ(paInt16, DevicePageLogic::ProbeSampleFormat(6));
    EXPECT_EQ(paInt16, DevicePageLogic::ProbeSampleFormat(-1));
}

TEST(DevicePageLogic, VolumeTruncatesBothWaysAndTheTexts)
{
    // 50 goes to the mixer as half, which it stores as 32767 of 65535; read back, 49.
    EXPECT_EQ(32767u, static_cast<unsigned>(DevicePageLogic::VolumeValue(50) * 65535.0));
    EXPECT_EQ(49, DevicePageLogic::VolumePosition(static_cast<float>(32767 / 65535.0)));
    EXPECT_EQ(100, DevicePageLogic::VolumePosition(1.0f));
    EXPECT_EQ(0, DevicePageLogic::VolumePosition(0.0f));
    EXPECT_EQ(-100, DevicePageLogic::VolumePosition(-1.0f)); // a failed read; the trackbar clamps it

    EXPECT_STREQ(L"Volume: 49", DevicePageLogic::VolumeLabel(49));
    EXPECT_STREQ(L"Left Balance: 50", DevicePageLogic::LeftBalanceLabel(50));
    EXPECT_STREQ(L"Right Balance: 100", DevicePageLogic::RightBalanceLabel(100));
    EXPECT_STREQ(L" Line In", DevicePageLogic::SourceEntry("Line In"));
    EXPECT_STREQ(L" ", DevicePageLogic::SourceEntry(nullptr));
    EXPECT_STREQ(L"Fail to Access Audio Mixer!\r\nReason: Invalid device.",
                 DevicePageLogic::MixerAccessFailure("Invalid device"));
}

TEST(DevicePageLogic, TheOlderVolumeControlFirstThenTheNewer)
{
    std::vector<std::wstring> tried;
    auto launcher = [&](INT_PTR first, INT_PTR second)
    {
        return [&tried, first, second](LPCWSTR file) -> INT_PTR
        {
            tried.push_back(file);
            return tried.size() == 1 ? first : second;
        };
    };
    EXPECT_TRUE(DevicePageLogic::LaunchVolumeControl(launcher(33, 0)));
    EXPECT_EQ(std::vector<std::wstring>({L"Sndvol32.exe"}), tried);
    tried.clear();
    EXPECT_TRUE(DevicePageLogic::LaunchVolumeControl(launcher(SE_ERR_FNF, 42)));
    EXPECT_EQ(std::vector<std::wstring>({L"Sndvol32.exe", L"Sndvol.exe"}), tried);
    tried.clear();
    // 32 itself is a failure code.
    EXPECT_FALSE(DevicePageLogic::LaunchVolumeControl(launcher(32, SE_ERR_FNF)));
    EXPECT_EQ(2u, tried.size());
}
