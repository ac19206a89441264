// What the Device page decides without its window: which device an entry stands for,
// the probe stream that opens a device's mixer, the read-out texts, and how the system's
// recording volume control is started.
#pragma once

#include <windows.h>

#include <functional>

#include <portaudio.h>

#include "framework/CString.h"

class DevicePageLogic
{
public:
    // The audio library's index of a list entry: paNoDevice without a selection, or when
    // the entry's data is not a device index (CB_ERR included).
    static PaDeviceIndex DeviceOfEntry(int selection, LRESULT itemData);
    // The entry whose data is device; -1 when none is.
    static int EntryOfDevice(const int* itemData, int count, PaDeviceIndex device);

    // The radio group of the Device(s) menu (commands first to last) and the command of
    // the list's selection; FALSE when no entry is selected, which marks nothing.
    static BOOL DeviceMenuMark(int selection, int count, UINT& first, UINT& last, UINT& marked);

    // The never-started stream that reaches the device's mixer: the device's own rate and
    // latency, at most as many channels as the device captures. FALSE when the device
    // has no input side (or no description).
    static BOOL ProbeStreamParameters(PaDeviceIndex device, const PaDeviceInfo* info, int channels,
                                      int resolution, PaStreamParameters& params, double& rate,
                                      PaStreamFlags& flags);
    // Resolution 0 to 5 as the audio library's sample format; 16-bit for anything else.
    static PaSampleFormat ProbeSampleFormat(int resolution);

    // The volume trackbar's position for a mixer volume (truncated toward zero), and back.
    static int VolumePosition(float volume) { return static_cast<int>(volume * 100.0); }
    static float VolumeValue(int position) { return static_cast<float>(position / 100.0); }

    static CString VolumeLabel(int position);
    static CString LeftBalanceLabel(int value);
    static CString RightBalanceLabel(int value);
    // A recording line's entry in the line list: a blank, then the name.
    static CString SourceEntry(const char* name);
    static CString MixerAccessFailure(const char* errorText);

    // Starts the recording volume control, trying the older program first; launch is
    // ShellExecute's result (above 32 is success). FALSE when neither started.
    static BOOL LaunchVolumeControl(const std::function<INT_PTR(LPCWSTR file)>& launch);
};
