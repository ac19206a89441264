#include "app/DevicePageLogic.h"

#include "app/DeviceListing.h"
#include "app/FormatTables.h"

PaDeviceIndex DevicePageLogic::DeviceOfEntry(int selection, LRESULT itemData)
{
    if (selection < 0 || itemData < 0 || itemData > 0x7FFF)
        return paNoDevice;
    return static_cast<PaDeviceIndex>(itemData);
}

int DevicePageLogic::EntryOfDevice(const int* itemData, int count, PaDeviceIndex device)
{
    for (int i = 0; i < count; ++i)
    {
        if (itemData[i] == device)
            return i;
    }
    return -1;
}

BOOL DevicePageLogic::DeviceMenuMark(int selection, int count, UINT& first, UINT& last, UINT& marked)
{
    if (selection < 0 || selection >= count)
        return FALSE;
    first = DeviceListing::kFirstCommand;
    last = DeviceListing::kFirstCommand + static_cast<UINT>(count) - 1;
    marked = DeviceListing::kFirstCommand + static_cast<UINT>(selection);
    return TRUE;
}

PaSampleFormat DevicePageLogic::ProbeSampleFormat(int resolution)
{
    static const PaSampleFormat formats[6] = {paUInt8, paInt8, paInt16, paInt24, paInt32, paFloat32};
    return resolution >= 0 && resolution < 6 ? formats[resolution] : paInt16;
}

BOOL DevicePageLogic::ProbeStreamParameters(PaDeviceIndex device, const PaDeviceInfo* info, int channels,
                                            int resolution, PaStreamParameters& params, double& rate,
                                            PaStreamFlags& flags)
{
    if (device == paNoDevice || !info || info->maxInputChannels <= 0)
        return FALSE;
    params = PaStreamParameters();
    params.device = device;
    // A mono-only device refuses a stereo stream: ask for what it has.
    params.channelCount = channels < 1                        ? 1
                          : channels > info->maxInputChannels ? info->maxInputChannels
                                                              : channels;
    params.sampleFormat = ProbeSampleFormat(resolution);
    params.suggestedLatency = info->defaultLowInputLatency;
    params.hostApiSpecificStreamInfo = nullptr;
    rate = info->defaultSampleRate;
    flags = resolution >= 0 && resolution < 2 ? paDitherOff : paNoFlag;
    return TRUE;
}

CString DevicePageLogic::VolumeLabel(int position)
{
    CString text;
    text.Format(L"Volume: %d", position);
    return text;
}

CString DevicePageLogic::LeftBalanceLabel(int value)
{
    CString text;
    text.Format(L"Left Balance: %d", value);
    return text;
}

CString DevicePageLogic::RightBalanceLabel(int value)
{
    CString text;
    text.Format(L"Right Balance: %d", value);
    return text;
}

CString DevicePageLogic::SourceEntry(const char* name)
{
    return L" " + AnsiToCString(name);
}

CString DevicePageLogic::MixerAccessFailure(const char* errorText)
{
    CString text;
    text.Format(L"Fail to Access Audio Mixer!\r\nReason: %s.", AnsiToCString(errorText).GetString());
    return text;
}

BOOL DevicePageLogic::LaunchVolumeControl(const std::function<INT_PTR(LPCWSTR file)>& launch)
{
    return launch(L"Sndvol32.exe") > 32 || launch(L"Sndvol.exe") > 32;
}
